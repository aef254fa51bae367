#pragma once
// The game list phase: walks the player's game list pages, newest first,
// adding a Game row for every game seen until the player's last downloaded
// game, then asks the database which games still lack player rows.

#include <QByteArray>

namespace tw {

struct DownloadContext;

enum class GameListOutcome { Stopped, NoNewGames, NewGames };

// The number of list pages named by the pager (1 without a pager).
int16_t gameListPageCount(const QByteArray& page);

GameListOutcome readGameList(DownloadContext& context);

}  // namespace tw
