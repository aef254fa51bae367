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
void recordProgress(DownloadContext& context, int32_t lastDone) {
    if (lastDone > context.lastGameId) {
        const QString now = generalDate(QDateTime::currentDateTime());
        runSql(context, QStringLiteral("update Player set Last_Game_ID=") +
                            QString::number(lastDone) + QStringLiteral(", Last_Download='") + now +
                            QStringLiteral("' where Player_Gamertag=") + quoted(context.gamertag));
    }
}

void createPlayersMet(DownloadContext& context) {
    Session& state = context.state;
    context.sql =
        QStringLiteral("select distinct Player_Gamertag, ") +
        QStringLiteral("IIf(InStr([Player_Gamertag],\"(G)\")>0,\"Y\",\"N\") AS Is_Guest ") +
        QStringLiteral("from zLoad_Panel_1");
    const std::unique_ptr<Recordset> met = state.db->openRecordset(context.sql);
    Recordset& rs = *met;
    Recordset& players = *context.tables.player;
    if (!(rs.isEof() && rs.isBof())) {
        for (rs.moveFirst(); !rs.isEof(); rs.moveNext()) {
            players.addNew();
            players.setField(QStringLiteral("Player_Gamertag"), rs.field(0));
            players.setField(QStringLiteral("Is_Friend"), QStringLiteral("N"));
            players.setField(QStringLiteral("Is_Clan"), QStringLiteral("N"));
            players.setField(QStringLiteral("Is_Guest"), rs.field(1));
            players.setField(QStringLiteral("Is_Jerk"), QStringLiteral("N"));
            players.setField(QStringLiteral("Is_Selectable"), QStringLiteral("N"));
            players.setField(QStringLiteral("Last_Game_ID"), 0);
            saveRow(players);
        }
    }
    rs.close();
}

// The staged rows go over in one statement each; a row already stored (a
// game read twice) is skipped, as the duplicate-key rule of saveRow skips it.
void mergeGamePlayers(Session& state) {
    static const QStringList kColumns = {
        QStringLiteral("Game_ID"),        QStringLiteral("Player_Gamertag"),
        QStringLiteral("Finished_Place"), QStringLiteral("Team_Color"),
        QStringLiteral("Score"),          QStringLiteral("Kills"),
        QStringLiteral("Assists"),        QStringLiteral("Deaths"),
        QStringLiteral("Shots_Fired"),    QStringLiteral("Shots_Hit"),
        QStringLiteral("Shots_to_Head")};
    state.db->copyRows(QStringLiteral("q_zLoad_Merge"), QStringLiteral("Game_Player"), kColumns);
}

void mergeMedals(DownloadContext& context) {
    Session& state = context.state;
    context.sql = QStringLiteral("select * from zLoad_Panel_4");
    static const QStringList kColumns = {
        QStringLiteral("Game_ID"), QStringLiteral("Player_Gamertag"), QStringLiteral("Medal_Name"),
        QStringLiteral("Count_Earned")};
    state.db->copyRows(context.sql, QStringLiteral("Game_Player_Medal"), kColumns);
}

// Games without player rows that this run listed and did not skip: the next
// download of the player lists them again (it reads its list down to the game
// it is marked at, which is older), so they go. Any other such game (one a
// download skipped because it could not be read, or one another player's
// download left behind) stays, and the next download's new-games query finds
// it: deleting it could lose it for good once its player is marked past it.
void deleteUnreadGames(DownloadContext& context) {
    context.sql =
        QStringLiteral("SELECT Game.Game_ID ") +
        QStringLiteral("FROM Game LEFT JOIN Game_Player ON Game.Game_ID = Game_Player.Game_ID ") +
        QStringLiteral("WHERE Game_Player.Game_ID Is Null");
    QStringList unread;
    const std::unique_ptr<Recordset> games = context.state.db->openRecordset(context.sql);
    Recordset& rs = *games;
    for (; !rs.isEof(); rs.moveNext()) {
        const auto id = static_cast<int32_t>(rs.field(0).toLong());
        if (context.listedGames.contains(id) && !context.skippedGames.contains(id)) {
            unread << QString::number(id);
        }
    }
    rs.close();
    constexpr qsizetype kIdsPerStatement = 500;
    for (qsizetype from = 0; from < unread.size(); from += kIdsPerStatement) {
        runSql(context, QStringLiteral("delete * from Game where Game_ID In (") +
                            unread.mid(from, kIdsPerStatement).join(QLatin1Char(',')) +
                            QLatin1Char(')'));
    }
}

void mergeStaging(DownloadContext& context) {
    createPlayersMet(context);
    mergeGamePlayers(context.state);
    runSql(context, QStringLiteral("delete * from zLoad_Panel_1"));
    runSql(context, QStringLiteral("delete * from zLoad_Panel_2"));
    runSql(context, QStringLiteral("delete * from zLoad_Panel_5"));
    mergeMedals(context);
    runSql(context, QStringLiteral("delete * from zLoad_Panel_4"));
    deleteUnreadGames(context);
}

void finish(DownloadContext& context) {
    Session& state = context.state;
    context.tables.close();
    closeConnection(state, &context.fetcher);
    // The engine's compaction writes a copy and renames it over the file in
    // one step: a failure leaves the database as it was, with every row the
    // merge stored. It is reported, and the database is opened again.
    bool compacted = true;
    try {
        Database::compactInPlace(state.dbPath);
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

void cleanup(DownloadContext& context, int32_t lastDone, CleanupAfter after) {
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
        WriteUnit unit(*state.db);
        if (lastDone != 0) {
            recordProgress(context, lastDone);
        }
        mergeStaging(context);
        unit.commit();
    } catch (const AppError& error) {
        const AppError failure(error.number(), error.source(),
                               QStringLiteral("clean-up: ") + error.description());
        context.reportFailure(QStringLiteral("Cleanup"), failure);
        // The later steps do not run.
        showFailedStage(context, failedStageCaption(5, false));
        return;
    }
    finish(context);
}

void closeConnection(Session& state, Fetcher* fetcher) {
    closeDatabaseObjects(state);
    if (fetcher != nullptr) {
        fetcher->closeSocket();
    }
}

}  // namespace tw
