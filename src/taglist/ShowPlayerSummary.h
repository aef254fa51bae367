#pragma once
// ShowPlayerSummary: the general refresh of the main window from the
// database. Reopens the database with its nine table recordsets, empties the
// result grid, refills the tag list, selects the current player and shows its
// clan, game count, last update and avatar.

#include <QString>

namespace tw {

struct Session;
class MainWindow;

inline constexpr const char* kLastDownloadPattern = "mmm d, yyyy h:mm AMPM";
inline constexpr const char* kUnknownAvatar = "unknown.jpg";
inline constexpr const char* kDatabaseLockedMessage =
    "It appears that you have the database open locally.\r\n"
    "The database must be closed before you can use this program.";

// Stage name of the diagnostic record of a failed refresh.
inline constexpr const char* kInitStage = "Init";

// "Database cannot be found." + the line naming the database file.
QString DatabaseMissingMessage();

// A database that is there but cannot be opened: "The database cannot be
// opened:", its path, `note` (why, when known) on a line of its own, a blank
// line, then `errorReport` (the error and where its record is).
QString DatabaseUnusableMessage(const QString& dbPath, const QString& note,
                                const QString& errorReport);

// Errors are handled here. When the database cannot be opened the program
// ends after one message: missing (3024) and held (3356) with their own
// texts, any other error (damaged, foreign, read-only) recorded in the
// diagnostic log where it can be and told with DatabaseUnusableMessage. An
// error after the open is written to the log with stage "Init",
// DownloadInProgress is cleared and the refresh stops.
void ShowPlayerSummary(Session& state, MainWindow& window);

}  // namespace tw
