#include "maintenance/MaintenanceSupport.h"

#include "core/Session.h"
#include "db/Database.h"
#include "db/SqliteErrors.h"

namespace tw {

Database& OpenDatabaseOf(Session& state) {
    if (!state.Db || !state.Db->isOpen()) {
        throw sqlite::ObjectClosedError(sqlite::kDatabaseSource);
    }
    return *state.Db;
}

void CloseQuietly(std::unique_ptr<Recordset>& recordset) {
    if (!recordset) {
        return;
    }
    try {
        recordset->CancelUpdate();
    } catch (const AppError&) {
        // no edit was pending
    }
    try {
        recordset->Close();
    } catch (const AppError&) {
        // closing is best effort: the import has ended either way
    }
    recordset.reset();
}

void CloseQuietly(std::unique_ptr<Database>& database) {
    if (!database) {
        return;
    }
    try {
        database->Close();
    } catch (const AppError&) {
        // as above
    }
    database.reset();
}

}  // namespace tw
