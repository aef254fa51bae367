#pragma once
// The detail phase for one game: the stats, kills, medals and hits panels
// read into rows, then the game's rows stored in the staging tables at once.

#include <QByteArray>
#include <cstdint>

namespace tw {

struct DownloadContext;
struct GameRows;

enum class GameOutcome { Read, Stopped };

// Reads game gameIds[index - 1] (1-based, as the driver counts). A stop after a
// panel fetch returns Stopped with nothing of the game stored; a panel that
// cannot be read throws PageFailure, a site that cannot be reached
// ConnectionFailure, again with nothing of the game stored.
GameOutcome readGame(DownloadContext& context, int index);

// The game's purge flag and length, and its rows in the staging tables, as
// one unit: all of them reach the file or none.
void storeGame(DownloadContext& context, const GameRows& rows);

}  // namespace tw
