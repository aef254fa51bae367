// Builds the world of a seed: featured players and the filler players they meet,
// with gamertags, clans and emblems, then the games in time order.
#pragma once

#include "statsite/World.h"

namespace tw::statsite {

class WorldBuilder {
  public:
    static World build(const WorldOptions& options,
                       const Reference& reference = Reference::builtIn());

    // Adds games hosted by the named player after the newest game; returns their
    // ids, oldest first. An unknown gamertag adds nothing.
    static QList<qint32> grow(World& world, const QString& gamertag, int count);
};

}  // namespace tw::statsite
