#pragma once
// The texts of the download's progress display: games read of the run's new
// games, the whole percentage, the elapsed time, the bytes received and the
// captions the five rows show.

#include <QString>
#include <cstdint>

namespace tw {

inline constexpr const char* kProgramCaption = "Tallywick";
inline constexpr const char* kNoNewGamesCaption = "No new games found";

// "Reading...   n of count".
QString progressText(int reading, int count);
// done / count as a whole percentage ("43%").
QString progressPercent(int done, int count);
// Elapsed milliseconds as "hh:mm:ss".
QString elapsedText(int64_t milliseconds);
// "12,345 bytes".
QString downloadedBytesText(double bytes);

// The caption of a completed row: 1 "Connection established", 2 "Gamertag
// found", 3 "New games found", 4 "Data extracted", 5 "Process complete".
QString completedStageCaption(int row);

// The caption of a failed row: row 1 "No connection" (or "No usable
// answer" when the site answered), 2 "Player page not read", 3 "Game list
// not read", 4 "Data extraction failed", 5 "Database not updated".
QString failedStageCaption(int row, bool connection);

}  // namespace tw
