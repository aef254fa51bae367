#include "statsite/WorldBuilder.h"

#include <QSet>

#include "statsite/Catalog.h"
#include "statsite/GameMaker.h"

namespace tw::statsite {

namespace {

// Gamertags in several shapes so that blanks, dots, dashes, underscores and
// digits all occur; the shape follows the player's number.
QString gamertagShape(int number, Prng& rng) {
    const QStringList& words = catalog::nameWords();
    const QStringList& adjectives = catalog::nameAdjectives();
    const QString& word = words[rng.below(static_cast<int>(words.size()))];
    const QString& adjective = adjectives[rng.below(static_cast<int>(adjectives.size()))];
    switch (number % 6) {
        case 0:
            return adjective + QLatin1Char(' ') + word;
        case 1:
            return adjective + QLatin1Char('.') + word;
        case 2:
            return word + QLatin1Char('-') + QString::number(rng.between(1, 99));
        case 3:
            return adjective + QLatin1Char('_') + word;
        case 4:
            return word + QString::number(rng.between(100, 999));
        default:
            return adjective + QLatin1Char(' ') + word + QLatin1Char(' ') +
                   QString::number(rng.between(1, 9));
    }
}

QString uniqueGamertag(int number, Prng& rng, QSet<QString>& taken) {
    QString name = gamertagShape(number, rng);
    for (int suffix = 2; taken.contains(name.toLower()); ++suffix) {
        name = gamertagShape(number, rng);
        if (taken.contains(name.toLower())) {
            name = name.left(13) + QString::number(suffix);
        }
    }
    taken.insert(name.toLower());
    return name;
}

Emblem drawEmblem(const Reference& reference, Prng& rng) {
    const int colorCount = qMax(1, static_cast<int>(reference.colors.size()));
    auto color = [&] {
        return reference.colors.isEmpty() ? 0 : reference.colors[rng.below(colorCount)].code;
    };
    Emblem emblem;
    emblem.primary = color();
    emblem.secondary = color();
    emblem.tertiary = color();
    emblem.quaternary = color();
    emblem.foreground = rng.between(0, 7);
    emblem.background = rng.between(0, 7);
    return emblem;
}

// Player 1 never has a clan, so every world has a clanless featured player.
QString drawClan(int number, bool featured, Prng& rng) {
    const bool hasClan = featured ? (number % 4 != 1 && rng.percent(80)) : rng.percent(45);
    if (!hasClan) {
        return {};
    }
    const QStringList& clans = catalog::clanNames();
    return clans[rng.below(static_cast<int>(clans.size()))];
}

int drawHost(int featuredCount, Prng& rng) {
    // Activity falls off with the player's number: player 0 hosts the most games.
    int total = 0;
    for (int i = 0; i < featuredCount; ++i) {
        total += 1000 / (i + 1);
    }
    int pick = rng.below(total);
    for (int i = 0; i < featuredCount; ++i) {
        if (pick < 1000 / (i + 1)) {
            return i;
        }
        pick -= 1000 / (i + 1);
    }
    return 0;
}

// The accent players come after the seed's world, with their own generator, so
// a world without them is the same as before they existed. Each hosts games,
// and both join a game of the first player.
void addAccentPlayers(World& world, const Reference& reference) {
    Prng rng(world.options().seed ^ 0xE9E8C0FFEEULL);
    const int first = static_cast<int>(world.players().size());
    for (const QString& tag : accentGamertags()) {
        SitePlayer player;
        player.featured = true;
        player.gamertag = tag;
        // One of the two in a clan, so both the clan and the clanless paths meet them.
        player.clan =
            player.gamertag == accentGamertags().first()
                ? catalog::clanNames()[rng.below(static_cast<int>(catalog::clanNames().size()))]
                : QString();
        player.emblem = drawEmblem(reference, rng);
        world.addPlayer(player);
    }
    for (int n = 0; n < 7; ++n) {
        GameRequest request;
        if (n == 4) {
            request.host = 0;
            request.with = {first, first + 1};
            request.playlist = QStringLiteral("Team Slayer");
        } else {
            request.host = first + n % 2;
        }
        world.addGame(GameMaker(world, rng).make(request));
    }
}

}  // namespace

World WorldBuilder::build(const WorldOptions& options, const Reference& reference) {
    World world(options, reference);
    Prng rng(options.seed);
    QSet<QString> taken;
    const int featured = qMax(1, options.players);
    const int fillers = qMax(24, 3 * featured);
    for (int number = 0; number < featured + fillers; ++number) {
        SitePlayer player;
        player.featured = number < featured;
        player.gamertag = uniqueGamertag(number, rng, taken);
        player.clan = drawClan(number, player.featured, rng);
        player.emblem = drawEmblem(reference, rng);
        world.addPlayer(player);
    }
    for (int n = 0; n < options.games; ++n) {
        GameRequest request;
        request.host = drawHost(featured, rng);
        if (n == 0) {
            request.purged = 1;  // every world has a partially purged game
        } else if (n == 1) {
            // ... and a timed team game with two guests of one player.
            request.playlist = QStringLiteral("Team Skirmish");
            request.type = QStringLiteral("Team Ball");
            request.guests = 2;
            request.purged = 0;
        }
        world.addGame(GameMaker(world, rng).make(request));
    }
    if (options.accents) {
        addAccentPlayers(world, reference);
    }
    return world;
}

QList<qint32> WorldBuilder::grow(World& world, const QString& gamertag, int count) {
    QList<qint32> ids;
    const SitePlayer* player = world.findPlayer(gamertag);
    if (player == nullptr) {
        return ids;
    }
    const int host = static_cast<int>(player - world.players().constData());
    for (int i = 0; i < count; ++i) {
        GameRequest request;
        request.host = host;
        Game game = GameMaker(world, world.growthPrng()).make(request);
        ids.append(game.id);
        world.addGame(std::move(game));
    }
    return ids;
}

}  // namespace tw::statsite
