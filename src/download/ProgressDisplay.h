#pragma once
// The download's progress display: games read of the run's new games, the
// whole percentage in the label and the window title, the bar, and the
// elapsed time.

#include <QString>
#include <cstdint>

namespace tw {

class MainWindow;
struct Session;

inline constexpr const char* kProgramCaption = "Tallywick";

// "Reading...   n of count".
QString ProgressText(int reading, int count);
// done / count as a whole percentage ("43%").
QString ProgressPercent(int done, int count);
// Elapsed milliseconds as "hh:mm:ss".
QString ElapsedText(int64_t milliseconds);

// Before the first game: "Reading...   1 of count", the empty bar shown.
void ShowProgressStart(MainWindow& window, int count);
// Before each game, `done` games finished so far.
void ShowGameProgress(MainWindow& window, int done, int count, int64_t elapsedMs);
// After the last game: 100%.
void ShowProgressEnd(MainWindow& window);

// The caption of a failed row: row 1 "No connection" (or "No usable
// answer" when the site answered), 2 "Player page not read", 3 "Game list
// not read", 4 "Data extraction failed", 5 "Database not updated".
QString FailedStageCaption(int row, bool connection);

// Row CurrentStage shows it failed, with the given caption.
void ShowFailedStage(MainWindow& window, Session& state, const QString& caption);

}  // namespace tw
