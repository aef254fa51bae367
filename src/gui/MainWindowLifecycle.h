#pragma once
// Loading and closing the main window: the start-up order and the exit rule
// applied to the real window.

#include <QString>
#include <functional>

#include "core/LoadSettings.h"

namespace tw {

struct Session;
class MainWindow;

inline constexpr const char* kSelectQueryItem = "- Select a Query -";

// LoadSettings (paths, settings, placement, saved queries), the placement
// applied to the window (and brought onto a screen when it lies off every
// one), the result grid emptied, queryList refilled, then ShowPlayerSummary. A
// database that cannot be opened ends the program there (state.EndRequested).
void loadMainWindow(Session& state, MainWindow& window, const QString& programDir);

// The window's placement now, in twips.
WindowPlacement CurrentPlacement(const MainWindow& window);

// Installs the exit rule as the window's unload question. `closeConnection`
// closes what refers to the database and the socket (CloseDatabaseObjects when
// unset).
void InstallExitRule(Session& state, MainWindow& window,
                     std::function<void()> closeConnection = {});

}  // namespace tw
