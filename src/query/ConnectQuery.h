#pragma once
// Connects the query row, the result grid's mouse events, the grid pop-up and
// the Database menu's exports to their handlers, once, at start-up.

namespace tw {

struct Session;
struct QueryPanel;
class MainWindow;

// The returned panel state lives as long as the window.
QueryPanel& ConnectQuery(Session& state, MainWindow& window);

}  // namespace tw
