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

QByteArray leadingDigits(const QByteArray& text) {
    qsizetype n = 0;
    while (n < text.size() && text[n] >= '0' && text[n] <= '9') {
        ++n;
    }
    return text.left(n);
}

// The player's name of a row whose marker is at p; a guest gets the row's
// control number so that several guests of one player stay apart.
Cell playerCell(const QByteArray& page, qsizetype p) {
    const qsizetype u = findRequired(std::max<qsizetype>(1, p - 10), page, "_ctl");
    const int32_t n = countValue(leadingDigits(extractUntil(page, u + 4, '_')), "the row number");
    const qsizetype c = findRequired(p, page, kContentMarker);
    const qsizetype d = findRequired(c, page, ">");
    QByteArray name = extractUntil(page, d + 1, '<');
    if (name.isEmpty()) {
        throw PageFailure(QStringLiteral("a player's row has no gamertag"));
    }
    if (name.contains("(G)")) {
        name += " x" + QByteArray::number(n);
    }
    return {name, d};
}

Cell valueCell(const QByteArray& page, qsizetype s) {
    const qsizetype k = findRequired(s, page, kValueMarker);
    return {extractUntil(page, k + 4, '<'), k};
}

void requireRows(bool any, const char* panel) {
    if (!any) {
        throw PageFailure(QStringLiteral("the %1 panel lists no player").arg(QLatin1String(panel)));
    }
}

}  // namespace

void readStatsPanel(const QByteArray& page, GameRows& rows) {
    rows.partlyPurged = inStr(1, page, "game has been partially purged") > 0;
    if (!rows.partlyPurged) {
        const qsizetype p = findRequired(1, page, "Game Length:");
        rows.durationSeconds = timeValue(extractUntil(page, p + 13, '<'), "the game length");
    }
    qsizetype p = inStr(1, page, "tdRank");
    requireRows(p != 0, "stats");
    while (p != 0) {
        StatsRow row;
        const qsizetype s = findRequired(p, page, "<span>");
        row.place = leadingNumber(extractUntil(page, s + 6, '<'));
        const qsizetype e = findRequired(s, page, "tdEmblem");
        const qsizetype r = findRequired(e, page, "r=");
        row.teamColor = pageValue(extractUntil(page, r + 3, '"').toUpper());
        const Cell player = playerCell(page, findRequired(r, page, "tdPlayer"));
        row.gamertag = pageValue(player.text);
        const Cell score = valueCell(page, findRequired(player.at, page, "tdScore"));
        row.timeScore = score.text.contains(':');
        row.score = row.timeScore ? timeValue(score.text, "the score")
                                  : signedValue(score.text, "the score");
        rows.stats << row;
        p = inStr(score.at, page, "tdRank");
    }
}

void readKillsPanel(const QByteArray& page, GameRows& rows) {
    qsizetype p = inStr(1, page, "tdPlayer");
    requireRows(p != 0, "kills");
    while (p != 0) {
        const Cell player = playerCell(page, p);
        KillsRow row;
        row.gamertag = pageValue(player.text);
        const Cell kills = valueCell(page, player.at);
        row.kills = countValue(kills.text, "the kills");
        const Cell assists = valueCell(page, kills.at + 4);
        row.assists = countValue(assists.text, "the assists");
        const Cell deaths = valueCell(page, assists.at + 4);
        row.deaths = countValue(deaths.text, "the deaths");
        rows.kills << row;
        p = inStr(deaths.at, page, "tdPlayer");
    }
}

void readMedalsPanel(const QByteArray& page, GameRows& rows) {
    qsizetype p = inStr(1, page, "tdPlayer");
    requireRows(p != 0, "medals");
    while (p != 0) {
        const Cell player = playerCell(page, p);
        const qsizetype k = findRequired(player.at, page, kValueMarker);
        const double total = leadingNumber(extractUntil(page, k + 4, '<'));
        if (total > 0) {
            qsizetype m = inStr(k + 4, page, kValueMarker);
            const qsizetype corner = inStr(k, page, "CornerLowerRight.gif");
            while (m != 0 && m <= corner) {
                MedalRow row;
                row.gamertag = pageValue(player.text);
                row.count = countValue(extractUntil(page, m + 4, '<'), "a medal count");
                const qsizetype q = findRequired(m, page, "/Medals/");
                row.medal = pageValue(extractUntil(page, q + 8, '.'));
                rows.medals << row;
                m = inStr(q, page, kValueMarker);
            }
        }
        p = inStr(k, page, "tdPlayer");
    }
}

void readHitsPanel(const QByteArray& page, GameRows& rows) {
    qsizetype p = inStr(1, page, "tdPlayer");
    requireRows(p != 0, "hits");
    while (p != 0) {
        const Cell player = playerCell(page, p);
        HitsRow row;
        row.gamertag = pageValue(player.text);
        const Cell hit = valueCell(page, player.at);
        row.hit = countValue(hit.text, "the shots hit");
        const Cell fired = valueCell(page, hit.at + 4);
        row.fired = countValue(fired.text, "the shots fired");
        const qsizetype h = findRequired(fired.at + 4, page, "tdHeadShots");
        row.toHead = countValue(valueCell(page, h).text, "the shots to the head");
        rows.hits << row;
        p = inStr(h, page, "tdPlayer");
    }
}

}  // namespace tw
