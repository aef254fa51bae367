#pragma once
// Connects the main window's controls and menus to the feature handlers, once,
// at start-up. Lives beside main() so the window knows no feature and the
// features know only the window.

namespace tw {

struct ProgramState;
class frmMain;

void WireMainWindow(ProgramState& state, frmMain& window);

}  // namespace tw
