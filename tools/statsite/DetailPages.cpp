#include "statsite/DetailPages.h"

#include "statsite/GameListPage.h"
#include "statsite/PageFrame.h"
#include "statsite/PageText.h"

namespace tw::statsite {

namespace {

using pagetext::cp1252;

const char* panelText(Panel panel) {
    switch (panel) {
        case Panel::Stats:
            return "stats";
        case Panel::Kills:
            return "kills";
        case Panel::Medals:
            return "medals";
        case Panel::Hits:
            break;
    }
    return "hits";
}

QByteArray cellId(Panel panel, int entryIndex, const char* cell) {
    return QByteArray("ctl00_Main_grd") + panelText(panel) + "__ctl" +
           QByteArray::number(rowNumber(entryIndex)) + "_td" + cell;
}

QByteArray valueCell(const QByteArray& value) {
    return "<td class=\"Num\"><span class=\"ContentText\">" + value + "</span></td>";
}

QByteArray playerCell(const SiteRoots& roots, Panel panel, int index, const GameEntry& entry) {
    const QByteArray name =
        entry.guest
            ? "<span class=\"ContentText\">" + cp1252(entry.gamertag) + "</span>"
            : "<a class=\"ContentText\" href=\"" + cp1252(roots.stats) +
                  pagetext::urlEncode(entry.gamertag) + "\">" + cp1252(entry.gamertag) + "</a>";
    return "<td id=\"" + cellId(panel, index, "Player") + "\" class=\"Player\">" + name + "</td>";
}

QByteArray emblemOf(const World& world, const SiteRoots& roots, const GameEntry& entry) {
    const SitePlayer* player = world.findPlayer(entry.guest ? entry.hostOfGuest : entry.gamertag);
    QByteArray query = pagetext::emblemQuery(player ? player->emblem : Emblem{}, 30);
    query.replace("&", "&amp;");
    return "<img src=\"" + cp1252(roots.image) + query + "\" width=\"30\" height=\"30\" alt=\"\">";
}

QByteArray statsRow(const World& world, const SiteRoots& roots, const Game& game, int i) {
    const GameEntry& entry = game.entries[i];
    const QByteArray score =
        game.timed ? pagetext::clock(entry.score) : QByteArray::number(entry.score);
    return "<tr><td id=\"" + cellId(Panel::Stats, i, "Rank") + "\" class=\"Rank\"><span>" +
           pagetext::ordinal(entry.place) + "</span></td><td id=\"" +
           cellId(Panel::Stats, i, "Emblem") + "\" bgcolor=\"" + cp1252(entry.team) +
           "\" class=\"Emblem\">" + emblemOf(world, roots, entry) + "</td>" +
           playerCell(roots, Panel::Stats, i, entry) + "<td id=\"" +
           cellId(Panel::Stats, i, "Score") + "\" class=\"Score\"><span class=\"ContentText\">" +
           score + "</span></td></tr>\r\n";
}

QByteArray killsRow(const SiteRoots& roots, const Game& game, int i) {
    const GameEntry& entry = game.entries[i];
    return "<tr>" + playerCell(roots, Panel::Kills, i, entry) +
           valueCell(QByteArray::number(entry.kills)) +
           valueCell(QByteArray::number(entry.assists)) +
           valueCell(QByteArray::number(entry.deaths)) + "</tr>\r\n";
}

QByteArray corner(const char* name) {
    return QByteArray("<img src=\"/stats/images/Corner") + name + ".gif\" alt=\"\">";
}

// The medal box ends with the lower right corner picture; each medal is its count
// followed by its picture, whose file name is the medal's name.
QByteArray medalBox(const GameEntry& entry) {
    QByteArray medals;
    for (const EarnedMedal& medal : entry.medals) {
        medals += "<span class=\"ContentText\">" + QByteArray::number(medal.count) +
                  "</span><img src=\"/stats/images/Medals/" + cp1252(medal.name) + ".gif\" alt=\"" +
                  cp1252(medal.name) + "\"> ";
    }
    return "<td class=\"MedalBox\"><table class=\"Box\"><tr><td>" + corner("UpperLeft") +
           "</td><td></td><td>" + corner("UpperRight") + "</td></tr><tr><td></td><td>" + medals +
           "</td><td></td></tr><tr><td>" + corner("LowerLeft") + "</td><td></td><td>" +
           corner("LowerRight") + "</td></tr></table></td>";
}

QByteArray medalsRow(const SiteRoots& roots, const Game& game, int i) {
    const GameEntry& entry = game.entries[i];
    return "<tr>" + playerCell(roots, Panel::Medals, i, entry) +
           valueCell(QByteArray::number(entry.medalTotal())) + medalBox(entry) + "</tr>\r\n";
}

QByteArray hitsRow(const SiteRoots& roots, const Game& game, int i) {
    const GameEntry& entry = game.entries[i];
    const int accuracy = entry.shotsFired == 0 ? 0 : entry.shotsHit * 100 / entry.shotsFired;
    return "<tr>" + playerCell(roots, Panel::Hits, i, entry) +
           valueCell(QByteArray::number(entry.shotsHit)) +
           valueCell(QByteArray::number(entry.shotsFired)) + "<td class=\"Num\">" +
           QByteArray::number(accuracy) + "%</td><td id=\"" + cellId(Panel::Hits, i, "HeadShots") +
           "\" class=\"Num\"><span class=\"ContentText\">" + QByteArray::number(entry.shotsToHead) +
           "</span></td></tr>\r\n";
}

QByteArray tabs(const SiteRoots& roots, const Game& game) {
    QByteArray html = "<div class=\"Tabs\">";
    const char* captions[] = {"Carnage", "Kills", "Medals", "Hits"};
    const Panel panels[] = {Panel::Stats, Panel::Kills, Panel::Medals, Panel::Hits};
    for (int i = 0; i < 4; ++i) {
        html += " <a href=\"" + rootPath(roots.detail) + "?gameID=" + QByteArray::number(game.id) +
                "&amp;panel=" + panelText(panels[i]) + "\">" + captions[i] + "</a>";
    }
    return html + "</div>\r\n";
}

QByteArray summary(const Game& game) {
    QByteArray html = "<h1>" + cp1252(game.type) + " on " + cp1252(game.map) + "</h1>\r\n" +
                      "<table class=\"GameInfo\"><tr><td><b>Playlist:</b> " +
                      cp1252(game.playlist) + "</td><td><b>Played:</b> " +
                      pagetext::usDateTime(game.played) + "</td>";
    if (!game.partiallyPurged) {
        html += "<td>Game Length: " + pagetext::clock(game.durationSeconds) + "</td>";
    }
    html += "</tr></table>\r\n";
    if (game.partiallyPurged) {
        html +=
            "<p class=\"Notice\">This game has been partially purged: only the carnage and "
            "kills panels are kept.</p>\r\n";
    }
    return html;
}

QByteArray tableHead(Panel panel) {
    switch (panel) {
        case Panel::Stats:
            return "<tr><th>Place</th><th>&nbsp;</th><th>Player</th><th>Score</th></tr>\r\n";
        case Panel::Kills:
            return "<tr><th>Player</th><th>Kills</th><th>Assists</th><th>Deaths</th></tr>\r\n";
        case Panel::Medals:
            return "<tr><th>Player</th><th>Medals</th><th>Earned</th></tr>\r\n";
        case Panel::Hits:
            break;
    }
    return "<tr><th>Player</th><th>Hits</th><th>Shots</th><th>Accuracy</th>"
           "<th>Head Shots</th></tr>\r\n";
}

}  // namespace

bool panelNamed(const QString& name, Panel& panel) {
    for (Panel candidate : {Panel::Stats, Panel::Kills, Panel::Medals, Panel::Hits}) {
        if (name == QLatin1String(panelText(candidate))) {
            panel = candidate;
            return true;
        }
    }
    return false;
}

PageAnswer detailPage(const World& world, const SiteRoots& roots, const Game& game, Panel panel) {
    QByteArray body = pageframe::head("Game " + QByteArray::number(game.id));
    body += summary(game) + tabs(roots, game);
    body += "<table class=\"Carnage\">\r\n" + tableHead(panel);
    // A partially purged game keeps only its carnage and kills panels.
    const bool rows = !game.partiallyPurged || panel == Panel::Stats || panel == Panel::Kills;
    for (int i = 0; rows && i < game.entries.size(); ++i) {
        switch (panel) {
            case Panel::Stats:
                body += statsRow(world, roots, game, i);
                break;
            case Panel::Kills:
                body += killsRow(roots, game, i);
                break;
            case Panel::Medals:
                body += medalsRow(roots, game, i);
                break;
            case Panel::Hits:
                body += hitsRow(roots, game, i);
                break;
        }
    }
    body += "</table>\r\n" + pageframe::foot();
    return {200, body};
}

PageAnswer unknownGamePage(const QString& id) {
    return {404, pageframe::head("Game not found") +
                     "<h1>Game not found</h1>\r\n<p>There is no game " + pageframe::escaped(id) +
                     ".</p>\r\n" + pageframe::foot()};
}

}  // namespace tw::statsite
