#include "gui/Wiring.h"

#include <QAction>

#include "core/Session.h"
#include "gui/About.h"
#include "gui/DownloadPanel.h"
#include "gui/LinkLabel.h"
#include "gui/MainWindow.h"
#include "gui/MainWindowLifecycle.h"
#include "gui/MaintenanceActions.h"
#include "gui/OptionsDialog.h"
#include "gui/ProfileDialog.h"
#include "gui/QueryPanel.h"
#include "gui/ReportAction.h"
#include "gui/TagListPanel.h"

namespace tw {

WiredWindow WireMainWindow(Session& state, MainWindow& window) {
    // File > Exit unloads the window, which runs the exit rule.
    QObject::connect(window.exitAction, &QAction::triggered, &window,
                     [&window] { window.close(); });
    InstallExitRule(state, window);
    WiredWindow wired;
    wired.downloadPanel = ConnectDownload(state, window);
    ConnectTagList(state, window, ProfileOpener(state, window));
    ConnectTpsReport(state, window);
    ConnectOptions(state, window);
    ConnectAbout(state, window);
    ConnectMaintenance(state, window);
    new QueryPanel(state, window);  // a child of the window
    return wired;
}

}  // namespace tw
