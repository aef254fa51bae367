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

WiredWindow wireMainWindow(Session& state, MainWindow& window) {
    // File > Exit unloads the window, which runs the exit rule.
    QObject::connect(window.exitAction, &QAction::triggered, &window,
                     [&window] { window.close(); });
    installExitRule(state, window);
    WiredWindow wired;
    wired.downloadPanel = connectDownload(state, window);
    connectTagList(state, window, profileOpener(state, window));
    connectTpsReport(state, window);
    connectOptions(state, window);
    connectAbout(state, window);
    connectMaintenance(state, window);
    new QueryPanel(state, window);  // a child of the window
    return wired;
}

}  // namespace tw
