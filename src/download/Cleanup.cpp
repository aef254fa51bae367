#include "download/Cleanup.h"

#include <QDateTime>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "app/DebugLog.h"
#include "app/EndProgram.h"
#include "app/ProgramState.h"
#include "db/Format.h"
#include "download/DownloadContext.h"
#include "download/Fetcher.h"
#include "ui/frmMain.h"

namespace tw {
namespace {

const char* const kStagingTables[] = {"zLoad_Panel_1", "zLoad_Panel_2", "zLoad_Panel_4",
                                      "zLoad_Panel_5"};

void HideProgress(frmMain& window) {
    window.cmdStopDownload->hide();
    window.lblProgressText->setText(QString());
    window.lblElapsedTime->setText(QString());
    window.lblDownloadedBytes->setText(QString());
    window.shpProgressEmpty->hide();
    window.shpProgressFull->hide();
    window.lblProgressPercent->hide();
    window.repaint();
}

void RecordProgress(ProgramState& state, int32_t lastDone) {
    for (const char* table : kStagingTables) {
        RunSql(state, QStringLiteral("delete * from ") + QString::fromLatin1(table) +
                          QStringLiteral(" where Game_ID > ") + QString::number(lastDone));
    }
    if (lastDone > state.LastGameID) {
        const QString now = GeneralDate(QDateTime::currentDateTime());
        RunSql(state, QStringLiteral("update Player set Last_Game_ID=") +
                          QString::number(lastDone) + QStringLiteral(", Last_Download='") + now +
                          QStringLiteral("' where Player_Gamertag=") +
                          Quoted(state.CurrentGamertag));
    }
}

Recordset& OpenWork(ProgramState& state, const QString& source) {
    state.rsWork = state.Db->OpenRecordset(source);
    return *state.rsWork;
}

void CloseWork(ProgramState& state) {
    state.rsWork->Close();
    state.rsWork.reset();
}

void CreatePlayersMet(ProgramState& state) {
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
void MergeGamePlayers(ProgramState& state) {
    static const QStringList kColumns = {
        QStringLiteral("Game_ID"),        QStringLiteral("Player_Gamertag"),
        QStringLiteral("Finished_Place"), QStringLiteral("Team_Color"),
        QStringLiteral("Score"),          QStringLiteral("Kills"),
        QStringLiteral("Assists"),        QStringLiteral("Deaths"),
        QStringLiteral("Shots_Fired"),    QStringLiteral("Shots_Hit"),
        QStringLiteral("Shots_to_Head")};
    state.Db->CopyRows(QStringLiteral("q_zLoad_Merge"), QStringLiteral("Game_Player"), kColumns);
}

void MergeMedals(ProgramState& state) {
    state.CurrentSQL = QStringLiteral("select * from zLoad_Panel_4");
    static const QStringList kColumns = {
        QStringLiteral("Game_ID"), QStringLiteral("Player_Gamertag"), QStringLiteral("Medal_Name"),
        QStringLiteral("Count_Earned")};
    state.Db->CopyRows(state.CurrentSQL, QStringLiteral("Game_Player_Medal"), kColumns);
}

void MergeStaging(ProgramState& state) {
    CreatePlayersMet(state);
    MergeGamePlayers(state);
    RunSql(state, QStringLiteral("delete * from zLoad_Panel_1"));
    RunSql(state, QStringLiteral("delete * from zLoad_Panel_2"));
    RunSql(state, QStringLiteral("delete * from zLoad_Panel_5"));
    MergeMedals(state);
    RunSql(state, QStringLiteral("delete * from zLoad_Panel_4"));
    state.CurrentSQL =
        QStringLiteral("delete Game.* ") +
        QStringLiteral("FROM Game LEFT JOIN Game_Player ON Game.Game_ID = Game_Player.Game_ID ") +
        QStringLiteral("WHERE Game_Player.Game_ID Is Null");
    RunSql(state, state.CurrentSQL);
}

void Finish(DownloadContext& context) {
    ProgramState& state = context.state;
    frmMain& window = context.window;
    CloseConnection(state, &context.fetcher);
    // The engine's compaction writes a copy and renames it over the file in
    // one step: a failure leaves the database as it was.
    Database::CompactInPlace(state.DbPath);
    window.lblStageWorking[5]->hide();
    window.imgStageWorking[5]->hide();
    window.lblStageComplete[5]->show();
    window.imgStageComplete[5]->show();
    window.SetDownloadMode(false);
    state.DownloadInProgress = false;
    state.StopRequested = false;
    window.repaint();
    if (state.refreshSummary) {
        state.refreshSummary();
    }
}

}  // namespace

void Cleanup(DownloadContext& context, int32_t lastDone) {
    ProgramState& state = context.state;
    try {
        state.CurrentStage = 5;
        context.window.ShowStage(state, StageState::Advance);
        HideProgress(context.window);
        if (lastDone != 0) {
            RecordProgress(state, lastDone);
        }
        MergeStaging(state);
        Finish(context);
    } catch (const AppError& error) {
        WriteDebugLog(state, QStringLiteral("Cleanup"), error);
        state.DownloadInProgress = false;
        // The later steps do not run, but the window is not left locked.
        context.window.SetDownloadMode(false);
    }
}

void CloseConnection(ProgramState& state, Fetcher* fetcher) {
    CloseDatabaseObjects(state);
    if (fetcher != nullptr) {
        fetcher->CloseSocket();
    }
}

}  // namespace tw
