#pragma once
// The detail phase for one game: the stats, kills, medals and hits panels
// copied into the staging tables, one row per player (and per medal kind).

#include <QByteArray>
#include <cstdint>

namespace tw {

struct DownloadContext;

enum class GameOutcome { Read, Stopped };

// Reads game GameIds(index) (1-based, as the driver counts). A stop after a
// panel fetch ends the player's download with the clean-up.
GameOutcome ReadGame(DownloadContext& context, int index);

}  // namespace tw
