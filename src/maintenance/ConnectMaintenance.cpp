#include "maintenance/ConnectMaintenance.h"

#include <QAction>

#include "maintenance/ImportOld.h"
#include "maintenance/Purge.h"
#include "ui/frmMain.h"

namespace tw {

void ConnectMaintenance(ProgramState& state, frmMain& window) {
    QObject::connect(window.mnuImportOld, &QAction::triggered, &window,
                     [&state] { mnuImportOld_Click(state); });
    QObject::connect(window.mnuPurgeNonTagList, &QAction::triggered, &window,
                     [&state] { mnuPurgeNonTagList_Click(state); });
    QObject::connect(window.mnuPurgeEntireDatabase, &QAction::triggered, &window,
                     [&state] { mnuPurgeEntireDatabase_Click(state); });
}

}  // namespace tw
