// Makes one game of the world: playlist, type, map, participants with teams,
// places, scores, kills, shots and medals, the next id and a later date.
#pragma once

#include <QString>

#include "statsite/Prng.h"
#include "statsite/World.h"

namespace tw::statsite {

struct GameRequest {
    int host = 0;      // index of the hosting player in World::players
    QString playlist;  // empty: drawn
    QString type;      // empty: drawn from the playlist
    int guests = -1;   // -1: drawn; otherwise guests of the host
    int purged = -1;   // -1: drawn; 0 or 1 forced
    QList<int> with;   // players (indexes) who join the host for sure
};

class GameMaker {
  public:
    GameMaker(const World& world, Prng& rng) : world_(world), rng_(rng) {}

    Game make(const GameRequest& request);

  private:
    QList<int> chooseParticipants(const GameRequest& request, int count, const QString& playlist);
    void addGuests(Game& game, int guests, const QString& hostTag);
    void fillFigures(Game& game);
    void rankFreeForAll(Game& game);
    void rankTeams(Game& game, int teamCount);
    int drawScore(const QString& type, int kills);
    QList<EarnedMedal> drawMedals(int kills);

    const World& world_;
    Prng& rng_;
};

}  // namespace tw::statsite
