#pragma once
// The download's progress display: games read of the run's new games, the
// whole percentage in the label and the window title, the bar, and the
// elapsed time.

#include <QString>
#include <cstdint>

namespace tw {

class frmMain;

inline constexpr const char* kProgramCaption = "Tallywick";

// "Reading...   n of count".
QString ProgressText(int reading, int count);
// done / count as a whole percentage ("43%").
QString ProgressPercent(int done, int count);
// Elapsed milliseconds as "hh:mm:ss".
QString ElapsedText(int64_t milliseconds);

// Before the first game: "Reading...   1 of count", the empty bar shown.
void ShowProgressStart(frmMain& window, int count);
// Before each game, `done` games finished so far.
void ShowGameProgress(frmMain& window, int done, int count, int64_t elapsedMs);
// After the last game: 100%.
void ShowProgressEnd(frmMain& window);

}  // namespace tw
