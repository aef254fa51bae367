#include "app/Wiring.h"

#include <QAction>

#include "app/About.h"
#include "app/ProgramState.h"
#include "app/frmOptions.h"
#include "download/Downloader.h"
#include "maintenance/ConnectMaintenance.h"
#include "query/ConnectQuery.h"
#include "report/TpsReport.h"
#include "taglist/MainWindowLifecycle.h"
#include "taglist/TagList.h"
#include "taglist/frmProfile.h"
#include "ui/LinkLabel.h"
#include "ui/frmMain.h"

namespace tw {

WiredWindow WireMainWindow(ProgramState& state, frmMain& window) {
    // File > Exit unloads the window, which runs the exit rule.
    QObject::connect(window.mnuExit, &QAction::triggered, &window, [&window] { window.close(); });
    InstallExitRule(state, window);
    InstallSummaryRefresh(state, window);
    WiredWindow wired;
    wired.downloader = ConnectDownload(state, window);
    ConnectTagList(state, window, ProfileOpener(state, window));
    ConnectTpsReport(state, window);
    ConnectOptions(state, window);
    ConnectAbout(state, window);
    ConnectMaintenance(state, window);
    wired.queryPanel = &ConnectQuery(state, window);
    return wired;
}

}  // namespace tw
