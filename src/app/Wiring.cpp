#include "app/Wiring.h"

#include <QAction>

#include "app/ProgramState.h"
#include "download/Downloader.h"
#include "taglist/MainWindowLifecycle.h"
#include "taglist/TagList.h"
#include "ui/frmMain.h"

namespace tw {

void WireMainWindow(ProgramState& state, frmMain& window) {
    // File > Exit unloads the window, which runs the exit rule.
    QObject::connect(window.mnuExit, &QAction::triggered, &window, [&window] { window.close(); });
    InstallExitRule(state, window);
    InstallSummaryRefresh(state, window);
    ConnectDownload(state, window);
    ConnectTagList(state, window, {});
}

}  // namespace tw
