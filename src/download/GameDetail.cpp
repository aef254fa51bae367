#include "download/GameDetail.h"

#include "core/Session.h"
#include "download/DownloadContext.h"
#include "download/Fetcher.h"
#include "download/GamePanels.h"
#include "download/PageReading.h"

namespace tw {
namespace {

void newStagedRow(Recordset& rs, int32_t g, const QString& name) {
    rs.addNew();
    rs.setField(QStringLiteral("Game_ID"), g);
    rs.setField(QStringLiteral("Player_Gamertag"), name);
}

void storeGameHeader(DownloadContext& context, const GameRows& rows) {
    const QString id = QString::number(rows.id);
    if (rows.partlyPurged) {
        runSql(context, QStringLiteral("update Game set Was_Partially_Purged='Y' ") +
                            QStringLiteral("where Game_ID=") + id);
        return;
    }
    runSql(context, QStringLiteral("update Game set Was_Partially_Purged='N', ") +
                        QStringLiteral("Duration_Seconds=") +
                        QString::number(rows.durationSeconds) + QStringLiteral(" where Game_ID=") +
                        id);
}

void storeStagedRows(DownloadTables& tables, const GameRows& rows) {
    const int32_t g = rows.id;
    for (const StatsRow& row : rows.stats) {
        Recordset& rs = *tables.panel1;
        newStagedRow(rs, g, row.gamertag);
        rs.setField(QStringLiteral("Finished_Place"), row.place);
        rs.setField(QStringLiteral("Team_Color"), row.teamColor);
        rs.setField(QStringLiteral("Score"), row.score);
        saveRow(rs);
    }
    for (const KillsRow& row : rows.kills) {
        Recordset& rs = *tables.panel2;
        newStagedRow(rs, g, row.gamertag);
        rs.setField(QStringLiteral("Kills"), row.kills);
        rs.setField(QStringLiteral("Assists"), row.assists);
        rs.setField(QStringLiteral("Deaths"), row.deaths);
        saveRow(rs);
    }
    for (const MedalRow& row : rows.medals) {
        Recordset& rs = *tables.panel4;
        newStagedRow(rs, g, row.gamertag);
        rs.setField(QStringLiteral("Count_Earned"), static_cast<double>(row.count));
        rs.setField(QStringLiteral("Medal_Name"), row.medal);
        saveRow(rs);
    }
    for (const HitsRow& row : rows.hits) {
        Recordset& rs = *tables.panel5;
        newStagedRow(rs, g, row.gamertag);
        rs.setField(QStringLiteral("Shots_Hit"), row.hit);
        rs.setField(QStringLiteral("Shots_Fired"), row.fired);
        rs.setField(QStringLiteral("Shots_to_Head"), row.toHead);
        saveRow(rs);
    }
}

// One panel: fetched, then (while the site prepares `ahead`) read. False
// when the user stopped during the fetch.
template <typename Reader>
bool readPanel(DownloadContext& context, const QString& root, const char* panel,
               const QString& ahead, Reader read, GameRows& rows) {
    Fetcher& fetcher = context.fetcher;
    fetcher.downloadPage(root + QStringLiteral("&panel=") + QLatin1String(panel), 0);
    if (context.stopRequested()) {
        return false;
    }
    const QString what = QStringLiteral("game %1, %2 panel").arg(rows.id).arg(QLatin1String(panel));
    requireAnswer(context, what);
    fetcher.requestAhead(ahead);
    try {
        read(context.fetcher.page(), rows);
    } catch (const AppError& error) {
        throw PageFailure(what + QStringLiteral(": ") + error.description(), error.number());
    }
    return true;
}

}  // namespace

void storeGame(DownloadContext& context, const GameRows& rows) {
    WriteUnit unit(*context.state.db);
    storeGameHeader(context, rows);
    storeStagedRows(context.tables, rows);
    unit.commit();
}

GameOutcome readGame(DownloadContext& context, int index) {
    Session& state = context.state;
    GameRows rows;
    rows.id = context.gameIds[index - 1];
    const QString root = state.settings.urlGameDetail + QString::number(rows.id);
    // The next game of the run (GameIds runs newest first, the games are read
    // oldest first); none after the run's last.
    const QString nextGame = index > 1 ? state.settings.urlGameDetail +
                                             QString::number(context.gameIds[index - 2]) +
                                             QStringLiteral("&panel=stats")
                                       : QString();

    // Each page's successor is asked for before the page is read.
    if (!readPanel(context, root, "stats", root + QStringLiteral("&panel=kills"), readStatsPanel,
                   rows)) {
        return GameOutcome::Stopped;
    }
    const QString afterKills =
        rows.partlyPurged ? nextGame : root + QStringLiteral("&panel=medals");
    if (!readPanel(context, root, "kills", afterKills, readKillsPanel, rows)) {
        return GameOutcome::Stopped;
    }
    // A partially purged game has no medal and hit rows.
    if (!rows.partlyPurged) {
        if (!readPanel(context, root, "medals", root + QStringLiteral("&panel=hits"),
                       readMedalsPanel, rows) ||
            !readPanel(context, root, "hits", nextGame, readHitsPanel, rows)) {
            return GameOutcome::Stopped;
        }
    }
    context.gamePartlyPurged = rows.partlyPurged;
    storeGame(context, rows);
    return GameOutcome::Read;
}

}  // namespace tw
