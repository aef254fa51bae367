#pragma once
// The large database of the engine benchmark: 250,000 games with 8 players
// each (2,000,000 Game_Player rows), about a million medal rows, and one heavy
// player in every 25th game (10,000 games). Written by direct inserts.

#include <QString>

namespace tw::bench {

inline const QString kHeavyPlayer = QStringLiteral("Heavy Hitter");

struct BenchSize {
    int games = 250000;
    int playersPerGame = 8;
    int playerPool = 40000;
    int heavyEvery = 25;
};

// Builds the database at `path` (which must not exist) from a fresh copy of
// the delivered schema.
void buildBenchDatabase(const QString& path, const BenchSize& size);

}  // namespace tw::bench
