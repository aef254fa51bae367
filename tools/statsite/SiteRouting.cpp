// How the site maps a request target to an answer: the program's four request
// shapes first (longest root first), then the links a browser follows.
#include <algorithm>

#include "statsite/DetailPages.h"
#include "statsite/EmblemPicture.h"
#include "statsite/GameListPage.h"
#include "statsite/PageFrame.h"
#include "statsite/PageText.h"
#include "statsite/PlayerPage.h"
#include "statsite/SavedPages.h"
#include "statsite/Site.h"

namespace tw::statsite {

namespace {

enum class Shape { Player, GameList, Detail, Image, Other };

// The program's request shapes: the longest root the target starts with wins;
// rest is what follows it.
Shape shapeOf(const SiteRoots& roots, const QByteArray& target, QByteArray& rest) {
    QList<QPair<QByteArray, Shape>> shapes = {{pagetext::cp1252(roots.stats), Shape::Player},
                                              {pagetext::cp1252(roots.games), Shape::GameList},
                                              {pagetext::cp1252(roots.detail), Shape::Detail},
                                              {pagetext::cp1252(roots.image), Shape::Image}};
    std::stable_sort(shapes.begin(), shapes.end(),
                     [](const auto& a, const auto& b) { return a.first.size() > b.first.size(); });
    for (const auto& [root, shape] : shapes) {
        if (!root.isEmpty() && target.startsWith(root)) {
            rest = target.mid(root.size());
            return shape;
        }
    }
    return Shape::Other;
}

HttpAnswer fromPage(const PageAnswer& page) {
    return HttpAnswer::page(page.status, page.body);
}

HttpAnswer playerAnswer(const World& world, const SiteRoots& roots, const QByteArray& rest) {
    const QString tag = pagetext::urlDecode(rest);
    const SitePlayer* player = world.findPlayer(tag);
    return fromPage(player ? playerPage(world, roots, *player)
                           : notFoundPage(tag, World::signalFor(tag)));
}

HttpAnswer gameListAnswer(const World& world, const SiteRoots& roots, const QByteArray& rest) {
    const qsizetype amp = rest.indexOf('&');
    const QString tag = pagetext::urlDecode(amp < 0 ? rest : rest.left(amp));
    const SitePlayer* player = world.findPlayer(tag);
    if (player == nullptr) {
        return fromPage(notFoundPage(tag, World::signalFor(tag)));
    }
    bool ok = false;
    const int page =
        pagetext::queryValue(amp < 0 ? QByteArray() : rest.mid(amp + 1), "page").toInt(&ok);
    return fromPage(gameListPage(world, roots, *player, ok ? page : 1));
}

HttpAnswer detailAnswer(const World& world, const SiteRoots& roots, const QByteArray& id,
                        const QString& panelName) {
    bool ok = false;
    const qint32 number = id.toInt(&ok);
    const Game* game = ok ? world.findGame(number) : nullptr;
    Panel panel = Panel::Stats;
    if (game == nullptr || (!panelName.isEmpty() && !panelNamed(panelName, panel))) {
        return fromPage(unknownGamePage(QString::fromUtf8(id)));
    }
    return fromPage(detailPage(world, roots, *game, panel));
}

HttpAnswer indexPage(const World& world, const SiteRoots& roots) {
    QByteArray list;
    for (const QString& tag : world.featuredGamertags()) {
        list += "<li><a href=\"" + pagetext::cp1252(roots.stats) + pagetext::urlEncode(tag) +
                "\">" + pagetext::cp1252(tag) + "</a></li>\r\n";
    }
    return HttpAnswer::page(200, pageframe::head("Players") + "<h1>Players</h1>\r\n<ul>\r\n" +
                                     list + "</ul>\r\n" + pageframe::foot());
}

}  // namespace

HttpAnswer Site::route(const QByteArray& target) {
    if (!config_.pagesFolder.isEmpty()) {
        return SavedPages(config_.pagesFolder).answer(target);
    }
    return worldAnswer(target);
}

HttpAnswer Site::worldAnswer(const QByteArray& target) {
    const SiteRoots& roots = config_.roots;
    QByteArray rest;
    switch (shapeOf(roots, target, rest)) {
        case Shape::Player:
            return playerAnswer(*world_, roots, rest);
        case Shape::GameList:
            return gameListAnswer(*world_, roots, rest);
        case Shape::Detail: {
            const DetailRequest detail = *detailRequestOf(roots, target);
            return detailAnswer(*world_, roots, detail.id, detail.panel);
        }
        case Shape::Image:
            return HttpAnswer{200, "image/jpeg", emblemJpeg(rest, world_->reference()), {}};
        case Shape::Other:
            break;
    }
    return browseAnswer(target).value_or(HttpAnswer::notFound(target));
}

std::optional<DetailRequest> detailRequestOf(const SiteRoots& roots, const QByteArray& target) {
    QByteArray rest;
    if (shapeOf(roots, target, rest) == Shape::Detail) {
        const qsizetype amp = rest.indexOf('&');
        return DetailRequest{amp < 0 ? rest : rest.left(amp),
                             pagetext::queryValue(rest.mid(amp + 1), "panel")};
    }
    const qsizetype question = target.indexOf('?');
    const QByteArray query = question < 0 ? QByteArray() : target.mid(question + 1);
    const QString id = pagetext::queryValue(query, "gameID");
    if (question < 0 || target.left(question) != rootPath(roots.detail) || id.isEmpty()) {
        return std::nullopt;
    }
    return DetailRequest{id.toUtf8(), pagetext::queryValue(query, "panel")};
}

std::optional<HttpAnswer> Site::browseAnswer(const QByteArray& target) {
    const qsizetype question = target.indexOf('?');
    const QByteArray path = question < 0 ? target : target.left(question);
    if (path == "/" || path == "/index.html") {
        return indexPage(*world_, config_.roots);
    }
    if (const auto detail = detailRequestOf(config_.roots, target)) {
        return detailAnswer(*world_, config_.roots, detail->id, detail->panel);
    }
    if (path == "/stats/site.css") {
        return HttpAnswer{200, "text/css", pageframe::styleSheet(), {}};
    }
    if (path.startsWith("/stats/images/") && path.endsWith(".gif")) {
        const QByteArray file =
            QByteArray::fromPercentEncoding(path.mid(path.lastIndexOf('/') + 1));
        return HttpAnswer{200, "image/png", decorationPng(file), {}};
    }
    return std::nullopt;
}

}  // namespace tw::statsite
