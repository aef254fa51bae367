#pragma once
// The general refresh of the main window from the database: the result grid
// emptied, the chart hidden, then the tag list, the current player's clan,
// game count, last update and avatar as readPlayerSummary reads them.

namespace tw {

struct Session;
class MainWindow;
struct PlayerSummary;

// When the database cannot be opened the program has ended (one message)
// and the window is left as it was; an error after the open has been logged
// and the window shows what was read before it.
void showPlayerSummary(Session& state, MainWindow& window);

// The summary's values in the window's tag list, labels and picture. The
// tag list's selection changes without signals.
void showSummaryValues(MainWindow& window, const PlayerSummary& summary, bool complete);

}  // namespace tw
