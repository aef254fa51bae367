#include "taglist/PlayerSummary.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <memory>

#include "core/DebugLog.h"
#include "core/EndProgram.h"
#include "core/LoadPicture.h"
#include "core/Paths.h"
#include "core/Prompter.h"
#include "core/Session.h"
#include "core/SettingsFile.h"
#include "core/SqlText.h"
#include "db/Format.h"
#include "taglist/OpenDatabase.h"
#include "taglist/TagList.h"

namespace tw {
namespace {

void readCurrentPlayerRow(const Recordset& rs, PlayerSummary& summary) {
    const Variant lastDownload = rs.field(QStringLiteral("Last_Download"));
    if (!lastDownload.joinText().isEmpty()) {
        summary.lastDownload = format(lastDownload, QString::fromLatin1(kLastDownloadPattern));
    }
    const QString clan = rs.field(QStringLiteral("Clan_Name")).joinText();
    if (!clan.isEmpty()) {
        summary.clan = clan;
    }
}

void rememberGamertag(Session& state) {
    writeIni(state, QStringLiteral("User"), QStringLiteral("Gamertag"), state.currentGamertag);
}

void readTagList(Session& state, PlayerSummary& summary, QString& statement) {
    statement = tagListStatement();
    std::unique_ptr<Recordset> rs = state.db->openRecordset(statement);
    if (rs->isEof() && rs->isBof()) {
        state.currentGamertag.clear();
        rememberGamertag(state);
        rs->close();
        return;
    }
    rs->moveFirst();
    while (!rs->isEof()) {
        const QString gamertag = rs->field(QStringLiteral("Player_Gamertag")).joinText();
        summary.gamertags << gamertag;
        if (gamertag == state.currentGamertag) {
            summary.selected = static_cast<int>(summary.gamertags.size()) - 1;
            readCurrentPlayerRow(*rs, summary);
        }
        rs->moveNext();
    }
    // The current player is not in the list (none yet, or one removed or
    // never listed): the first entry is shown, so it becomes the player the
    // profile, the download and the report work on.
    if (summary.selected < 0) {
        rs->moveFirst();
        state.currentGamertag = rs->field(QStringLiteral("Player_Gamertag")).joinText();
        readCurrentPlayerRow(*rs, summary);
        rememberGamertag(state);
        summary.selected = 0;
    }
    rs->close();
}

void countGames(Session& state, PlayerSummary& summary, QString& statement) {
    statement = QStringLiteral("SELECT Game_ID From Game_Player WHERE Player_Gamertag='") +
                sqlText(state.currentGamertag) + QStringLiteral("' ORDER BY Game_ID DESC");
    std::unique_ptr<Recordset> rs = state.db->openRecordset(statement);
    if (!(rs->isEof() && rs->isBof())) {
        rs->moveLast();
        rs->moveFirst();
        summary.totalGames = QString::number(rs->recordCount());
    }
    rs->close();
}

// The fallback picture. When it is itself missing or broken the panel shows
// no picture rather than failing the whole refresh over a decoration.
void loadUnknown(Session& state, PlayerSummary& summary) {
    const QString unknown = state.avatarDir + QString::fromLatin1(kUnknownAvatar);
    try {
        summary.avatar = loadPicture(unknown);
        summary.avatarPath = unknown;
    } catch (const AppError&) {
        summary.avatar = QImage();
        summary.avatarPath.clear();
    }
}

void endWithMessage(Session& state, const QString& message) {
    state.prompter->message(message, MsgButtons::Ok, MsgIcon::Critical, QStringLiteral("Error"));
    closeDatabaseObjects(state);
    endProgram(state, 1);
}

// Why the file cannot be written, when that is the cause: the engine's own
// description ("Disk or network error.") does not say.
QString readOnlyNote(const Session& state) {
    if (!QFileInfo(state.programDir).isWritable()) {
        return QStringLiteral(
            "The program folder is read-only; the program writes its database, settings and log "
            "there.");
    }
    if (!QFileInfo(state.dbPath).isWritable()) {
        return QStringLiteral("The database file is read-only.");
    }
    return QString();
}

// The database is there but cannot be used: a window without it could do
// nothing, so the program ends after telling why, as it does when the file
// is missing.
void endForUnusableDatabase(Session& state, const AppError& error) {
    QString reason;
    const bool logged = appendDebugLogRecord(state, QString::fromLatin1(kInitStage), error,
                                             LogContext::of(state), &reason);
    endWithMessage(state,
                   databaseUnusableMessage(
                       state.dbPath, readOnlyNote(state),
                       logged ? debugLogMessage(error)
                              : debugLogUnwrittenMessage(error, debugLogPath(state), reason)));
}

bool openOrEnd(Session& state) {
    try {
        openDatabase(state);
        return true;
    } catch (const AppError& error) {
        switch (error.number()) {
            case err::kDatabaseNotFound:
                endWithMessage(state, databaseMissingMessage());
                break;
            case err::kDatabaseLocked:
                endWithMessage(state, QString::fromLatin1(kDatabaseLockedMessage));
                break;
            default:
                endForUnusableDatabase(state, error);
                break;
        }
        return false;
    }
}

}  // namespace

QString databaseUnusableMessage(const QString& dbPath, const QString& note,
                                const QString& errorReport) {
    QString message = QStringLiteral("The database cannot be opened:\r\n") +
                      QDir::toNativeSeparators(dbPath) + QStringLiteral("\r\n");
    if (!note.isEmpty()) {
        message += note + QStringLiteral("\r\n");
    }
    return message + QStringLiteral("\r\n") + errorReport;
}

QString databaseMissingMessage() {
    return QStringLiteral("Database cannot be found.\r\nMake sure the \"") + databaseFileName() +
           QStringLiteral("\" file exists in the program directory.");
}

void loadAvatar(Session& state, const QString& gamertag, PlayerSummary& summary) {
    const QString avatar = avatarPath(state, gamertag);
    if (!QFileInfo(avatar).isFile()) {
        loadUnknown(state, summary);
        return;
    }
    try {
        summary.avatar = loadPicture(avatar);
        summary.avatarPath = avatar;
    } catch (const AppError& error) {
        if (error.number() != err::kInvalidPicture) {
            throw;
        }
        QFile::remove(avatar);
        loadUnknown(state, summary);
    }
}

SummaryOutcome readPlayerSummary(Session& state, PlayerSummary& summary) {
    if (!openOrEnd(state)) {
        return SummaryOutcome::DatabaseClosed;
    }
    QString statement;
    try {
        readTagList(state, summary, statement);
        countGames(state, summary, statement);
        loadAvatar(state, state.currentGamertag, summary);
    } catch (const AppError& error) {
        writeDebugLog(state, QString::fromLatin1(kInitStage), error, statement);
        state.downloadInProgress = false;
        return SummaryOutcome::Failed;
    }
    state.downloadInProgress = false;
    return SummaryOutcome::Read;
}

}  // namespace tw
