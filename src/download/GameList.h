#pragma once
// The game list phase: walks the player's game list pages, newest first,
// adding a Game row for every game seen until the player's last downloaded
// game, then asks the database which games still lack player rows.

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdint>
#include <optional>

namespace tw {

struct DownloadContext;

enum class GameListOutcome { Stopped, NoNewGames, NewGames };

// The number of list pages named by the pager (1 without a pager).
int16_t gameListPageCount(const QByteArray& page);

// One row of a game list page, as the page shows it.
struct ListedGame {
    int32_t id = 0;
    QString type;
    QString dateTimeStamp;
    QString map;
    QString playlist;
};

struct GameListRows {
    QList<ListedGame> games;  // the page's games before the stop game
    bool reachedStopGame = false;
};

// Reads one game list page's rows, up to (not including) `stopGameId` when
// given; PageFailure when a row is unreadable.
GameListRows readGameListRows(const QByteArray& page, std::optional<int32_t> stopGameId);

GameListOutcome readGameList(DownloadContext& context);

}  // namespace tw
