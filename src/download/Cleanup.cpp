#include "download/Cleanup.h"

#include <QDateTime>

#include "core/EndProgram.h"
#include "core/Session.h"
#include "db/Format.h"
#include "download/DownloadContext.h"
#include "download/Fetcher.h"
#include "download/ProgressDisplay.h"

namespace tw {
namespace {

// The staging tables only ever hold whole games (a game's rows are stored
// together once all its panels were read), so nothing is trimmed here: a
// game stored after one that was skipped is kept.
void RecordProgress(DownloadContext& context, int32_t lastDone) {
    if (lastDone > context.lastGameId) {
        const QString now = GeneralDate(QDateTime::currentDateTime());
        RunSql(context, QStringLiteral("update Player set Last_Game_ID=") +
                            QString::number(lastDone) + QStringLiteral(", Last_Download='") + now +
                            QStringLiteral("' where Player_Gamertag=") + Quoted(context.gamertag));
    }
}

void CreatePlayersMet(DownloadContext& context) {
    Session& state = context.state;
    context.sql =
        QStringLiteral("select distinct Player_Gamertag, ") +
        QStringLiteral("IIf(InStr([Player_Gamertag],\"(G)\")>0,\"Y\",\"N\") AS Is_Guest ") +
        QStringLiteral("from zLoad_Panel_1");
    const std::unique_ptr<Recordset> met = state.Db->OpenRecordset(context.sql);
    Recordset& rs = *met;
    Recordset& players = *context.tables.player;
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
    rs.Close();
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

void MergeMedals(DownloadContext& context) {
    Session& state = context.state;
    context.sql = QStringLiteral("select * from zLoad_Panel_4");
    static const QStringList kColumns = {
        QStringLiteral("Game_ID"), QStringLiteral("Player_Gamertag"), QStringLiteral("Medal_Name"),
        QStringLiteral("Count_Earned")};
    state.Db->CopyRows(context.sql, QStringLiteral("Game_Player_Medal"), kColumns);
}

// Games without player rows that this run listed and did not skip: the next
// download of the player lists them again (it reads its list down to the game
// it is marked at, which is older), so they go. Any other such game (one a
// download skipped because it could not be read, or one another player's
// download left behind) stays, and the next download's new-games query finds
// it: deleting it could lose it for good once its player is marked past it.
void DeleteUnreadGames(DownloadContext& context) {
    context.sql =
        QStringLiteral("SELECT Game.Game_ID ") +
        QStringLiteral("FROM Game LEFT JOIN Game_Player ON Game.Game_ID = Game_Player.Game_ID ") +
        QStringLiteral("WHERE Game_Player.Game_ID Is Null");
    QStringList unread;
    const std::unique_ptr<Recordset> games = context.state.Db->OpenRecordset(context.sql);
    Recordset& rs = *games;
    for (; !rs.IsEOF(); rs.MoveNext()) {
        const auto id = static_cast<int32_t>(rs.Field(0).toLong());
        if (context.listedGames.contains(id) && !context.skippedGames.contains(id)) {
            unread << QString::number(id);
        }
    }
    rs.Close();
    constexpr qsizetype kIdsPerStatement = 500;
    for (qsizetype from = 0; from < unread.size(); from += kIdsPerStatement) {
        RunSql(context, QStringLiteral("delete * from Game where Game_ID In (") +
                            unread.mid(from, kIdsPerStatement).join(QLatin1Char(',')) +
                            QLatin1Char(')'));
    }
}

void MergeStaging(DownloadContext& context) {
    CreatePlayersMet(context);
    MergeGamePlayers(context.state);
    RunSql(context, QStringLiteral("delete * from zLoad_Panel_1"));
    RunSql(context, QStringLiteral("delete * from zLoad_Panel_2"));
    RunSql(context, QStringLiteral("delete * from zLoad_Panel_5"));
    MergeMedals(context);
    RunSql(context, QStringLiteral("delete * from zLoad_Panel_4"));
    DeleteUnreadGames(context);
}

void Finish(DownloadContext& context) {
    Session& state = context.state;
    context.tables.close();
    CloseConnection(state, &context.fetcher);
    // The engine's compaction writes a copy and renames it over the file in
    // one step: a failure leaves the database as it was, with every row the
    // merge stored. It is reported, and the database is opened again.
    bool compacted = true;
    try {
        Database::CompactInPlace(state.DbPath);
    } catch (const AppError& error) {
        compacted = false;
        context.reportFailure(
            QStringLiteral("Cleanup"),
            AppError(error.number(), error.source(),
                     QStringLiteral("the database was updated but not compacted: ") +
                         error.description()));
    }
    if (compacted) {
        showStage(context, DownloadSession::StageChange::Complete);
    } else {
        showStage(context, DownloadSession::StageChange::Failed,
                  QStringLiteral("Database not compacted"));
    }
    emit context.session.databaseUpdated();
}

}  // namespace

void Cleanup(DownloadContext& context, int32_t lastDone, CleanupAfter after) {
    Session& state = context.state;
    context.stage = 5;
    if (after == CleanupAfter::Failure) {
        // The failed row stays as it is shown.
        showStage(context, DownloadSession::StageChange::Working);
    } else {
        showStage(context, DownloadSession::StageChange::Advance);
    }
    context.session.flushBytes();  // the count as it ended, then the display goes
    emit context.session.progressCleared();
    try {
        // Recording how far the player got, the players met, the merges and
        // the emptying of the staging tables reach the file together: a
        // failure (or a kill) anywhere leaves every staged row staged, and
        // the next download merges it.
        WriteUnit unit(*state.Db);
        if (lastDone != 0) {
            RecordProgress(context, lastDone);
        }
        MergeStaging(context);
        unit.commit();
    } catch (const AppError& error) {
        const AppError failure(error.number(), error.source(),
                               QStringLiteral("clean-up: ") + error.description());
        context.reportFailure(QStringLiteral("Cleanup"), failure);
        // The later steps do not run.
        showFailedStage(context, FailedStageCaption(5, false));
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
