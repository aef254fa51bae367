#include "download/Cleanup.h"

#include <QDateTime>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "core/EndProgram.h"
#include "core/Session.h"
#include "db/Format.h"
#include "download/DownloadContext.h"
#include "download/Fetcher.h"
#include "download/ProgressDisplay.h"
#include "gui/MainWindow.h"

namespace tw {
namespace {

void HideProgress(MainWindow& window) {
    window.stopButton->hide();
    window.progressText->setText(QString());
    window.elapsedTime->setText(QString());
    window.downloadedBytes->setText(QString());
    window.progressEmpty->hide();
    window.progressFull->hide();
    window.progressPercent->hide();
    window.repaint();
}

// The staging tables only ever hold whole games (a game's rows are stored
// together once all its panels were read), so nothing is trimmed here: a
// game stored after one that was skipped is kept.
void RecordProgress(Session& state, int32_t lastDone) {
    if (lastDone > state.LastGameID) {
        const QString now = GeneralDate(QDateTime::currentDateTime());
        RunSql(state, QStringLiteral("update Player set Last_Game_ID=") +
                          QString::number(lastDone) + QStringLiteral(", Last_Download='") + now +
                          QStringLiteral("' where Player_Gamertag=") +
                          Quoted(state.CurrentGamertag));
    }
}

Recordset& OpenWork(Session& state, const QString& source) {
    state.rsWork = state.Db->OpenRecordset(source);
    return *state.rsWork;
}

void CloseWork(Session& state) {
    state.rsWork->Close();
    state.rsWork.reset();
}

void CreatePlayersMet(Session& state) {
    state.CurrentSQL =
        QStringLiteral("select distinct Player_Gamertag, ") +
        QStringLiteral("IIf(InStr([Player_Gamertag],\"(G)\")>0,\"Y\",\"N\") AS Is_Guest ") +
        QStringLiteral("from zLoad_Panel_1");
    Recordset& rs = OpenWork(state, state.CurrentSQL);
    Recordset& players = *state.rsPlayer;
    if (!(rs.IsEOF() && rs.IsBOF())) {
        for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext()) {
            players.AddNew();
            players.SetField(QStringLiteral("Player_Gamertag"), rs.Field(0));
            players.SetField(QStringLiteral("Is_Friend"), QStringLiteral("N"));
            players.SetField(QStringLiteral("Is_Clan"), QStringLiteral("N"));
            players.SetField(QStringLiteral("Is_Guest"), rs.Field(1));
            players.SetField(QStringLiteral("Is_Jerk"), QStringLiteral("N"));
            players.SetField(QStringLiteral("Is_Selectable"), QStringLiteral("N"));
            players.SetField(QStringLiteral("Last_Game_ID"), 0);
            SaveRow(players);
        }
    }
    CloseWork(state);
}

// The staged rows go over in one statement each; a row already stored (a
// game read twice) is skipped, as the duplicate-key rule of SaveRow skips it.
void MergeGamePlayers(Session& state) {
    static const QStringList kColumns = {
        QStringLiteral("Game_ID"),        QStringLiteral("Player_Gamertag"),
        QStringLiteral("Finished_Place"), QStringLiteral("Team_Color"),
        QStringLiteral("Score"),          QStringLiteral("Kills"),
        QStringLiteral("Assists"),        QStringLiteral("Deaths"),
        QStringLiteral("Shots_Fired"),    QStringLiteral("Shots_Hit"),
        QStringLiteral("Shots_to_Head")};
    state.Db->CopyRows(QStringLiteral("q_zLoad_Merge"), QStringLiteral("Game_Player"), kColumns);
}

void MergeMedals(Session& state) {
    state.CurrentSQL = QStringLiteral("select * from zLoad_Panel_4");
    static const QStringList kColumns = {
        QStringLiteral("Game_ID"), QStringLiteral("Player_Gamertag"), QStringLiteral("Medal_Name"),
        QStringLiteral("Count_Earned")};
    state.Db->CopyRows(state.CurrentSQL, QStringLiteral("Game_Player_Medal"), kColumns);
}

// Games without player rows that this run listed and did not skip: the next
// download of the player lists them again (it reads its list down to the game
// it is marked at, which is older), so they go. Any other such game (one a
// download skipped because it could not be read, or one another player's
// download left behind) stays, and the next download's new-games query finds
// it: deleting it could lose it for good once its player is marked past it.
void DeleteUnreadGames(Session& state, const DownloadContext& context) {
    state.CurrentSQL =
        QStringLiteral("SELECT Game.Game_ID ") +
        QStringLiteral("FROM Game LEFT JOIN Game_Player ON Game.Game_ID = Game_Player.Game_ID ") +
        QStringLiteral("WHERE Game_Player.Game_ID Is Null");
    QStringList unread;
    Recordset& rs = OpenWork(state, state.CurrentSQL);
    for (; !rs.IsEOF(); rs.MoveNext()) {
        const auto id = static_cast<int32_t>(rs.Field(0).toLong());
        if (context.ListedGames.contains(id) && !context.SkippedGames.contains(id)) {
            unread << QString::number(id);
        }
    }
    CloseWork(state);
    constexpr qsizetype kIdsPerStatement = 500;
    for (qsizetype from = 0; from < unread.size(); from += kIdsPerStatement) {
        RunSql(state, QStringLiteral("delete * from Game where Game_ID In (") +
                          unread.mid(from, kIdsPerStatement).join(QLatin1Char(',')) +
                          QLatin1Char(')'));
    }
}

void MergeStaging(Session& state, const DownloadContext& context) {
    CreatePlayersMet(state);
    MergeGamePlayers(state);
    RunSql(state, QStringLiteral("delete * from zLoad_Panel_1"));
    RunSql(state, QStringLiteral("delete * from zLoad_Panel_2"));
    RunSql(state, QStringLiteral("delete * from zLoad_Panel_5"));
    MergeMedals(state);
    RunSql(state, QStringLiteral("delete * from zLoad_Panel_4"));
    DeleteUnreadGames(state, context);
}

void Finish(DownloadContext& context) {
    Session& state = context.state;
    MainWindow& window = context.window;
    CloseConnection(state, &context.fetcher);
    // The engine's compaction writes a copy and renames it over the file in
    // one step: a failure leaves the database as it was, with every row the
    // merge stored. It is reported, and the database is opened again.
    bool compacted = true;
    try {
        Database::CompactInPlace(state.DbPath);
    } catch (const AppError& error) {
        compacted = false;
        context.ReportFailure(
            QStringLiteral("Cleanup"),
            AppError(error.number(), error.source(),
                     QStringLiteral("the database was updated but not compacted: ") +
                         error.description()));
    }
    window.stageWorkingLabels[5]->hide();
    window.stageWorkingIcons[5]->hide();
    if (compacted) {
        window.stageCompleteLabels[5]->show();
        window.stageCompleteIcons[5]->show();
    } else {
        window.stageFailedLabels[5]->setText(QStringLiteral("Database not compacted"));
        window.stageFailedLabels[5]->show();
        window.stageFailedIcons[5]->show();
    }
    window.SetDownloadMode(false);
    state.DownloadInProgress = false;
    state.StopRequested = false;
    window.repaint();
    if (state.refreshSummary) {
        state.refreshSummary();
    }
}

}  // namespace

void Cleanup(DownloadContext& context, int32_t lastDone, CleanupAfter after) {
    Session& state = context.state;
    MainWindow& window = context.window;
    state.CurrentStage = 5;
    if (after == CleanupAfter::Failure) {
        // The failed row stays as it is shown.
        window.stageWorkingLabels[5]->show();
        window.stageWorkingIcons[5]->show();
    } else {
        window.ShowStage(state, StageState::Advance);
    }
    HideProgress(window);
    try {
        // Recording how far the player got, the players met, the merges and
        // the emptying of the staging tables reach the file together: a
        // failure (or a kill) anywhere leaves every staged row staged, and
        // the next download merges it.
        WriteUnit unit(*state.Db);
        if (lastDone != 0) {
            RecordProgress(state, lastDone);
        }
        MergeStaging(state, context);
        unit.commit();
    } catch (const AppError& error) {
        const AppError failure(error.number(), error.source(),
                               QStringLiteral("clean-up: ") + error.description());
        context.ReportFailure(QStringLiteral("Cleanup"), failure);
        ShowFailedStage(window, state, FailedStageCaption(5, false));
        state.DownloadInProgress = false;
        // The later steps do not run, but the window is not left locked.
        window.SetDownloadMode(false);
        return;
    }
    Finish(context);
}

void CloseConnection(Session& state, Fetcher* fetcher) {
    CloseDatabaseObjects(state);
    if (fetcher != nullptr) {
        fetcher->CloseSocket();
    }
}

}  // namespace tw
