// The control lock while a download runs. Controls not named here keep their
// state: the Help menu, the maker link and the progress display stay usable,
// and the Stop button takes the Download button's place. The buttons that act
// on the shown player also need one to be shown; while there is none they say
// so in their tool tips, and a hint takes the summary's place.

#include <QAction>
#include <QComboBox>
#include <QLabel>
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
    // Their keys would still reach them in the locked menus.
    exitAction->setEnabled(idle);
    tpsReportAction->setEnabled(idle);
    for (QRadioButton* option : playerFilterOptions) {
        option->setEnabled(idle);
    }
    for (QRadioButton* option : gameFilterOptions) {
        option->setEnabled(idle);
    }
    resultGrid->setEnabled(idle);
    repaint();
}

namespace {

// Why Download, Remove and Profile are disabled with no player shown.
const char* const kNeedsPlayerTip = "No player yet: add a gamertag with + first.";

// The button's own tool tip is kept in a property while the reason shows.
void setPlayerButton(QPushButton* button, bool player, bool enabled) {
    if (!button->property("ownToolTip").isValid()) {
        button->setProperty("ownToolTip", button->toolTip());
    }
    button->setEnabled(enabled);
    button->setToolTip(player ? button->property("ownToolTip").toString()
                              : QLatin1String(kNeedsPlayerTip));
}

}  // namespace

void MainWindow::updatePlayerButtons() {
    const bool player = tagListBox->currentIndex() >= 0;
    setPlayerButton(downloadButton, player, player);
    setPlayerButton(removeButton, player, player && !downloading_);
    setPlayerButton(profileButton, player, player && !downloading_);
    const bool empty = tagListBox->count() == 0;
    firstRunHint->setVisible(empty);
    for (QWidget* part : QList<QWidget*>{avatarPicture, clanCaption, clanName, totalGamesCaption,
                                         totalGames, lastDownloadCaption, lastDownload}) {
        part->setVisible(!empty);
    }
}

}  // namespace tw
