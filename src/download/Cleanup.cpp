#include "download/Cleanup.h"

#include <QDateTime>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <span>
#include <vector>

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

// Where each named column is in a recordset, looked up once for a copy loop
// (by name, so a column missing from either side fails as a lookup would).
std::vector<int> ColumnPositions(Recordset& rs, std::span<const char* const> columns) {
    std::vector<int> positions;
    for (const char* column : columns) {
        const QString name = QString::fromLatin1(column);
        int found = -1;
        for (int i = 0; i < rs.FieldCount() && found < 0; ++i) {
            if (rs.FieldName(i).compare(name, Qt::CaseInsensitive) == 0) {
                found = i;
            }
        }
        if (found < 0) {
            rs.Field(name);  // raises the engine's error for an unknown field
        }
        positions.push_back(found);
    }
    return positions;
}

// Adds every row of `source` to `target`, the named columns copied; a
// duplicate key is skipped.
void CopyRows(Recordset& source, Recordset& target, std::span<const char* const> columns) {
    if (source.IsEOF() && source.IsBOF()) {
        return;
    }
    const std::vector<int> from = ColumnPositions(source, columns);
    const std::vector<int> to = ColumnPositions(target, columns);
    for (source.MoveFirst(); !source.IsEOF(); source.MoveNext()) {
        target.AddNew();
        for (size_t i = 0; i < from.size(); ++i) {
            target.SetField(to[i], source.Field(from[i]));
        }
        SaveRow(target);
    }
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

void MergeGamePlayers(ProgramState& state) {
    static const char* const kColumns[] = {
        "Game_ID", "Player_Gamertag", "Finished_Place", "Team_Color", "Score",        "Kills",
        "Assists", "Deaths",          "Shots_Fired",    "Shots_Hit",  "Shots_to_Head"};
    Recordset& rs = OpenWork(state, QStringLiteral("q_zLoad_Merge"));
    CopyRows(rs, *state.rsGamePlayer, kColumns);
    CloseWork(state);
}

void MergeMedals(ProgramState& state) {
    state.CurrentSQL = QStringLiteral("select * from zLoad_Panel_4");
    static const char* const kColumns[] = {"Game_ID", "Player_Gamertag", "Medal_Name",
                                           "Count_Earned"};
    Recordset& rs = OpenWork(state, state.CurrentSQL);
    CopyRows(rs, *state.rsGamePlayerMedal, kColumns);
    CloseWork(state);
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
