// The control lock while a download runs. Controls not named here keep their
// state: the Help menu, the maker link and the progress display stay usable,
// and the Stop button takes the Download button's place. The buttons that act
// on the shown player also need one to be shown.

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

#include "gui/MainWindow.h"
#include "gui/ResultGrid.h"

namespace tw {

void MainWindow::setDownloadMode(bool downloading) {
    const bool idle = !downloading;
    downloading_ = downloading;
    downloadButton->setVisible(idle);
    runQueryButton->setEnabled(idle);
    stopButton->setVisible(downloading);
    addButton->setEnabled(idle);
    updatePlayerButtons();
    exportButton->setEnabled(idle);
    tagListBox->setEnabled(idle);
    queryList->setEnabled(idle);
    fileMenu->menuAction()->setEnabled(idle);
    databaseMenu->menuAction()->setEnabled(idle);
    toolsMenu->menuAction()->setEnabled(idle);
    for (QRadioButton* option : playerFilterOptions) {
        option->setEnabled(idle);
    }
    for (QRadioButton* option : gameFilterOptions) {
        option->setEnabled(idle);
    }
    resultGrid->setEnabled(idle);
    repaint();
}

void MainWindow::updatePlayerButtons() {
    const bool player = tagListBox->currentIndex() >= 0;
    downloadButton->setEnabled(player);
    removeButton->setEnabled(player && !downloading_);
    profileButton->setEnabled(player && !downloading_);
}

}  // namespace tw
