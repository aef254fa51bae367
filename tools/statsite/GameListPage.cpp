#include "statsite/GameListPage.h"

#include "statsite/PageFrame.h"
#include "statsite/PageText.h"

namespace tw::statsite {

namespace {

using pagetext::cp1252;

// Type, then date, map and playlist cells: each value follows the first tag of a
// bare "<td>", which is what the reader counts on.
QByteArray gameRow(const SiteRoots& roots, const Game& game) {
    return "<tr class=\"Row\"><td class=\"GameType\"><a href=\"" + rootPath(roots.detail) +
           "?gameID=" + QByteArray::number(game.id) + "&amp;panel=stats\">" + cp1252(game.type) +
           "</a></td><td><span class=\"GameDate\">" + pagetext::usDateTime(game.played) +
           "</span></td><td><span class=\"GameMap\">" + cp1252(game.map) +
           "</span></td><td><span class=\"GamePlaylist\">" + cp1252(game.playlist) +
           "</span></td></tr>\r\n";
}

QByteArray pageLink(const SiteRoots& roots, const SitePlayer& player, int page) {
    return cp1252(roots.games) + pagetext::urlEncode(player.gamertag) +
           "&page=" + QByteArray::number(page);
}

QByteArray pager(const SiteRoots& roots, const SitePlayer& player, int page, int pages) {
    QByteArray html = "<div class=\"Pager\">Page " + QByteArray::number(page) + " of " +
                      QByteArray::number(pages) + ":";
    const int first = qMax(1, page - 4);
    const int last = qMin(pages, page + 4);
    for (int n = first; n <= last; ++n) {
        html += n == page ? " <b>" + QByteArray::number(n) + "</b>"
                          : " <a href=\"" + pageLink(roots, player, n).replace("&", "&amp;") +
                                "\">" + QByteArray::number(n) + "</a>";
    }
    if (page < pages) {
        // The program reads the page count from a literal "&page" after this class.
        html += " <a class=\"IBBPagerLastPage\" href=\"" + pageLink(roots, player, pages) +
                "\">Last &raquo;</a>";
    }
    return html + "</div>\r\n";
}

}  // namespace

QByteArray rootPath(const QString& root) {
    const qsizetype question = root.indexOf(QLatin1Char('?'));
    return cp1252(question < 0 ? root : root.left(question));
}

PageAnswer gameListPage(const World& world, const SiteRoots& roots, const SitePlayer& player,
                        int page) {
    const int pages = world.pageCount(player);
    const int size = qMax(1, world.options().pageSize);
    const QList<const Game*> games = world.gamesNewestFirst(player);
    QByteArray body = pageframe::head("Game History - " + cp1252(player.gamertag));
    body += "<h1>Game History: <a href=\"" + cp1252(roots.stats) +
            pagetext::urlEncode(player.gamertag) + "\">" + cp1252(player.gamertag) +
            "</a></h1>\r\n";
    body +=
        "<table class=\"GameHistory\">\r\n"
        "<tr><th>Game Type</th><th>Date</th><th>Map</th><th>Playlist</th></tr>\r\n";
    const qsizetype start = static_cast<qsizetype>(page - 1) * size;
    for (qsizetype i = start; page >= 1 && i < games.size() && i < start + size; ++i) {
        body += gameRow(roots, *games[i]);
    }
    body += "</table>\r\n";
    if (page > pages) {
        body += "<p>No more games.</p>\r\n";
    } else if (pages > 1) {
        body += pager(roots, player, page, pages);
    }
    return {200, body + pageframe::foot()};
}

}  // namespace tw::statsite
