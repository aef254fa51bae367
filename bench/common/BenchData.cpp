#include "BenchData.h"

#include <sqlite3.h>

#include <QDateTime>
#include <cstdio>
#include <random>
#include <set>

#include "db/SqliteSchemaBuilder.h"
#include "db/SqliteStatement.h"
#include "db/Variant.h"

namespace tw::bench {

namespace {

const char* const kTypes[] = {"Slayer",  "Team Slayer", "CTF",
                              "Assault", "Oddball",     "King of the Hill"};
const char* const kMaps[] = {"Lockout",       "Midship",      "Ivory Tower", "Zanzibar",
                             "Coagulation",   "Beaver Creek", "Ascension",   "Headlong",
                             "Burial Mounds", "Warlock"};
const char* const kPlaylists[] = {"Rumble Pit",      "Team Skirmish", "Head to Head",
                                  "Big Team Battle", "Team Snipers",  "Arranged Game"};
const char* const kMedals[] = {"Double Kill", "Triple Kill", "Killing Spree", "Sniper Kill",
                               "Stick It",    "Assassin",    "Bone Cracker",  "Flag Taken"};

QString playerName(int index) {
    return QStringLiteral("Player %1").arg(index, 5, 10, QChar(u'0'));
}

class Inserter {
  public:
    Inserter(sqlite3* db, const char* sql)
        : statement_(db, QString::fromUtf8(sql), QStringLiteral("bench")) {}
    template <typename... Values>
    void row(const Values&... values) {
        int index = 1;
        (statement_.bind(index++, Variant(values)), ...);
        statement_.step();
        statement_.reset();
    }

  private:
    sqlite::Statement statement_;
};

void addPlayers(sqlite3* db, const BenchSize& size) {
    Inserter player(db, "INSERT INTO Player VALUES (?,Null,?,?,Null,0,Null,?,'N','N','N','N')");
    player.row(kHeavyPlayer, 2, 0, QStringLiteral("Y"));
    for (int i = 0; i < size.playerPool; ++i) {
        player.row(playerName(i), i % 18, (i * 7) % 18, QStringLiteral("N"));
    }
    Inserter playlist(db, "INSERT INTO Player_Playlist VALUES (?,?,?,?)");
    for (int i = 0; i < 5; ++i) {
        playlist.row(kHeavyPlayer, QString::fromUtf8(kPlaylists[i]), 10 + i, 12.5 * i);
    }
}

void addGames(sqlite3* db, const BenchSize& size) {
    std::mt19937 random(20050115);
    Inserter game(db, "INSERT INTO Game VALUES (?,?,?,?,?,?,?)");
    Inserter gamePlayer(db, "INSERT INTO Game_Player VALUES (?,?,?,?,?,?,?,?,?,?,?)");
    Inserter medal(db, "INSERT INTO Game_Player_Medal VALUES (?,?,?,?)");
    const QDateTime start(QDate(2004, 11, 9), QTime(18, 0));
    for (int id = 1; id <= size.games; ++id) {
        const bool purged = random() % 50 == 0;
        const int playlist = static_cast<int>(random() % 6);
        game.row(id, QString::fromUtf8(kTypes[random() % 6]),
                 toStorageDateText(start.addSecs(id * 251)),
                 QString::fromUtf8(kMaps[random() % 10]), QString::fromUtf8(kPlaylists[playlist]),
                 QString::fromLatin1(purged ? "Y" : "N"), static_cast<int>(300 + random() % 600));
        std::set<QString> seated;
        if (id % size.heavyEvery == 0) {
            seated.insert(kHeavyPlayer);
        }
        while (static_cast<int>(seated.size()) < size.playersPerGame) {
            seated.insert(playerName(static_cast<int>(random() % size.playerPool)));
        }
        int place = 1;
        for (const QString& tag : seated) {
            if (random() % 100 == 0) {  // left the game at once: a quit
                gamePlayer.row(id, tag, place++, QStringLiteral("RED"), 0, 0, 0, 0, 0, 0, 0);
                continue;
            }
            const int kills = static_cast<int>(random() % 25);
            const int fired = static_cast<int>(50 + random() % 200);
            const Variant shots = purged ? Variant() : Variant(fired);
            gamePlayer.row(id, tag, place++, QStringLiteral("RED"), kills * 10, kills,
                           static_cast<int>(random() % 8), static_cast<int>(1 + random() % 20),
                           shots, purged ? Variant() : Variant(fired / 3),
                           purged ? Variant() : Variant(fired / 20));
            const int medals = purged ? 0 : static_cast<int>(random() % 3);
            for (int m = 0; m < medals; ++m) {
                medal.row(id, tag, QString::fromUtf8(kMedals[(id + m) % 8]), 1 + m);
            }
        }
    }
}

}  // namespace

void buildBenchDatabase(const QString& path, const BenchSize& size) {
    sqlite::createStatisticsDatabase(path, QStringLiteral(TALLYWICK_SOURCE_DIR "/src/db"));
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite::exec(db, "PRAGMA synchronous=OFF", QStringLiteral("bench"));
    sqlite::exec(db, "PRAGMA cache_size=-200000", QStringLiteral("bench"));
    sqlite::exec(db, "BEGIN", QStringLiteral("bench"));
    addPlayers(db, size);
    addGames(db, size);
    sqlite::exec(db, "COMMIT", QStringLiteral("bench"));
    sqlite::exec(db, "ANALYZE", QStringLiteral("bench"));
    sqlite3_close(db);
}

}  // namespace tw::bench
