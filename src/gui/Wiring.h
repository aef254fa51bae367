#pragma once
// Connects the main window's controls and menus to the feature handlers, once,
// at start-up. Lives beside main() so the window knows no feature and the
// features know only the window.

namespace tw {

struct Session;
class MainWindow;
class DownloadPanel;

// What the batch mode drives besides the window's own controls; it lives as
// long as the window.
struct WiredWindow {
    DownloadPanel* downloadPanel = nullptr;
};

WiredWindow wireMainWindow(Session& state, MainWindow& window);

}  // namespace tw
