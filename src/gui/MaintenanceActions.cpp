#include "gui/MaintenanceActions.h"

#include <QAction>

#include "gui/MainWindow.h"
#include "gui/PlayerSummaryView.h"
#include "maintenance/ImportOld.h"
#include "maintenance/Purge.h"

namespace tw {

void importOldClicked(Session& state, MainWindow& window) {
    if (importOldDatabase(state)) {
        // The window shows the imported players before the import is told done.
        showPlayerSummary(state, window);
        tellImportDone(state);
    }
}

void purgeNonTagListClicked(Session& state, MainWindow& window) {
    if (purgeNonTagListPlayers(state)) {
        showPlayerSummary(state, window);
    }
}

void purgeEntireDatabaseClicked(Session& state, MainWindow& window) {
    if (purgeEntireDatabase(state)) {
        showPlayerSummary(state, window);
    }
}

void connectMaintenance(Session& state, MainWindow& window) {
    QObject::connect(window.importOldAction, &QAction::triggered, &window,
                     [&state, &window] { importOldClicked(state, window); });
    QObject::connect(window.purgeNonTagListAction, &QAction::triggered, &window,
                     [&state, &window] { purgeNonTagListClicked(state, window); });
    QObject::connect(window.purgeEntireDatabaseAction, &QAction::triggered, &window,
                     [&state, &window] { purgeEntireDatabaseClicked(state, window); });
}

}  // namespace tw
