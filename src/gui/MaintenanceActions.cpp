#include "gui/MaintenanceActions.h"

#include <QAction>

#include "gui/MainWindow.h"
#include "gui/PlayerSummaryView.h"
#include "maintenance/ImportOld.h"
#include "maintenance/Purge.h"

namespace tw {

void importOldClicked(Session& state, MainWindow& window) {
    if (ImportOldDatabase(state)) {
        // The window shows the imported players before the import is told done.
        ShowPlayerSummary(state, window);
        TellImportDone(state);
    }
}

void purgeNonTagListClicked(Session& state, MainWindow& window) {
    if (PurgeNonTagListPlayers(state)) {
        ShowPlayerSummary(state, window);
    }
}

void purgeEntireDatabaseClicked(Session& state, MainWindow& window) {
    if (PurgeEntireDatabase(state)) {
        ShowPlayerSummary(state, window);
    }
}

void ConnectMaintenance(Session& state, MainWindow& window) {
    QObject::connect(window.importOldAction, &QAction::triggered, &window,
                     [&state, &window] { importOldClicked(state, window); });
    QObject::connect(window.purgeNonTagListAction, &QAction::triggered, &window,
                     [&state, &window] { purgeNonTagListClicked(state, window); });
    QObject::connect(window.purgeEntireDatabaseAction, &QAction::triggered, &window,
                     [&state, &window] { purgeEntireDatabaseClicked(state, window); });
}

}  // namespace tw
