#pragma once
// The window's own texts of the download display, beside the ones the
// download gives (download/ProgressDisplay.h): the time left and the stopped
// state.

#include <QString>
#include <cstdint>

namespace tw {

// After Stop: the display tells that the run stopped and what became of it.
inline constexpr const char* kDownloadStoppedText = "Stopped; the games read are kept";

// The estimated time left of a player's games, "about hh:mm:ss left", from
// the pace of the `done` games read in `msForDone` milliseconds. Empty while
// there is no basis (no game read yet) and once every game is read.
QString timeLeftText(int done, int count, int64_t msForDone);

// The game count line: "Reading...   n of count" and, with an estimate,
// "   about hh:mm:ss left" after it.
QString gameCountText(int done, int count, int64_t msForDone);

}  // namespace tw
