#include "statsite/World.h"

#include "statsite/Catalog.h"
#include "statsite/PageText.h"

namespace tw::statsite {

World::World(const WorldOptions& options, Reference reference)
    : options_(options), reference_(std::move(reference)), growth_(options.seed ^ 0x6A09E667ULL) {}

QStringList World::featuredGamertags() const {
    QStringList tags;
    for (const SitePlayer& player : players_) {
        if (player.featured) {
            tags.append(player.gamertag);
        }
    }
    return tags;
}

const SitePlayer* World::findPlayer(const QString& gamertag) const {
    const auto it = playerIndex_.constFind(gamertag.toLower());
    return it == playerIndex_.constEnd() ? nullptr : &players_[it.value()];
}

const Game* World::findGame(qint32 id) const {
    const auto it = gameIndex_.constFind(id);
    return it == gameIndex_.constEnd() ? nullptr : &games_[it.value()];
}

QList<const Game*> World::gamesNewestFirst(const SitePlayer& player) const {
    QList<const Game*> list;
    list.reserve(player.games.size());
    for (auto it = player.games.crbegin(); it != player.games.crend(); ++it) {
        list.append(&games_[*it]);
    }
    return list;
}

int World::pageCount(const SitePlayer& player) const {
    const int size = qMax(1, options_.pageSize);
    return qMax(1, static_cast<int>((player.games.size() + size - 1) / size));
}

QList<PlaylistLevel> World::levelsOf(const SitePlayer& player) const {
    QStringList played;
    for (int index : player.games) {
        played.append(games_[index].playlist);
    }
    QStringList shown = catalog::rankedPlaylistNames();
    Prng rng(options_.seed ^ Prng::hashOf(player.gamertag.toUtf8()));
    if (rng.percent(35)) {
        shown += catalog::extraPlaylistNames();
    }
    QList<PlaylistLevel> levels;
    for (const QString& playlist : shown) {
        // Both numbers are always drawn so a playlist's level does not depend on
        // whether an earlier playlist was played.
        const int drawnLevel = rng.between(1, 50);
        const int drawnWidth = rng.between(0, 49);
        PlaylistLevel level{playlist, 0, 0};
        const bool ranked = catalog::rankedPlaylistNames().contains(playlist);
        if (!ranked || played.contains(playlist)) {
            level.level = drawnLevel;
            level.barWidth = drawnWidth;
        }
        levels.append(level);
    }
    return levels;
}

QDateTime World::lastActive(const SitePlayer& player) const {
    if (player.games.isEmpty()) {
        return QDateTime(QDate(2004, 11, 9), QTime(12, 0), Qt::UTC);
    }
    return games_[player.games.last()].played;
}

NotFoundSignal World::signalFor(const QString& gamertag) {
    int sum = 0;
    for (char c : pagetext::cp1252(gamertag)) {
        sum += static_cast<unsigned char>(c);
    }
    return static_cast<NotFoundSignal>(sum % kNotFoundSignalCount);
}

QStringList World::unknownGamertags() const {
    QStringList names(kNotFoundSignalCount);
    int found = 0;
    for (int n = 1; found < kNotFoundSignalCount; ++n) {
        const QString name = QStringLiteral("Lost Soul %1").arg(n);
        const int signal = static_cast<int>(signalFor(name));
        if (names[signal].isEmpty() && findPlayer(name) == nullptr) {
            names[signal] = name;
            ++found;
        }
    }
    return names;
}

void World::addPlayer(SitePlayer player) {
    playerIndex_.insert(player.gamertag.toLower(), static_cast<int>(players_.size()));
    players_.append(std::move(player));
}

void World::addGame(Game game) {
    const int index = static_cast<int>(games_.size());
    for (const GameEntry& entry : game.entries) {
        if (!entry.guest) {
            players_[playerIndex_.value(entry.gamertag.toLower())].games.append(index);
        }
    }
    gameIndex_.insert(game.id, index);
    games_.append(std::move(game));
}

QDateTime World::newestTime() const {
    if (games_.isEmpty()) {
        return QDateTime(QDate(2004, 11, 9), QTime(18, 0), Qt::UTC);
    }
    return games_.last().played;
}

}  // namespace tw::statsite
