#include "download/GamePanels.h"

#include <algorithm>

#include "download/PageReading.h"
#include "download/TextRoutines.h"

namespace tw {
namespace {

const QByteArray kContentMarker = "class=\"ContentText\"";
const QByteArray kValueMarker = "xt\">";

struct Cell {
    QByteArray text;
    qsizetype at = 0;  // d of a player cell, k of a value cell
};

QByteArray LeadingDigits(const QByteArray& text) {
    qsizetype n = 0;
    while (n < text.size() && text[n] >= '0' && text[n] <= '9') {
        ++n;
    }
    return text.left(n);
}

// The player's name of a row whose marker is at p; a guest gets the row's
// control number so that several guests of one player stay apart.
Cell PlayerCell(const QByteArray& page, qsizetype p) {
    const qsizetype u = FindRequired(std::max<qsizetype>(1, p - 10), page, "_ctl");
    const int32_t n = CountValue(LeadingDigits(ExtractUntil(page, u + 4, '_')), "the row number");
    const qsizetype c = FindRequired(p, page, kContentMarker);
    const qsizetype d = FindRequired(c, page, ">");
    QByteArray name = ExtractUntil(page, d + 1, '<');
    if (name.isEmpty()) {
        throw PageFailure(QStringLiteral("a player's row has no gamertag"));
    }
    if (name.contains("(G)")) {
        name += " x" + QByteArray::number(n);
    }
    return {name, d};
}

Cell ValueCell(const QByteArray& page, qsizetype s) {
    const qsizetype k = FindRequired(s, page, kValueMarker);
    return {ExtractUntil(page, k + 4, '<'), k};
}

void RequireRows(bool any, const char* panel) {
    if (!any) {
        throw PageFailure(QStringLiteral("the %1 panel lists no player").arg(QLatin1String(panel)));
    }
}

}  // namespace

void ReadStatsPanel(const QByteArray& page, GameRows& rows) {
    rows.partlyPurged = InStr(1, page, "game has been partially purged") > 0;
    if (!rows.partlyPurged) {
        const qsizetype p = FindRequired(1, page, "Game Length:");
        rows.durationSeconds = TimeValue(ExtractUntil(page, p + 13, '<'), "the game length");
    }
    qsizetype p = InStr(1, page, "tdRank");
    RequireRows(p != 0, "stats");
    while (p != 0) {
        StatsRow row;
        const qsizetype s = FindRequired(p, page, "<span>");
        row.place = LeadingNumber(ExtractUntil(page, s + 6, '<'));
        const qsizetype e = FindRequired(s, page, "tdEmblem");
        const qsizetype r = FindRequired(e, page, "r=");
        row.teamColor = PageValue(ExtractUntil(page, r + 3, '"').toUpper());
        const Cell player = PlayerCell(page, FindRequired(r, page, "tdPlayer"));
        row.gamertag = PageValue(player.text);
        const Cell score = ValueCell(page, FindRequired(player.at, page, "tdScore"));
        row.timeScore = score.text.contains(':');
        row.score = row.timeScore ? TimeValue(score.text, "the score")
                                  : SignedValue(score.text, "the score");
        rows.stats << row;
        p = InStr(score.at, page, "tdRank");
    }
}

void ReadKillsPanel(const QByteArray& page, GameRows& rows) {
    qsizetype p = InStr(1, page, "tdPlayer");
    RequireRows(p != 0, "kills");
    while (p != 0) {
        const Cell player = PlayerCell(page, p);
        KillsRow row;
        row.gamertag = PageValue(player.text);
        const Cell kills = ValueCell(page, player.at);
        row.kills = CountValue(kills.text, "the kills");
        const Cell assists = ValueCell(page, kills.at + 4);
        row.assists = CountValue(assists.text, "the assists");
        const Cell deaths = ValueCell(page, assists.at + 4);
        row.deaths = CountValue(deaths.text, "the deaths");
        rows.kills << row;
        p = InStr(deaths.at, page, "tdPlayer");
    }
}

void ReadMedalsPanel(const QByteArray& page, GameRows& rows) {
    qsizetype p = InStr(1, page, "tdPlayer");
    RequireRows(p != 0, "medals");
    while (p != 0) {
        const Cell player = PlayerCell(page, p);
        const qsizetype k = FindRequired(player.at, page, kValueMarker);
        const double total = LeadingNumber(ExtractUntil(page, k + 4, '<'));
        if (total > 0) {
            qsizetype m = InStr(k + 4, page, kValueMarker);
            const qsizetype corner = InStr(k, page, "CornerLowerRight.gif");
            while (m != 0 && m <= corner) {
                MedalRow row;
                row.gamertag = PageValue(player.text);
                row.count = CountValue(ExtractUntil(page, m + 4, '<'), "a medal count");
                const qsizetype q = FindRequired(m, page, "/Medals/");
                row.medal = PageValue(ExtractUntil(page, q + 8, '.'));
                rows.medals << row;
                m = InStr(q, page, kValueMarker);
            }
        }
        p = InStr(k, page, "tdPlayer");
    }
}

void ReadHitsPanel(const QByteArray& page, GameRows& rows) {
    qsizetype p = InStr(1, page, "tdPlayer");
    RequireRows(p != 0, "hits");
    while (p != 0) {
        const Cell player = PlayerCell(page, p);
        HitsRow row;
        row.gamertag = PageValue(player.text);
        const Cell hit = ValueCell(page, player.at);
        row.hit = CountValue(hit.text, "the shots hit");
        const Cell fired = ValueCell(page, hit.at + 4);
        row.fired = CountValue(fired.text, "the shots fired");
        const qsizetype h = FindRequired(fired.at + 4, page, "tdHeadShots");
        row.toHead = CountValue(ValueCell(page, h).text, "the shots to the head");
        rows.hits << row;
        p = InStr(h, page, "tdPlayer");
    }
}

}  // namespace tw
