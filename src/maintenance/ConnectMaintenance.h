#pragma once
// Connects the Database menu's import and purge entries to their handlers,
// once, at start-up.

namespace tw {

struct ProgramState;
class frmMain;

void ConnectMaintenance(ProgramState& state, frmMain& window);

}  // namespace tw
