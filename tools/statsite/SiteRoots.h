// The request shapes the site answers: the four roots of the program's settings.
// A root is a prefix of the request target; the rest carries the gamertag, the
// page, the game id and panel, or the emblem query.
#pragma once

#include <QString>

namespace tw::statsite {

struct SiteRoots {
    QString stats = QStringLiteral("/stats/player.aspx?tag=");
    QString games = QStringLiteral("/stats/games.aspx?tag=");
    QString detail = QStringLiteral("/stats/game.aspx?id=");
    QString image = QStringLiteral("/stats/emblem.ashx?");  // must end with "?"
};

}  // namespace tw::statsite
