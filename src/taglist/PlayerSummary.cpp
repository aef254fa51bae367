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

void ReadCurrentPlayerRow(const Recordset& rs, PlayerSummary& summary) {
    const Variant lastDownload = rs.Field(QStringLiteral("Last_Download"));
    if (!lastDownload.joinText().isEmpty()) {
        summary.lastDownload = Format(lastDownload, QString::fromLatin1(kLastDownloadPattern));
    }
    const QString clan = rs.Field(QStringLiteral("Clan_Name")).joinText();
    if (!clan.isEmpty()) {
        summary.clan = clan;
    }
}

void RememberGamertag(Session& state) {
    WriteIni(state, QStringLiteral("User"), QStringLiteral("Gamertag"), state.CurrentGamertag);
}

void ReadTagList(Session& state, PlayerSummary& summary, QString& statement) {
    statement = TagListStatement();
    std::unique_ptr<Recordset> rs = state.Db->OpenRecordset(statement);
    if (rs->IsEOF() && rs->IsBOF()) {
        state.CurrentGamertag.clear();
        RememberGamertag(state);
        rs->Close();
        return;
    }
    rs->MoveFirst();
    while (!rs->IsEOF()) {
        const QString gamertag = rs->Field(QStringLiteral("Player_Gamertag")).joinText();
        summary.gamertags << gamertag;
        if (gamertag == state.CurrentGamertag) {
            summary.selected = static_cast<int>(summary.gamertags.size()) - 1;
            ReadCurrentPlayerRow(*rs, summary);
        }
        rs->MoveNext();
    }
    // The current player is not in the list (none yet, or one removed or
    // never listed): the first entry is shown, so it becomes the player the
    // profile, the download and the report work on.
    if (summary.selected < 0) {
        rs->MoveFirst();
        state.CurrentGamertag = rs->Field(QStringLiteral("Player_Gamertag")).joinText();
        ReadCurrentPlayerRow(*rs, summary);
        RememberGamertag(state);
        summary.selected = 0;
    }
    rs->Close();
}

void CountGames(Session& state, PlayerSummary& summary, QString& statement) {
    statement = QStringLiteral("SELECT Game_ID From Game_Player WHERE Player_Gamertag='") +
                SqlText(state.CurrentGamertag) + QStringLiteral("' ORDER BY Game_ID DESC");
    std::unique_ptr<Recordset> rs = state.Db->OpenRecordset(statement);
    if (!(rs->IsEOF() && rs->IsBOF())) {
        rs->MoveLast();
        rs->MoveFirst();
        summary.totalGames = QString::number(rs->RecordCount());
    }
    rs->Close();
}

// The fallback picture. When it is itself missing or broken the panel shows
// no picture rather than failing the whole refresh over a decoration.
void LoadUnknown(Session& state, PlayerSummary& summary) {
    const QString unknown = state.AvatarDir + QString::fromLatin1(kUnknownAvatar);
    try {
        summary.avatar = LoadPicture(unknown);
        summary.avatarPath = unknown;
    } catch (const AppError&) {
        summary.avatar = QImage();
        summary.avatarPath.clear();
    }
}

void EndWithMessage(Session& state, const QString& message) {
    state.prompter->Message(message, MsgButtons::Ok, MsgIcon::Critical, QStringLiteral("Error"));
    CloseDatabaseObjects(state);
    EndProgram(state, 1);
}

// Why the file cannot be written, when that is the cause: the engine's own
// description ("Disk or network error.") does not say.
QString ReadOnlyNote(const Session& state) {
    if (!QFileInfo(state.ProgramDir).isWritable()) {
        return QStringLiteral(
            "The program folder is read-only; the program writes its database, settings and log "
            "there.");
    }
    if (!QFileInfo(state.DbPath).isWritable()) {
        return QStringLiteral("The database file is read-only.");
    }
    return QString();
}

// The database is there but cannot be used: a window without it could do
// nothing, so the program ends after telling why, as it does when the file
// is missing.
void EndForUnusableDatabase(Session& state, const AppError& error) {
    QString reason;
    const bool logged = AppendDebugLogRecord(state, QString::fromLatin1(kInitStage), error,
                                             LogContext::of(state), &reason);
    EndWithMessage(state,
                   DatabaseUnusableMessage(
                       state.DbPath, ReadOnlyNote(state),
                       logged ? DebugLogMessage(error)
                              : DebugLogUnwrittenMessage(error, DebugLogPath(state), reason)));
}

bool OpenOrEnd(Session& state) {
    try {
        OpenDatabase(state);
        return true;
    } catch (const AppError& error) {
        switch (error.number()) {
            case err::kDatabaseNotFound:
                EndWithMessage(state, DatabaseMissingMessage());
                break;
            case err::kDatabaseLocked:
                EndWithMessage(state, QString::fromLatin1(kDatabaseLockedMessage));
                break;
            default:
                EndForUnusableDatabase(state, error);
                break;
        }
        return false;
    }
}

}  // namespace

QString DatabaseUnusableMessage(const QString& dbPath, const QString& note,
                                const QString& errorReport) {
    QString message = QStringLiteral("The database cannot be opened:\r\n") +
                      QDir::toNativeSeparators(dbPath) + QStringLiteral("\r\n");
    if (!note.isEmpty()) {
        message += note + QStringLiteral("\r\n");
    }
    return message + QStringLiteral("\r\n") + errorReport;
}

QString DatabaseMissingMessage() {
    return QStringLiteral("Database cannot be found.\r\nMake sure the \"") + DatabaseFileName() +
           QStringLiteral("\" file exists in the program directory.");
}

void LoadAvatar(Session& state, const QString& gamertag, PlayerSummary& summary) {
    const QString avatar = AvatarPath(state, gamertag);
    if (!QFileInfo(avatar).isFile()) {
        LoadUnknown(state, summary);
        return;
    }
    try {
        summary.avatar = LoadPicture(avatar);
        summary.avatarPath = avatar;
    } catch (const AppError& error) {
        if (error.number() != err::kInvalidPicture) {
            throw;
        }
        QFile::remove(avatar);
        LoadUnknown(state, summary);
    }
}

SummaryOutcome ReadPlayerSummary(Session& state, PlayerSummary& summary) {
    if (!OpenOrEnd(state)) {
        return SummaryOutcome::DatabaseClosed;
    }
    QString statement;
    try {
        ReadTagList(state, summary, statement);
        CountGames(state, summary, statement);
        LoadAvatar(state, state.CurrentGamertag, summary);
    } catch (const AppError& error) {
        WriteDebugLog(state, QString::fromLatin1(kInitStage), error, statement);
        state.DownloadInProgress = false;
        return SummaryOutcome::Failed;
    }
    state.DownloadInProgress = false;
    return SummaryOutcome::Read;
}

}  // namespace tw
