#pragma once
// ShowPlayerSummary: the general refresh of the main window from the
// database. Reopens the database with its nine table recordsets, empties the
// result grid, refills the tag list, selects the current player and shows its
// clan, game count, last update and avatar.

#include <QString>

namespace tw {

struct ProgramState;
class frmMain;

inline constexpr const char* kLastDownloadPattern = "mmm d, yyyy h:mm AMPM";
inline constexpr const char* kUnknownAvatar = "unknown.jpg";
inline constexpr const char* kDatabaseLockedMessage =
    "It appears that you have the database open locally.\r\n"
    "The database must be closed before you can use this program.";

// "Database cannot be found." + the line naming the database file.
QString DatabaseMissingMessage();

// Errors are handled here: a missing (3024) or held (3356) database ends the
// program with its message; any other error is written to the diagnostic log
// with stage "Init", DownloadInProgress is cleared and the refresh stops.
void ShowPlayerSummary(ProgramState& state, frmMain& window);

}  // namespace tw
