// The site's world: every player the site knows and every game it lists, with the
// look-ups the pages and the ground truth need. Built from a seed by WorldBuilder;
// grows by GameMaker while the site runs.
#pragma once

#include <QHash>
#include <QList>
#include <QString>

#include "statsite/Prng.h"
#include "statsite/Reference.h"
#include "statsite/WorldTypes.h"

namespace tw::statsite {

// The five ways the site tells that it does not know a gamertag.
enum class NotFoundSignal {
    BadRequest = 0,     // "400 Bad Request"
    NoStats = 1,        // "don't have stats"
    EmptyDate = 2,      // "1/01/0001 12:00 AM" as the last-active date
    DefaultAvatar = 3,  // "default_avatar.gif" as the emblem
    NoLastActive = 4,   // a page without "Last Active"
};
inline constexpr int kNotFoundSignalCount = 5;

class World {
  public:
    World(const WorldOptions& options, Reference reference);

    const WorldOptions& options() const { return options_; }
    const Reference& reference() const { return reference_; }
    const QList<SitePlayer>& players() const { return players_; }
    const QList<Game>& games() const { return games_; }
    QStringList featuredGamertags() const;

    // Case-insensitive, as gamertags are on the site; nullptr when unknown.
    const SitePlayer* findPlayer(const QString& gamertag) const;
    const Game* findGame(qint32 id) const;
    // The player's games, newest first (the game list's order).
    QList<const Game*> gamesNewestFirst(const SitePlayer& player) const;
    int pageCount(const SitePlayer& player) const;
    // Levels of the five ranked playlists (and the extras some players show);
    // a playlist the player has no ranked game in shows "No Games Played".
    QList<PlaylistLevel> levelsOf(const SitePlayer& player) const;
    QDateTime lastActive(const SitePlayer& player) const;

    // The signal an unknown gamertag is answered with: the sum of its bytes modulo 5.
    static NotFoundSignal signalFor(const QString& gamertag);
    // One unknown gamertag per signal, in the order of NotFoundSignal.
    QStringList unknownGamertags() const;

    // Building and growth.
    void addPlayer(SitePlayer player);
    void addGame(Game game);
    Prng& growthPrng() { return growth_; }
    qint32 newestId() const { return games_.isEmpty() ? 0 : games_.last().id; }
    QDateTime newestTime() const;

  private:
    WorldOptions options_;
    Reference reference_;
    QList<SitePlayer> players_;
    QList<Game> games_;
    QHash<QString, int> playerIndex_;  // lower-case gamertag -> index
    QHash<qint32, int> gameIndex_;
    Prng growth_;
};

}  // namespace tw::statsite
