#include "download/GameDetail.h"

#include "core/Session.h"
#include "download/DownloadContext.h"
#include "download/Fetcher.h"
#include "download/GamePanels.h"
#include "download/PageReading.h"

namespace tw {
namespace {

void NewStagedRow(Recordset& rs, int32_t g, const QString& name) {
    rs.AddNew();
    rs.SetField(QStringLiteral("Game_ID"), g);
    rs.SetField(QStringLiteral("Player_Gamertag"), name);
}

void StoreGameHeader(DownloadContext& context, const GameRows& rows) {
    const QString id = QString::number(rows.id);
    if (rows.partlyPurged) {
        RunSql(context, QStringLiteral("update Game set Was_Partially_Purged='Y' ") +
                            QStringLiteral("where Game_ID=") + id);
        return;
    }
    RunSql(context, QStringLiteral("update Game set Was_Partially_Purged='N', ") +
                        QStringLiteral("Duration_Seconds=") +
                        QString::number(rows.durationSeconds) + QStringLiteral(" where Game_ID=") +
                        id);
}

void StoreStagedRows(DownloadTables& tables, const GameRows& rows) {
    const int32_t g = rows.id;
    for (const StatsRow& row : rows.stats) {
        Recordset& rs = *tables.panel1;
        NewStagedRow(rs, g, row.gamertag);
        rs.SetField(QStringLiteral("Finished_Place"), row.place);
        rs.SetField(QStringLiteral("Team_Color"), row.teamColor);
        rs.SetField(QStringLiteral("Score"), row.score);
        SaveRow(rs);
    }
    for (const KillsRow& row : rows.kills) {
        Recordset& rs = *tables.panel2;
        NewStagedRow(rs, g, row.gamertag);
        rs.SetField(QStringLiteral("Kills"), row.kills);
        rs.SetField(QStringLiteral("Assists"), row.assists);
        rs.SetField(QStringLiteral("Deaths"), row.deaths);
        SaveRow(rs);
    }
    for (const MedalRow& row : rows.medals) {
        Recordset& rs = *tables.panel4;
        NewStagedRow(rs, g, row.gamertag);
        rs.SetField(QStringLiteral("Count_Earned"), static_cast<double>(row.count));
        rs.SetField(QStringLiteral("Medal_Name"), row.medal);
        SaveRow(rs);
    }
    for (const HitsRow& row : rows.hits) {
        Recordset& rs = *tables.panel5;
        NewStagedRow(rs, g, row.gamertag);
        rs.SetField(QStringLiteral("Shots_Hit"), row.hit);
        rs.SetField(QStringLiteral("Shots_Fired"), row.fired);
        rs.SetField(QStringLiteral("Shots_to_Head"), row.toHead);
        SaveRow(rs);
    }
}

// One panel: fetched, then (while the site prepares `ahead`) read. False
// when the user stopped during the fetch.
template <typename Reader>
bool ReadPanel(DownloadContext& context, const QString& root, const char* panel,
               const QString& ahead, Reader read, GameRows& rows) {
    Fetcher& fetcher = context.fetcher;
    fetcher.DownloadPage(root + QStringLiteral("&panel=") + QLatin1String(panel), 0);
    if (context.stopRequested()) {
        return false;
    }
    const QString what = QStringLiteral("game %1, %2 panel").arg(rows.id).arg(QLatin1String(panel));
    RequireAnswer(context, what);
    fetcher.RequestAhead(ahead);
    try {
        read(context.fetcher.page(), rows);
    } catch (const AppError& error) {
        throw PageFailure(what + QStringLiteral(": ") + error.description(), error.number());
    }
    return true;
}

}  // namespace

void StoreGame(DownloadContext& context, const GameRows& rows) {
    WriteUnit unit(*context.state.Db);
    StoreGameHeader(context, rows);
    StoreStagedRows(context.tables, rows);
    unit.commit();
}

GameOutcome ReadGame(DownloadContext& context, int index) {
    Session& state = context.state;
    GameRows rows;
    rows.id = context.gameIds[index - 1];
    const QString root = state.settings.URL_Game_Detail + QString::number(rows.id);
    // The next game of the run (GameIds runs newest first, the games are read
    // oldest first); none after the run's last.
    const QString nextGame = index > 1 ? state.settings.URL_Game_Detail +
                                             QString::number(context.gameIds[index - 2]) +
                                             QStringLiteral("&panel=stats")
                                       : QString();

    // Each page's successor is asked for before the page is read.
    if (!ReadPanel(context, root, "stats", root + QStringLiteral("&panel=kills"), ReadStatsPanel,
                   rows)) {
        return GameOutcome::Stopped;
    }
    const QString afterKills =
        rows.partlyPurged ? nextGame : root + QStringLiteral("&panel=medals");
    if (!ReadPanel(context, root, "kills", afterKills, ReadKillsPanel, rows)) {
        return GameOutcome::Stopped;
    }
    // A partially purged game has no medal and hit rows.
    if (!rows.partlyPurged) {
        if (!ReadPanel(context, root, "medals", root + QStringLiteral("&panel=hits"),
                       ReadMedalsPanel, rows) ||
            !ReadPanel(context, root, "hits", nextGame, ReadHitsPanel, rows)) {
            return GameOutcome::Stopped;
        }
    }
    context.gamePartlyPurged = rows.partlyPurged;
    StoreGame(context, rows);
    return GameOutcome::Read;
}

}  // namespace tw
