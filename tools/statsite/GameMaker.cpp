#include "statsite/GameMaker.h"

#include <QHash>
#include <algorithm>

#include "statsite/Catalog.h"

namespace tw::statsite {

namespace {

const PlaylistRule& ruleNamed(const QString& name) {
    for (const PlaylistRule& rule : catalog::playlists()) {
        if (rule.name == name) {
            return rule;
        }
    }
    return catalog::playlists().first();
}

const PlaylistRule& drawRule(Prng& rng) {
    int total = 0;
    for (const PlaylistRule& rule : catalog::playlists()) {
        total += rule.weight;
    }
    int pick = rng.below(total);
    for (const PlaylistRule& rule : catalog::playlists()) {
        if (pick < rule.weight) {
            return rule;
        }
        pick -= rule.weight;
    }
    return catalog::playlists().first();
}

template <typename T>
void shuffle(QList<T>& list, Prng& rng) {
    for (qsizetype i = list.size() - 1; i > 0; --i) {
        list.swapItemsAt(i, rng.below(static_cast<int>(i + 1)));
    }
}

}  // namespace

Game GameMaker::make(const GameRequest& request) {
    const PlaylistRule& rule =
        request.playlist.isEmpty() ? drawRule(rng_) : ruleNamed(request.playlist);
    Game game;
    game.id = world_.newestId() == 0 ? 48213000 + rng_.between(0, 999)
                                     : world_.newestId() + rng_.between(1, 9000);
    game.played = world_.newestTime().addSecs(60LL * rng_.between(7, 400));
    game.playlist = rule.name;
    game.type = request.type.isEmpty() ? rule.types[rng_.below(static_cast<int>(rule.types.size()))]
                                       : request.type;
    game.map = catalog::maps()[rng_.below(static_cast<int>(catalog::maps().size()))];
    game.timed = catalog::isTimedType(game.type);
    game.durationSeconds = rng_.between(240, 1500);
    game.partiallyPurged = request.purged < 0 ? rng_.percent(7) : request.purged == 1;

    const bool teams = catalog::isTeamType(game.type);
    int count = rng_.between(rule.minPlayers, rule.maxPlayers);
    if (teams && count % 2 == 1) {
        ++count;
    }
    int guests = request.guests;
    if (guests < 0) {
        guests = (teams && count >= 4 && rng_.percent(12)) ? rng_.between(1, 2) : 0;
    }
    for (int index : chooseParticipants(request, count - guests, game.playlist)) {
        GameEntry entry;
        entry.gamertag = world_.players()[index].gamertag;
        game.entries.append(entry);
    }
    if (guests > 0) {
        // Most guests come with the host; some with another player of the game.
        const QString guestHost =
            rng_.percent(60)
                ? world_.players()[request.host].gamertag
                : game.entries[rng_.below(static_cast<int>(game.entries.size()))].gamertag;
        addGuests(game, guests, guestHost);
    }
    fillFigures(game);
    if (teams) {
        const bool manyTeams = game.playlist == kArrangedGame && count >= 6 && rng_.percent(25);
        rankTeams(game, manyTeams ? rng_.between(3, 4) : 2);
    } else {
        rankFreeForAll(game);
    }
    return game;
}

QList<int> GameMaker::chooseParticipants(const GameRequest& request, int count,
                                         const QString& playlist) {
    QList<int> chosen{request.host};
    chosen += request.with;
    const QList<SitePlayer>& players = world_.players();
    // Other featured players join now and then, so some games are shared.
    const int joinChance = playlist == kArrangedGame ? 15 : 5;
    for (int i = 0; i < players.size() && chosen.size() < count; ++i) {
        if (players[i].featured && !chosen.contains(i) && rng_.percent(joinChance)) {
            chosen.append(i);
        }
    }
    QList<int> fillers;
    for (int i = 0; i < players.size(); ++i) {
        if (!players[i].featured) {
            fillers.append(i);
        }
    }
    shuffle(fillers, rng_);
    for (int index : fillers) {
        if (chosen.size() >= count) {
            break;
        }
        chosen.append(index);
    }
    return chosen;
}

void GameMaker::addGuests(Game& game, int guests, const QString& hostTag) {
    for (int i = 0; i < guests; ++i) {
        GameEntry entry;
        entry.gamertag = hostTag + QStringLiteral("(G)");
        entry.guest = true;
        entry.hostOfGuest = hostTag;
        game.entries.append(entry);
    }
}

void GameMaker::fillFigures(Game& game) {
    for (GameEntry& entry : game.entries) {
        entry.kills = rng_.between(0, 25);
        entry.deaths = rng_.between(0, 22);
        entry.assists = rng_.between(0, 9);
        entry.score = drawScore(game.type, entry.kills);
        entry.shotsFired = rng_.between(12, 320);
        entry.shotsHit = entry.shotsFired * rng_.between(15, 65) / 100;
        entry.shotsToHead = qMin(entry.shotsHit, rng_.between(0, entry.kills));
        entry.medals = drawMedals(entry.kills);
    }
}

int GameMaker::drawScore(const QString& type, int kills) {
    if (catalog::isTimedType(type)) {
        return rng_.between(0, 290);
    }
    if (type.contains(QStringLiteral("CTF")) || type == QStringLiteral("Assault")) {
        return rng_.between(0, 3);
    }
    if (type == QStringLiteral("Territories") || type == QStringLiteral("Juggernaut")) {
        return rng_.between(0, 14);
    }
    return kills;
}

QList<EarnedMedal> GameMaker::drawMedals(int kills) {
    QList<EarnedMedal> medals;
    const QStringList& names = world_.reference().medalNames;
    if (names.isEmpty() || rng_.percent(20)) {
        return medals;
    }
    const int kinds =
        qMin(static_cast<int>(names.size()), rng_.between(1, 3) + (kills > 12 ? 1 : 0));
    QList<int> order;
    for (int i = 0; i < names.size(); ++i) {
        order.append(i);
    }
    shuffle(order, rng_);
    for (int i = 0; i < kinds; ++i) {
        medals.append(EarnedMedal{names[order[i]], rng_.between(1, 3)});
    }
    return medals;
}

void GameMaker::rankFreeForAll(Game& game) {
    std::stable_sort(game.entries.begin(), game.entries.end(),
                     [](const GameEntry& a, const GameEntry& b) {
                         return a.score != b.score ? a.score > b.score : a.kills > b.kills;
                     });
    for (int i = 0; i < game.entries.size(); ++i) {
        game.entries[i].place = i + 1;
    }
}

void GameMaker::rankTeams(Game& game, int teamCount) {
    shuffle(game.entries, rng_);
    // Players are dealt round the teams; a guest plays on the team of its host.
    QHash<QString, QString> teamOf;
    int dealt = 0;
    for (GameEntry& entry : game.entries) {
        if (!entry.guest) {
            entry.team = catalog::teamColors()[dealt++ % teamCount];
            teamOf.insert(entry.gamertag, entry.team);
        }
    }
    QList<int> teamScore(teamCount, 0);
    for (GameEntry& entry : game.entries) {
        if (entry.guest) {
            entry.team = teamOf.value(entry.hostOfGuest, catalog::teamColors().first());
        }
        teamScore[catalog::teamColors().indexOf(entry.team)] += entry.score;
    }
    // Teams ranked by their summed score; ties keep the colour order.
    QList<int> order;
    for (int t = 0; t < teamCount; ++t) {
        order.append(t);
    }
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return teamScore[a] > teamScore[b]; });
    auto teamRank = [&](const QString& team) {
        const int t = static_cast<int>(catalog::teamColors().indexOf(team));
        return static_cast<int>(order.indexOf(t));
    };
    for (GameEntry& entry : game.entries) {
        entry.place = teamRank(entry.team) + 1;
    }
    std::stable_sort(game.entries.begin(), game.entries.end(),
                     [&](const GameEntry& a, const GameEntry& b) {
                         return a.place != b.place ? a.place < b.place : a.score > b.score;
                     });
}

}  // namespace tw::statsite
