#pragma once
// `tallywick COMMAND ...`: one job without the window, then exit. The main
// window is built and loaded as at start-up but never shown, so every job
// runs the handlers the window runs.

#include <functional>

namespace tw {
struct Session;
struct WiredWindow;
class MainWindow;
}  // namespace tw

namespace tw::batch {

using WireWindow = std::function<WiredWindow(Session&, MainWindow&)>;

// argv as main() received it, with at least one argument after the program's
// name. Returns the exit code.
int BatchMain(int argc, char* argv[], const WireWindow& wire);

}  // namespace tw::batch
