#pragma once
// The rule of closing the main window: never while a download runs; otherwise
// the placement is saved first, then everything that refers to the database
// (and the socket) is closed, errors ignored, and the program ends.

#include <functional>
#include <optional>

#include "core/LoadSettings.h"

namespace tw {

struct Session;

inline constexpr const char* kExitRefusedMessage =
    "You are in the middle of downloading game data.\r\n"
    "You must STOP the download before you can exit.";

// Returns false (and tells the user) while downloadInProgress is set.
// Otherwise writes Top, Left, Height and Width to [Application] (with `view`,
// also Window_Maximized, Selected_Query, Player_Filter and Game_Filter), runs
// `closeConnection` (closeDatabaseObjects when none is given) ignoring its
// errors, ends the program through endProgram and returns true.
bool unloadMainWindow(Session& state, const WindowPlacement& current,
                      const std::function<void()>& closeConnection = {},
                      const std::optional<WindowView>& view = std::nullopt);

}  // namespace tw
