// The request shapes the site answers: the four roots of the program's settings.
// A root is a prefix of the request target; the rest carries the gamertag, the
// page, the game id and panel, or the emblem query.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace tw::statsite {

struct SiteRoots {
    QString stats = QStringLiteral("/stats/player.aspx?tag=");
    QString games = QStringLiteral("/stats/games.aspx?tag=");
    QString detail = QStringLiteral("/stats/game.aspx?id=");
    QString image = QStringLiteral("/stats/emblem.ashx?");  // must end with "?"
};

// A request for a game's detail panel: by the detail root, or by the game list's
// "gameID=" link.
struct DetailRequest {
    QByteArray id;  // as written in the target
    QString panel;  // empty: the stats panel
};
std::optional<DetailRequest> detailRequestOf(const SiteRoots& roots, const QByteArray& target);

}  // namespace tw::statsite
