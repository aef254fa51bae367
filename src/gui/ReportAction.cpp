#include "gui/ReportAction.h"

#include <QAction>

#include "core/Session.h"
#include "gui/MainWindow.h"
#include "report/TpsReport.h"

namespace tw {

void tpsReportClicked(Session& state) {
    createTpsReport(state, state.currentGamertag);
}

void connectTpsReport(Session& state, MainWindow& window) {
    QObject::connect(window.tpsReportAction, &QAction::triggered, &window,
                     [&state] { tpsReportClicked(state); });
}

}  // namespace tw
