#include "taglist/ShowPlayerSummary.h"

#include <QChartView>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>

#include "core/DebugLog.h"
#include "core/Prompter.h"
#include "core/EndProgram.h"
#include "core/Paths.h"
#include "core/Session.h"
#include "core/SettingsFile.h"
#include "core/SqlText.h"
#include "db/Format.h"
#include "taglist/AvatarPicture.h"
#include "taglist/OpenDatabase.h"
#include "gui/FlexGrid.h"
#include "gui/MainWindow.h"

namespace tw {
namespace {

const QString kDash = QStringLiteral("-");

void ResetPanel(MainWindow& window) {
    window.resultGrid->Clear();
    window.resultGrid->SetRows(0);
    window.resultGrid->SetCols(0);
    window.resultChart->setVisible(false);
    window.tagListBox->clear();
    window.totalGames->setText(QStringLiteral("0"));
    window.lastDownload->setText(kDash);
    window.clanName->setText(kDash);
    window.setWindowTitle(QStringLiteral("Tallywick"));
}

void ShowCurrentPlayerRow(Session& state, MainWindow& window, const Recordset& rs) {
    state.LastGameID = static_cast<int32_t>(rs.Field(QStringLiteral("Last_Game_ID")).toLong());
    const Variant lastDownload = rs.Field(QStringLiteral("Last_Download"));
    if (!lastDownload.joinText().isEmpty()) {
        window.lastDownload->setText(
            Format(lastDownload, QString::fromLatin1(kLastDownloadPattern)));
    }
    const QString clan = rs.Field(QStringLiteral("Clan_Name")).joinText();
    if (!clan.isEmpty()) {
        window.clanName->setText(clan);
    }
}

void WriteGamertagSetting(Session& state) {
    WriteIni(state, QStringLiteral("User"), QStringLiteral("Gamertag"), state.CurrentGamertag);
}

void FillTagList(Session& state, MainWindow& window) {
    state.CurrentSQL = QStringLiteral("select * from Player where Is_Selectable='Y'");
    state.rsWork = state.Db->OpenRecordset(state.CurrentSQL);
    Recordset& rs = *state.rsWork;
    int selected = -1;
    if (rs.IsEOF() && rs.IsBOF()) {
        state.CurrentGamertag.clear();
        WriteGamertagSetting(state);
    } else {
        rs.MoveFirst();
        while (!rs.IsEOF()) {
            const QString gamertag = rs.Field(QStringLiteral("Player_Gamertag")).joinText();
            const int position = static_cast<int>(rs.AbsolutePosition());
            window.tagListBox->insertItem(position, gamertag);
            if (gamertag == state.CurrentGamertag) {
                selected = position;
                ShowCurrentPlayerRow(state, window, rs);
            }
            rs.MoveNext();
        }
        // The current player is not in the list (none yet, or one removed
        // or never listed): the first entry is shown, so it becomes the
        // player the profile, the download and the report work on.
        if (selected < 0) {
            rs.MoveFirst();
            state.CurrentGamertag = rs.Field(QStringLiteral("Player_Gamertag")).joinText();
            ShowCurrentPlayerRow(state, window, rs);
            WriteGamertagSetting(state);
            selected = 0;
        }
    }
    window.tagListBox->setCurrentIndex(selected);
    rs.Close();
    state.rsWork.reset();
}

void CountGames(Session& state, MainWindow& window) {
    state.CurrentSQL = QStringLiteral("SELECT Game_ID From Game_Player WHERE Player_Gamertag='") +
                       SqlText(state.CurrentGamertag) + QStringLiteral("' ORDER BY Game_ID DESC");
    state.rsWork = state.Db->OpenRecordset(state.CurrentSQL);
    Recordset& rs = *state.rsWork;
    if (!(rs.IsEOF() && rs.IsBOF())) {
        rs.MoveLast();
        rs.MoveFirst();
        window.totalGames->setText(QString::number(rs.RecordCount()));
    }
    rs.Close();
    state.rsWork.reset();
}

void Refresh(Session& state, MainWindow& window) {
    ResetPanel(window);
    FillTagList(state, window);
    CountGames(state, window);
    ShowAvatar(state, *window.avatarPicture);
    window.UpdatePlayerButtons();
    state.DownloadInProgress = false;
    state.StopRequested = false;
    state.TagListRefreshing = false;
    window.repaint();
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
    const bool logged =
        AppendDebugLogRecord(state, QString::fromLatin1(kInitStage), error, &reason);
    EndWithMessage(state,
                   DatabaseUnusableMessage(
                       state.DbPath, ReadOnlyNote(state),
                       logged ? DebugLogMessage(error)
                              : DebugLogUnwrittenMessage(error, DebugLogPath(state), reason)));
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

void ShowPlayerSummary(Session& state, MainWindow& window) {
    state.TagListRefreshing = true;
    try {
        OpenDatabase(state);
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
        return;
    }
    try {
        Refresh(state, window);
    } catch (const AppError& error) {
        WriteDebugLog(state, QString::fromLatin1(kInitStage), error);
        state.DownloadInProgress = false;
    }
}

}  // namespace tw
