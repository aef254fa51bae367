#include "download/GameDetail.h"

#include "app/ProgramState.h"
#include "download/Cleanup.h"
#include "download/DownloadContext.h"
#include "download/Fetcher.h"
#include "download/TextRoutines.h"
#include "ui/frmMain.h"

namespace tw {
namespace {

const QByteArray kContentMarker = "class=\"ContentText\"";
const QByteArray kValueMarker = "xt\">";

struct Cell {
    QString text;
    qsizetype at = 0;  // d of a player cell, k of a value cell
};

// The player's name of a row whose marker is at p; a guest gets the row's
// control number so that several guests of one player stay apart.
Cell PlayerCell(const QByteArray& page, qsizetype p) {
    const qsizetype u = InStr(p - 10, page, "_ctl");
    const int32_t n = WholeNumber(ExtractUntil(page, u + 4, '_'));
    const qsizetype c = InStr(p, page, kContentMarker);
    const qsizetype d = InStr(c, page, ">");
    QString name = PageValue(ExtractUntil(page, d + 1, '<'));
    if (name.contains(QLatin1String("(G)"))) {
        name += QStringLiteral(" x") + QString::number(n);
    }
    return {name, d};
}

Cell ValueCell(const QByteArray& page, qsizetype s) {
    const qsizetype k = InStr(s, page, kValueMarker);
    return {PageValue(ExtractUntil(page, k + 4, '<')), k};
}

void NewStagedRow(Recordset& rs, int32_t g, const QString& name) {
    rs.AddNew();
    rs.SetField(QStringLiteral("Game_ID"), g);
    rs.SetField(QStringLiteral("Player_Gamertag"), name);
}

void ReadGameHeader(DownloadContext& context, int32_t g) {
    ProgramState& state = context.state;
    const QByteArray& page = state.PageData;
    if (InStr(1, page, "game has been partially purged") > 0) {
        context.GamePartlyPurged = true;
        RunSql(state, QStringLiteral("update Game set Was_Partially_Purged='Y' ") +
                          QStringLiteral("where Game_ID=") + QString::number(g));
        return;
    }
    context.GamePartlyPurged = false;
    const qsizetype p = InStr(1, page, "Game Length:");
    const QByteArray length = ExtractUntil(page, p + 13, '<');
    RunSql(state, QStringLiteral("update Game set Was_Partially_Purged='N', ") +
                      QStringLiteral("Duration_Seconds=") +
                      QString::number(TimeTextSeconds(length)) + QStringLiteral(" where Game_ID=") +
                      QString::number(g));
}

void ReadStatsRows(ProgramState& state, int32_t g) {
    const QByteArray& page = state.PageData;
    Recordset& rs = *state.rsLoadPanel1;
    qsizetype p = InStr(1, page, "tdRank");
    while (p != 0) {
        rs.AddNew();
        rs.SetField(QStringLiteral("Game_ID"), g);
        const qsizetype s = InStr(p, page, "<span>");
        rs.SetField(QStringLiteral("Finished_Place"),
                    LeadingNumber(ExtractUntil(page, s + 6, '<')));
        const qsizetype e = InStr(s, page, "tdEmblem");
        const qsizetype r = InStr(e, page, "r=");
        rs.SetField(QStringLiteral("Team_Color"),
                    PageValue(ExtractUntil(page, r + 3, '"').toUpper()));
        const Cell player = PlayerCell(page, InStr(r, page, "tdPlayer"));
        rs.SetField(QStringLiteral("Player_Gamertag"), player.text);
        const Cell score = ValueCell(page, InStr(player.at, page, "tdScore"));
        if (score.text.contains(QLatin1Char(':'))) {
            rs.SetField(QStringLiteral("Score"), TimeTextSeconds(score.text.toUtf8()));
        } else {
            rs.SetField(QStringLiteral("Score"), score.text);
        }
        SaveRow(rs);
        p = InStr(score.at, page, "tdRank");
    }
}

void ReadKillsRows(ProgramState& state, int32_t g) {
    const QByteArray& page = state.PageData;
    Recordset& rs = *state.rsLoadPanel2;
    qsizetype p = InStr(1, page, "tdPlayer");
    while (p != 0) {
        const Cell player = PlayerCell(page, p);
        NewStagedRow(rs, g, player.text);
        qsizetype from = player.at;
        qsizetype k = 0;
        for (const char* field : {"Kills", "Assists", "Deaths"}) {
            const Cell value = ValueCell(page, from);
            rs.SetField(QString::fromLatin1(field), value.text);
            k = value.at;
            from = k + 4;
        }
        SaveRow(rs);
        p = InStr(k, page, "tdPlayer");
    }
}

void ReadMedalRows(ProgramState& state, int32_t g) {
    const QByteArray& page = state.PageData;
    Recordset& rs = *state.rsLoadPanel4;
    qsizetype p = InStr(1, page, "tdPlayer");
    while (p != 0) {
        const Cell player = PlayerCell(page, p);
        const qsizetype k = InStr(player.at, page, kValueMarker);
        const double total = LeadingNumber(ExtractUntil(page, k + 4, '<'));
        if (total > 0) {
            qsizetype m = InStr(k + 4, page, kValueMarker);
            const qsizetype corner = InStr(k, page, "CornerLowerRight.gif");
            while (m != 0 && m <= corner) {
                NewStagedRow(rs, g, player.text);
                rs.SetField(QStringLiteral("Count_Earned"),
                            LeadingNumber(ExtractUntil(page, m + 4, '<')));
                const qsizetype q = InStr(m, page, "/Medals/");
                rs.SetField(QStringLiteral("Medal_Name"),
                            PageValue(ExtractUntil(page, q + 8, '.')));
                SaveRow(rs);
                m = InStr(q, page, kValueMarker);
            }
        }
        p = InStr(k, page, "tdPlayer");
    }
}

void ReadHitsRows(ProgramState& state, int32_t g) {
    const QByteArray& page = state.PageData;
    Recordset& rs = *state.rsLoadPanel5;
    qsizetype p = InStr(1, page, "tdPlayer");
    while (p != 0) {
        const Cell player = PlayerCell(page, p);
        NewStagedRow(rs, g, player.text);
        const Cell hit = ValueCell(page, player.at);
        rs.SetField(QStringLiteral("Shots_Hit"), hit.text);
        const Cell fired = ValueCell(page, hit.at + 4);
        rs.SetField(QStringLiteral("Shots_Fired"), fired.text);
        const qsizetype h = InStr(fired.at + 4, page, "tdHeadShots");
        rs.SetField(QStringLiteral("Shots_to_Head"), ValueCell(page, h).text);
        SaveRow(rs);
        p = InStr(h, page, "tdPlayer");
    }
}

// A stop inside game GameIds(index): the clean-up keeps the games finished
// before it. When it is the run's first game there is none, and its staged
// rows are dropped here, so a half-read game never reaches Game_Player (it
// would never be fetched again).
bool StoppedInsideGame(DownloadContext& context, int index, int32_t g) {
    if (!context.state.StopRequested) {
        return false;
    }
    const bool first = index >= context.GameIds.size();
    if (first) {
        for (const char* table :
             {"zLoad_Panel_1", "zLoad_Panel_2", "zLoad_Panel_4", "zLoad_Panel_5"}) {
            RunSql(context.state, QStringLiteral("delete * from ") + QString::fromLatin1(table) +
                                      QStringLiteral(" where Game_ID = ") + QString::number(g));
        }
    }
    return StoppedDuringFetch(context, first ? 0 : context.GameIds[index]);
}

}  // namespace

GameOutcome ReadGame(DownloadContext& context, int index) {
    ProgramState& state = context.state;
    Fetcher& fetcher = context.fetcher;
    const int32_t g = context.GameIds[index - 1];
    const QString root = state.settings.URL_Game_Detail + QString::number(g);
    // The next game of the run (GameIds runs newest first, the games are read
    // oldest first); none after the run's last.
    const QString nextGame = index > 1 ? state.settings.URL_Game_Detail +
                                             QString::number(context.GameIds[index - 2]) +
                                             QStringLiteral("&panel=stats")
                                       : QString();

    // Each page's successor is asked for before the page is stored.
    fetcher.DownloadPage(root + QStringLiteral("&panel=stats"), 0);
    if (StoppedInsideGame(context, index, g)) {
        return GameOutcome::Stopped;
    }
    fetcher.RequestAhead(root + QStringLiteral("&panel=kills"));
    ReadGameHeader(context, g);
    ReadStatsRows(state, g);

    fetcher.DownloadPage(root + QStringLiteral("&panel=kills"), 0);
    if (StoppedInsideGame(context, index, g)) {
        return GameOutcome::Stopped;
    }
    fetcher.RequestAhead(context.GamePartlyPurged ? nextGame
                                                  : root + QStringLiteral("&panel=medals"));
    ReadKillsRows(state, g);

    if (!context.GamePartlyPurged) {
        fetcher.DownloadPage(root + QStringLiteral("&panel=medals"), 0);
        if (StoppedInsideGame(context, index, g)) {
            return GameOutcome::Stopped;
        }
        fetcher.RequestAhead(root + QStringLiteral("&panel=hits"));
        ReadMedalRows(state, g);
        fetcher.DownloadPage(root + QStringLiteral("&panel=hits"), 0);
        if (StoppedInsideGame(context, index, g)) {
            return GameOutcome::Stopped;
        }
        fetcher.RequestAhead(nextGame);
        ReadHitsRows(state, g);
    }
    return GameOutcome::Read;
}

}  // namespace tw
