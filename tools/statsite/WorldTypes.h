// The site's world as plain data: players with their emblems and clans, and games
// with every figure the detail panels show.
#pragma once

#include <QDateTime>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <cstdint>

namespace tw::statsite {

struct WorldOptions {
    std::uint64_t seed = 1;
    int players = 12;      // players who host games (the demo's tag list)
    int games = 60;        // games generated at start
    int pageSize = 10;     // rows per game-list page
    bool accents = false;  // adds the two hosting players of accentGamertags()
};

// Two gamertags that differ only in one letter outside ASCII (e acute, e grave).
inline QStringList accentGamertags() {
    return {QStringLiteral("Caf\u00e9 Racer"), QStringLiteral("Caf\u00e8 Racer")};
}

struct Emblem {
    int primary = 0;  // colour codes of the Color rows
    int secondary = 0;
    int tertiary = 0;
    int quaternary = 0;
    int foreground = 0;  // shape numbers
    int background = 0;
};

struct SitePlayer {
    QString gamertag;
    QString clan;  // empty: no clan
    Emblem emblem;
    bool featured = false;  // hosts games; part of the default tag list
    QList<int> games;       // indexes into World::games, oldest first
};

struct EarnedMedal {
    QString name;
    int count = 0;
};

struct GameEntry {
    QString gamertag;  // shown name; a guest is "Host(G)"
    bool guest = false;
    QString hostOfGuest;  // the player whose emblem a guest shows
    int place = 1;
    QString team;   // colour name; empty in free-for-all games
    int score = 0;  // seconds when the game type is timed
    int kills = 0;
    int assists = 0;
    int deaths = 0;
    int shotsFired = 0;
    int shotsHit = 0;
    int shotsToHead = 0;
    QList<EarnedMedal> medals;

    int medalTotal() const {
        int total = 0;
        for (const EarnedMedal& medal : medals) {
            total += medal.count;
        }
        return total;
    }
};

struct Game {
    qint32 id = 0;
    QDateTime played;  // UTC, whole minutes
    QString type;
    QString map;
    QString playlist;  // "Arranged Game" for custom games
    bool timed = false;
    bool partiallyPurged = false;
    int durationSeconds = 0;
    QList<GameEntry> entries;  // in shown order; the row numbers follow it
};

struct PlaylistLevel {
    QString playlist;
    int level = 0;     // 0: "No Games Played"
    int barWidth = 0;  // pixels; half the percentage of progress
};

}  // namespace tw::statsite
