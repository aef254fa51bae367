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

// loadSettings (paths, settings, placement, saved queries), the placement
// applied to the window (and brought onto a screen when it lies off every
// one), the result grid emptied, queryList refilled, the remembered query,
// filters and maximized state applied, then showPlayerSummary. A
// database that cannot be opened ends the program there (state.endRequested).
void loadMainWindow(Session& state, MainWindow& window, const QString& programDir);

// The window's placement now, in twips; a maximized window's is the one it
// is restored to.
WindowPlacement currentPlacement(const MainWindow& window);
// The query, the filters and the maximized state the window shows now.
WindowView currentView(const MainWindow& window);

// Installs the exit rule as the window's unload question. `closeConnection`
// closes what refers to the database and the socket (closeDatabaseObjects when
// unset).
void installExitRule(Session& state, MainWindow& window,
                     std::function<void()> closeConnection = {});

}  // namespace tw
