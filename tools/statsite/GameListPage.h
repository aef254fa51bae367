// The paged game list of a player, newest game first. Pages run from 1; a page
// beyond the last lists no games and has no pager. Every page but the last carries
// the pager's last-page link (class "IBBPagerLastPage"), whose "&page=" names the
// page count; a list of one page has no pager at all.
#pragma once

#include "statsite/PlayerPage.h"

namespace tw::statsite {

PageAnswer gameListPage(const World& world, const SiteRoots& roots, const SitePlayer& player,
                        int page);
// The path part of a root ("/stats/game.aspx" of "/stats/game.aspx?id="), for links.
QByteArray rootPath(const QString& root);

}  // namespace tw::statsite
