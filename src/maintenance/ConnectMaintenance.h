#pragma once
// Connects the Database menu's import and purge entries to their handlers,
// once, at start-up.

namespace tw {

struct Session;
class MainWindow;

void ConnectMaintenance(Session& state, MainWindow& window);

}  // namespace tw
