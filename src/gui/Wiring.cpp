#include "gui/Wiring.h"

#include <QAction>

#include "gui/About.h"
#include "core/Session.h"
#include "gui/OptionsDialog.h"
#include "download/Downloader.h"
#include "gui/MaintenanceActions.h"
#include "query/ConnectQuery.h"
#include "gui/ReportAction.h"
#include "gui/MainWindowLifecycle.h"
#include "gui/TagListPanel.h"
#include "gui/ProfileDialog.h"
#include "gui/LinkLabel.h"
#include "gui/MainWindow.h"

namespace tw {

WiredWindow WireMainWindow(Session& state, MainWindow& window) {
    // File > Exit unloads the window, which runs the exit rule.
    QObject::connect(window.exitAction, &QAction::triggered, &window, [&window] { window.close(); });
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
