#include "statsite/PlayerPage.h"

#include "statsite/PageFrame.h"
#include "statsite/PageText.h"

namespace tw::statsite {

namespace {

using pagetext::cp1252;

const QByteArray kRowStart = "<tr><td class=\"HopperName\"><a class=\"";

QByteArray emblemImage(const SiteRoots& roots, const Emblem& emblem) {
    QByteArray query = pagetext::emblemQuery(emblem, 90);
    query.replace("&", "&amp;");
    return "<img id=\"imgEmblem\" src=\"" + cp1252(roots.image) + query +
           "\" width=\"90\" height=\"90\" alt=\"Emblem\">";
}

QByteArray infoRows(const World& world, const SitePlayer& player) {
    QByteArray rows;
    rows += "<tr><td class=\"Info\"><b>Gamertag:</b> " + cp1252(player.gamertag) + "</td></tr>\r\n";
    if (!player.clan.isEmpty()) {
        // The clan name follows the first ">" after the label.
        rows += "<tr><td class=\"Info\"><b>Clan:</b> " + cp1252(player.clan) + "</td></tr>\r\n";
    }
    rows += "<tr><td class=\"Info\"><b>Last Active:</b> " +
            pagetext::usDateTime(world.lastActive(player)) + "</td></tr>\r\n";
    rows += "<tr><td class=\"Info\"><b>Games:</b> " + QByteArray::number(player.games.size()) +
            "</td></tr>\r\n";
    return rows;
}

QByteArray levelCell(const PlaylistLevel& level) {
    if (level.level == 0) {
        return "<td class=\"Level\"><span class=\"NoGames\">No Games Played</span></td>";
    }
    const int percent = level.barWidth * 2;
    return "<td class=\"Level\"><span class=\"ExpBarText\">" + QByteArray::number(level.level) +
           "</span><br><img src=\"/stats/images/LevelBar.gif\" width=\"" +
           QByteArray::number(level.barWidth) + "\" height=\"6\" alt=\"" +
           QByteArray::number(percent) + " percent\"></td>";
}

// One playlist row. The reader resumes its search for the next playlist one
// cell-length past the end of the level cell, so the rest of the row is padded
// to be at least that long; otherwise a short row would hide the next playlist.
QByteArray hopperRow(const PlaylistLevel& level) {
    const QByteArray cell = levelCell(level);
    QByteArray notes = level.level == 0
                           ? QByteArray("&nbsp;")
                           : QByteArray::number(level.barWidth * 2) + "% of the way to level " +
                                 QByteArray::number(level.level + 1);
    const qsizetype cellLength = cell.size() - 5;  // from "<td" up to its "</td>"
    const QByteArray tail = "</td><td class=\"Notes\">" + notes + "</td></tr>\r\n";
    const qsizetype reach = tail.size() + kRowStart.size();
    if (reach <= cellLength) {
        notes += QByteArray(cellLength - reach + 8, ' ');
    }
    return kRowStart +
           "HopperLink\" href=\"/stats/playlist.aspx?name=" + pagetext::urlEncode(level.playlist) +
           "\">" + cp1252(level.playlist) + "</a></td>" + cell + "<td class=\"Notes\">" + notes +
           "</td></tr>\r\n";
}

QByteArray simplePage(const QByteArray& title, const QByteArray& content) {
    return pageframe::head(title) + content + pageframe::foot();
}

}  // namespace

PageAnswer playerPage(const World& world, const SiteRoots& roots, const SitePlayer& player) {
    QByteArray body = pageframe::head(cp1252(player.gamertag));
    body += "<h1 class=\"PlayerName\">" + cp1252(player.gamertag) + "</h1>\r\n";
    body += "<table class=\"PlayerCard\">\r\n<tr><td class=\"EmblemCell\" rowspan=\"5\">" +
            emblemImage(roots, player.emblem) + "</td></tr>\r\n";
    body += infoRows(world, player);
    body += "</table>\r\n<p><a href=\"" + cp1252(roots.games) +
            pagetext::urlEncode(player.gamertag) + "\">Game history</a></p>\r\n";
    body +=
        "<h2>Experience</h2>\r\n<table class=\"Hoppers\">\r\n"
        "<tr><th>Playlist</th><th>Level</th><th>Progress</th></tr>\r\n";
    for (const PlaylistLevel& level : world.levelsOf(player)) {
        body += hopperRow(level);
    }
    body += "</table>\r\n" + pageframe::foot();
    return {200, body};
}

PageAnswer notFoundPage(const QString& gamertag, NotFoundSignal signal) {
    const QByteArray tag = pageframe::escaped(gamertag);
    switch (signal) {
        case NotFoundSignal::BadRequest:
            return {
                400,
                "<html><head>" + pageframe::charsetMeta() +
                    "<title>400 Bad Request</title></head>\r\n<body><h1>Bad Request"
                    "</h1>\r\n<p>HTTP Error 400. 400 Bad Request: the request is invalid.</p>\r\n"
                    "</body></html>\r\n"};
        case NotFoundSignal::NoStats:
            return {200, simplePage("Not Found", "<h1>" + tag +
                                                     "</h1>\r\n<p>Sorry, we don't have stats for "
                                                     "this gamertag yet.</p>\r\n")};
        case NotFoundSignal::EmptyDate:
            return {200, simplePage(tag, "<h1 class=\"PlayerName\">" + tag +
                                             "</h1>\r\n<table class=\"PlayerCard\"><tr><td "
                                             "class=\"Info\"><b>Last Active:</b> 1/01/0001 12:00 "
                                             "AM</td></tr></table>\r\n")};
        case NotFoundSignal::DefaultAvatar:
            return {200, simplePage(tag, "<h1 class=\"PlayerName\">" + tag +
                                             "</h1>\r\n<table class=\"PlayerCard\"><tr><td><img "
                                             "src=\"/stats/images/default_avatar.gif\" alt=\"\">"
                                             "</td><td class=\"Info\"><b>Last Active:</b> "
                                             "11/9/2004 12:00 PM</td></tr></table>\r\n")};
        case NotFoundSignal::NoLastActive:
            break;
    }
    return {200, simplePage("Search", "<h1>Player search</h1>\r\n<p>No player named " + tag +
                                          " was found.</p>\r\n")};
}

}  // namespace tw::statsite
