#include "maintenance/MaintenanceSupport.h"

#include "core/Session.h"
#include "db/Database.h"
#include "db/SqliteErrors.h"

namespace tw {

Database& openDatabaseOf(Session& state) {
    if (!state.db || !state.db->isOpen()) {
        throw sqlite::objectClosedError(sqlite::kDatabaseSource);
    }
    return *state.db;
}

void closeQuietly(std::unique_ptr<Recordset>& recordset) {
    if (!recordset) {
        return;
    }
    try {
        recordset->cancelUpdate();
    } catch (const AppError&) {
        // no edit was pending
    }
    try {
        recordset->close();
    } catch (const AppError&) {
        // closing is best effort: the import has ended either way
    }
    recordset.reset();
}

void closeQuietly(std::unique_ptr<Database>& database) {
    if (!database) {
        return;
    }
    try {
        database->close();
    } catch (const AppError&) {
        // as above
    }
    database.reset();
}

}  // namespace tw
