#include "maintenance/ImportOld.h"

#include <QFileInfo>
#include <memory>

#include "core/DebugLog.h"
#include "core/Paths.h"
#include "core/Prompter.h"
#include "core/Session.h"
#include "db/Database.h"
#include "maintenance/MaintenanceSupport.h"

namespace tw {
namespace {

// What the copy holds open; closed at the end whether it finished or not.
struct ImportSession {
    std::unique_ptr<Database> source;
    std::unique_ptr<Recordset> from;
    std::unique_ptr<Recordset> to;

    void close() {
        closeQuietly(from);
        closeQuietly(to);
        closeQuietly(source);
    }
};

// Adds one row to `to` holding the current row of `from`, field by field by
// name. A key already present (3022) is skipped; any other error is raised.
void copyRow(Recordset& from, Recordset& to) {
    to.addNew();
    for (int i = 0; i < from.fieldCount(); ++i) {
        to.setField(from.fieldName(i), from.field(i));
    }
    try {
        to.update();
    } catch (const AppError& error) {
        if (error.number() != err::kDuplicateKey) {
            throw;
        }
    }
}

// Every column of the old table must have one of the same name (any letter
// case) in the current table; the first that has none is reported by table
// and column before a row of the table is copied.
void requireSameColumns(const QString& table, const Recordset& from, const Recordset& to) {
    QStringList present;
    for (int i = 0; i < to.fieldCount(); ++i) {
        present << to.fieldName(i);
    }
    for (int i = 0; i < from.fieldCount(); ++i) {
        const QString column = from.fieldName(i);
        if (!present.contains(column, Qt::CaseInsensitive)) {
            throw AppError(err::kItemNotFound, QStringLiteral("DAO.Recordset"),
                           QStringLiteral("Item not found in this collection: %1.%2 (a column "
                                          "of the old file that this version's %1 table does "
                                          "not have).")
                               .arg(table, column));
        }
    }
}

void copyTable(Session& state, ImportSession& session, const QString& table) {
    // The recordsets of the previous table are replaced, as the copy goes on.
    session.from = session.source->openRecordset(table);
    session.to = openDatabaseOf(state).openRecordset(table);
    requireSameColumns(table, *session.from, *session.to);
    Recordset& from = *session.from;
    if (!(from.isEof() && from.isBof())) {
        from.moveLast();
        from.moveFirst();
    }
    while (!from.isEof()) {
        copyRow(from, *session.to);
        from.moveNext();
    }
}

bool confirmed(Session& state) {
    return state.prompter->message(QString::fromLatin1(kImportQuestion), MsgButtons::YesNo,
                                   MsgIcon::Question,
                                   QString::fromLatin1(kImportConfirmTitle)) == MsgResult::Yes;
}

}  // namespace

const std::vector<OldVersion>& oldVersions() {
    static const std::vector<OldVersion> versions = {
        {QStringLiteral("109"),
         {QStringLiteral("Game"), QStringLiteral("Clan"), QStringLiteral("Player"),
          QStringLiteral("Game_Player"), QStringLiteral("Game_Player_Medal"),
          QStringLiteral("Player_Playlist")}},
        {QStringLiteral("108"),
         {QStringLiteral("Game"), QStringLiteral("Player"), QStringLiteral("Game_Player"),
          QStringLiteral("Game_Player_Medal"), QStringLiteral("Player_Playlist")}},
        {QStringLiteral("107"),
         {QStringLiteral("Game"), QStringLiteral("Player"), QStringLiteral("Game_Player"),
          QStringLiteral("Game_Player_Medal")}},
    };
    return versions;
}

QString findOldDatabase(const Session& state, const OldVersion** version) {
    for (const OldVersion& candidate : oldVersions()) {
        QString path = state.programDir + QLatin1Char('/') + databaseFileName(candidate.versionTag);
        if (QFileInfo::exists(path)) {
            *version = &candidate;
            return path;
        }
    }
    *version = nullptr;
    return QString();
}

bool importOldDatabase(Session& state) {
    if (!confirmed(state)) {
        return false;
    }
    const OldVersion* version = nullptr;
    const QString path = findOldDatabase(state, &version);
    if (path.isEmpty()) {
        state.prompter->message(QString::fromLatin1(kOldDatabaseNotFound), MsgButtons::Ok,
                                MsgIcon::Critical, QStringLiteral("Error"));
        return false;
    }
    ImportSession session;
    // The log's SQL line names what is being copied, not a statement of an
    // earlier operation.
    QString table;
    try {
        // Only read: the old file (perhaps read-only, perhaps kept as a
        // backup) stays byte for byte what it was.
        session.source = Database::openReadOnly(path);
        for (const QString& name : version->tables) {
            table = name;
            copyTable(state, session, table);
        }
    } catch (const AppError& error) {
        writeDebugLog(state, QString::fromLatin1(kImportStage), error, table);
        session.close();
        return false;
    }
    // Closing commits the rows the recordsets added before the caller
    // refreshes from the database.
    session.close();
    return true;
}

void tellImportDone(Session& state) {
    state.prompter->message(QString::fromLatin1(kImportDone), MsgButtons::Ok, MsgIcon::Information,
                            QStringLiteral("Done"));
}

}  // namespace tw
