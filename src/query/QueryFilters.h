#pragma once
// The player and game filters of the query row: each replaces every "WHERE"
// of a saved statement (exact letter case) with its own condition followed by
// AND, so every WHERE, sub-queries included, is narrowed the same way.

#include <QString>

namespace tw {

enum class PlayerFilter { All, TagList, Me };
enum class GameFilter { All, Ranked, Unranked };

// The statement actually run: the player filter first, then the game filter,
// so the game condition ends up first. The gamertag goes in with its
// apostrophes doubled.
QString applyQueryFilters(const QString& savedSql, PlayerFilter player, GameFilter game,
                          const QString& gamertag);

}  // namespace tw
