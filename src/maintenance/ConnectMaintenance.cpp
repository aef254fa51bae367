#include "maintenance/ConnectMaintenance.h"

#include <QAction>

#include "maintenance/ImportOld.h"
#include "maintenance/Purge.h"
#include "gui/MainWindow.h"

namespace tw {

void ConnectMaintenance(Session& state, MainWindow& window) {
    QObject::connect(window.importOldAction, &QAction::triggered, &window,
                     [&state] { importOldClicked(state); });
    QObject::connect(window.purgeNonTagListAction, &QAction::triggered, &window,
                     [&state] { purgeNonTagListClicked(state); });
    QObject::connect(window.purgeEntireDatabaseAction, &QAction::triggered, &window,
                     [&state] { purgeEntireDatabaseClicked(state); });
}

}  // namespace tw
