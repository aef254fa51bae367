// The player page: gamertag, clan, last activity, emblem picture and the
// experience level per playlist; and the pages that tell a gamertag is unknown.
#pragma once

#include <QByteArray>

#include "statsite/SiteRoots.h"
#include "statsite/World.h"

namespace tw::statsite {

struct PageAnswer {
    int status = 200;
    QByteArray body;
};

PageAnswer playerPage(const World& world, const SiteRoots& roots, const SitePlayer& player);
PageAnswer notFoundPage(const QString& gamertag, NotFoundSignal signal);

}  // namespace tw::statsite
