#include "statsite/ScraperRules.h"

#include <cmath>

namespace statsite_test {

namespace {

const QByteArray kContent = "class=\"ContentText\"";
const QByteArray kValue = "xt\">";

struct Cell {
    QByteArray text;
    qsizetype at = 0;  // d of a player cell, k of a value cell
};

Cell playerCell(const QByteArray& page, qsizetype p) {
    const qsizetype u = inStr(p - 10, page, "_ctl");
    const QByteArray number = QByteArray::number(leadingNumber(extractUntil(page, u + 4, '_')));
    const qsizetype c = inStr(p, page, kContent);
    const qsizetype d = inStr(c, page, ">");
    QByteArray name = extractUntil(page, d + 1, '<');
    if (name.contains("(G)")) {
        name += " x" + number;
    }
    return {name, d};
}

Cell valueCell(const QByteArray& page, qsizetype s) {
    const qsizetype k = inStr(s, page, kValue);
    return {extractUntil(page, k + 4, '<'), k};
}

}  // namespace

qsizetype inStr(qsizetype start, const QByteArray& text, const QByteArray& marker) {
    if (start < 1) {
        throw std::runtime_error("search from position " + std::to_string(start));
    }
    const qsizetype found = text.toLower().indexOf(marker.toLower(), start - 1);
    return found < 0 ? 0 : found + 1;
}

QByteArray extractUntil(const QByteArray& text, qsizetype start, char stop) {
    if (start < 1) {
        throw std::runtime_error("extract from position " + std::to_string(start));
    }
    QByteArray collected;
    for (qsizetype i = start - 1; i < text.size() && text[i] != stop; ++i) {
        collected += text[i];
    }
    while (collected.startsWith(' ')) {
        collected.remove(0, 1);
    }
    while (collected.endsWith(' ')) {
        collected.chop(1);
    }
    return collected;
}

double leadingNumber(const QByteArray& text) {
    qsizetype i = 0;
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
    QByteArray number;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        number += text[i++];
    }
    bool point = false;
    for (; i < text.size(); ++i) {
        if (text[i] >= '0' && text[i] <= '9') {
            number += text[i];
        } else if (text[i] == '.' && !point) {
            point = true;
            number += '.';
        } else {
            break;
        }
    }
    bool ok = false;
    const double value = number.toDouble(&ok);
    return ok ? value : 0;
}

int timeTextSeconds(const QByteArray& text) {
    return static_cast<int>(std::lround(leadingNumber(text.left(2)) * 3600 +
                                        leadingNumber(text.mid(3, 2)) * 60 +
                                        leadingNumber(text.right(2))));
}

QByteArray urlEncode(const QByteArray& text) {
    QByteArray out;
    for (char c : text) {
        if (c == ' ') {
            out += '+';
        } else if (QByteArray("0123456789").contains(c) || (c >= 'A' && c <= 'Z') ||
                   (c >= 'a' && c <= 'z')) {
            out += c;
        } else {
            out += '%' + QByteArray::number(static_cast<unsigned char>(c), 16)
                             .toUpper()
                             .rightJustified(2, '0');
        }
    }
    return out;
}

QByteArray replaceAll(QByteArray text, const QByteArray& what, const QByteArray& with) {
    qsizetype at = 0;
    while ((at = text.toLower().indexOf(what.toLower(), at)) >= 0) {
        text.replace(at, what.size(), with);
        at += with.size();
    }
    return text;
}

ScrapedPlayer scrapePlayer(const QByteArray& page) {
    ScrapedPlayer player;
    for (const char* signal :
         {"400 Bad Request", "don't have stats", "1/01/0001 12:00 AM", "default_avatar.gif"}) {
        player.notFound = player.notFound || inStr(1, page, signal) > 0;
    }
    if (player.notFound || inStr(1, page, "Last Active") == 0) {
        player.notFound = true;
        return player;
    }
    const qsizetype clan = inStr(1, page, "Clan:");
    if (clan > 1) {
        player.hasClan = true;
        player.clan = extractUntil(page, inStr(clan + 5, page, ">") + 1, '<');
    }
    for (qsizetype p = inStr(1, page, "HopperLink"); p != 0;) {
        ScrapedLevel level;
        const qsizetype q = inStr(p, page, ">");
        level.playlist = extractUntil(page, q + 1, '<');
        const qsizetype a = inStr(q + 1, page, "<td");
        const qsizetype b = inStr(a + 1, page, "</td>");
        const QByteArray cell = page.mid(a - 1, b - a);
        if (inStr(1, cell, "No Games Played") > 0) {
            level.level = "0";
        } else {
            const qsizetype x = inStr(1, cell, "ExpBarText");
            const qsizetype y = inStr(x + 10, cell, ">");
            level.level = extractUntil(cell, y + 1, '<');
            const qsizetype z = inStr(y, cell, "LevelBar.gif");
            const qsizetype w = inStr(z, cell, "width");
            level.progress = 2 * leadingNumber(extractUntil(cell, w + 7, '"'));
        }
        player.levels.append(level);
        p = inStr(b + cell.size(), page, "HopperLink");
    }
    const qsizetype e = inStr(1, page, "imgEmblem");
    QByteArray query = extractUntil(page, inStr(e, page, "?") + 1, '"');
    query = replaceAll(replaceAll(query, "amp;", ""), "s=90", "s=70");
    player.primary = static_cast<int>(
        std::lround(leadingNumber(extractUntil(query, inStr(1, query, "0=") + 2, '&'))));
    player.secondary = static_cast<int>(
        std::lround(leadingNumber(extractUntil(query, inStr(1, query, "1=") + 2, '&'))));
    player.query = query;
    QByteArray small = replaceAll(query, "s=70", "s=30");
    const QByteArray colours = extractUntil(small, inStr(1, small, "0="), 'f');
    small = replaceAll(small, colours, "0=0&1=0&2=1&3=1&");
    const QByteArray background = extractUntil(small, inStr(1, small, "b="), '&');
    player.smallQuery = replaceAll(small, background, "b=1");
    return player;
}

int scrapePageCount(const QByteArray& page) {
    const qsizetype p = inStr(1, page, "class=\"IBBPagerLastPage\"");
    if (p == 0) {
        return 1;
    }
    const qsizetype q = inStr(p, page, "&page");
    return static_cast<int>(leadingNumber(extractUntil(page, q + 6, '"')));
}

QList<ScrapedGame> scrapeGameRows(const QByteArray& page) {
    QList<ScrapedGame> rows;
    for (qsizetype pos = 1;;) {
        const qsizetype g = inStr(pos, page, "gameID");
        if (g < 1) {
            return rows;
        }
        ScrapedGame game;
        game.id = static_cast<qint32>(leadingNumber(extractUntil(page, g + 7, '&')));
        qsizetype t = inStr(g + 1, page, ">");
        game.type = extractUntil(page, t + 1, '<');
        for (QByteArray* field : {&game.date, &game.map, &game.playlist}) {
            const qsizetype c = inStr(t, page, "<td>");
            t = inStr(c + 4, page, ">");
            *field = extractUntil(page, t + 1, '<');
        }
        rows.append(game);
        pos = t + 1;
    }
}

ScrapedStats scrapeStats(const QByteArray& page) {
    ScrapedStats stats;
    stats.purged = inStr(1, page, "game has been partially purged") > 0;
    if (!stats.purged) {
        stats.length = extractUntil(page, inStr(1, page, "Game Length:") + 13, '<');
    }
    for (qsizetype p = inStr(1, page, "tdRank"); p != 0;) {
        ScrapedEntry entry;
        const qsizetype s = inStr(p, page, "<span>");
        entry.place = leadingNumber(extractUntil(page, s + 6, '<'));
        const qsizetype e = inStr(s, page, "tdEmblem");
        const qsizetype r = inStr(e, page, "r=");
        entry.color = extractUntil(page, r + 3, '"').toUpper();
        const Cell player = playerCell(page, inStr(r, page, "tdPlayer"));
        entry.name = player.text;
        const Cell score = valueCell(page, inStr(player.at, page, "tdScore"));
        entry.score = score.text;
        stats.entries.append(entry);
        p = inStr(score.at, page, "tdRank");
    }
    return stats;
}

QList<ScrapedEntry> scrapeKills(const QByteArray& page) {
    QList<ScrapedEntry> entries;
    for (qsizetype p = inStr(1, page, "tdPlayer"); p != 0;) {
        ScrapedEntry entry;
        const Cell player = playerCell(page, p);
        entry.name = player.text;
        qsizetype from = player.at;
        qsizetype k = 0;
        for (int i = 0; i < 3; ++i) {
            const Cell value = valueCell(page, from);
            entry.values.append(value.text);
            k = value.at;
            from = k + 4;
        }
        entries.append(entry);
        p = inStr(k, page, "tdPlayer");
    }
    return entries;
}

QList<ScrapedMedal> scrapeMedals(const QByteArray& page) {
    QList<ScrapedMedal> medals;
    for (qsizetype p = inStr(1, page, "tdPlayer"); p != 0;) {
        const Cell player = playerCell(page, p);
        const qsizetype k = inStr(player.at, page, kValue);
        const double total = leadingNumber(extractUntil(page, k + 4, '<'));
        if (total > 0) {
            qsizetype m = inStr(k + 4, page, kValue);
            const qsizetype corner = inStr(k, page, "CornerLowerRight.gif");
            while (m != 0 && m <= corner) {
                ScrapedMedal medal;
                medal.name = player.text;
                medal.count = leadingNumber(extractUntil(page, m + 4, '<'));
                const qsizetype q = inStr(m, page, "/Medals/");
                medal.medal = extractUntil(page, q + 8, '.');
                medals.append(medal);
                m = inStr(q, page, kValue);
            }
        }
        p = inStr(k, page, "tdPlayer");
    }
    return medals;
}

QList<ScrapedEntry> scrapeHits(const QByteArray& page) {
    QList<ScrapedEntry> entries;
    for (qsizetype p = inStr(1, page, "tdPlayer"); p != 0;) {
        ScrapedEntry entry;
        const Cell player = playerCell(page, p);
        entry.name = player.text;
        const Cell hit = valueCell(page, player.at);
        const Cell fired = valueCell(page, hit.at + 4);
        const qsizetype h = inStr(fired.at + 4, page, "tdHeadShots");
        entry.values = {hit.text, fired.text, valueCell(page, h).text};
        entries.append(entry);
        p = inStr(h, page, "tdPlayer");
    }
    return entries;
}

}  // namespace statsite_test
