// The control lock while a download runs. Controls not named here keep their
// state: the Help menu, the maker link and the progress display stay usable,
// and the Stop button takes the Download button's place. The buttons that act
// on the shown player also need one to be shown.

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

#include "ui/FlexGrid.h"
#include "ui/frmMain.h"

namespace tw {

void frmMain::SetDownloadMode(bool downloading) {
    const bool idle = !downloading;
    downloading_ = downloading;
    cmdDownload->setVisible(idle);
    cmdRunQuery->setEnabled(idle);
    cmdStopDownload->setVisible(downloading);
    cmdAddGamertag->setEnabled(idle);
    UpdatePlayerButtons();
    cmdQryExport->setEnabled(idle);
    cmbTagList->setEnabled(idle);
    cmbQuery->setEnabled(idle);
    mnuFile->menuAction()->setEnabled(idle);
    mnuDatabase->menuAction()->setEnabled(idle);
    mnuTools->menuAction()->setEnabled(idle);
    for (int i = 3; i >= 1; --i) {
        optFilterPlayer[i]->setEnabled(idle);
    }
    for (int i = 3; i >= 1; --i) {
        optFilterGame[i]->setEnabled(idle);
    }
    flxData->setEnabled(idle);
    repaint();
}

void frmMain::UpdatePlayerButtons() {
    const bool player = cmbTagList->currentIndex() >= 0;
    cmdDownload->setEnabled(player);
    cmdRemoveGamertag->setEnabled(player && !downloading_);
    cmdProfileGamertag->setEnabled(player && !downloading_);
}

}  // namespace tw
