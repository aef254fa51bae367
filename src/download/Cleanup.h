#pragma once
// The end of every player's download that got past the player page: drops the
// staged rows of an unfinished game, records how far the download got,
// creates the players met, merges the staged rows into Game_Player and
// Game_Player_Medal, empties the staging tables, deletes games without
// players, compacts the database file and refreshes the summary.

#include <cstdint>

namespace tw {

struct DownloadContext;
struct Session;
class Fetcher;

// How the clean-up shows itself: after an ordinary end or a stop, row 4
// turns complete; after a failure the failed row stays as it is.
enum class CleanupAfter { Ending, Failure };

// `lastDone`: the game up to which every game of the run is stored, 0 when
// none is to be recorded. Errors are reported with stage "Cleanup" and end
// it at once, leaving every staged row for the next download.
void cleanup(DownloadContext& context, int32_t lastDone, CleanupAfter after = CleanupAfter::Ending);

// Closes everything that refers to the database file, and the socket.
void closeConnection(Session& state, Fetcher* fetcher);

}  // namespace tw
