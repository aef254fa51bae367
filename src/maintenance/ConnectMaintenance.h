#pragma once
// Connects the Database menu's import and purge entries to their handlers,
// once, at start-up.

namespace tw {

struct ProgramState;
class MainWindow;

void ConnectMaintenance(ProgramState& state, MainWindow& window);

}  // namespace tw
