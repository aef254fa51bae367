#include "gui/PlayerSummaryView.h"

#include <QChartView>
#include <QComboBox>
#include <QLabel>
#include <QPixmap>
#include <QSignalBlocker>

#include "core/Session.h"
#include "gui/MainWindow.h"
#include "gui/ResultGrid.h"
#include "taglist/PlayerSummary.h"

namespace tw {
namespace {

void resetPanel(MainWindow& window) {
    window.resultGrid->clear();
    window.resultGrid->setRows(0);
    window.resultGrid->setCols(0);
    // The count belonged to the rows just taken away.
    window.recordCount->clear();
    window.resultChart->setVisible(false);
    window.setWindowTitle(QStringLiteral("Tallywick"));
}

// The label's "picturePath" property names the file shown, empty when none.
void showAvatar(QLabel& picture, const PlayerSummary& summary) {
    if (summary.avatar.isNull()) {
        picture.clear();
        picture.setProperty("picturePath", QString());
        return;
    }
    QPixmap pixmap = QPixmap::fromImage(summary.avatar);
    if (pixmap.width() > picture.width() || pixmap.height() > picture.height()) {
        pixmap = pixmap.scaled(picture.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    picture.setPixmap(pixmap);
    picture.setProperty("picturePath", summary.avatarPath);
}

}  // namespace

void showSummaryValues(MainWindow& window, const PlayerSummary& summary, bool complete) {
    {
        const QSignalBlocker quiet(window.tagListBox);
        window.tagListBox->clear();
        window.tagListBox->addItems(summary.gamertags);
        if (complete || summary.selected >= 0) {
            window.tagListBox->setCurrentIndex(summary.selected);
        }
    }
    window.totalGames->setText(summary.totalGames);
    window.lastDownload->setText(summary.lastDownload);
    window.clanName->setText(summary.clan);
    if (complete) {
        showAvatar(*window.avatarPicture, summary);
    }
}

void showPlayerSummary(Session& state, MainWindow& window) {
    PlayerSummary summary;
    const SummaryOutcome outcome = readPlayerSummary(state, summary);
    if (outcome == SummaryOutcome::DatabaseClosed) {
        return;
    }
    resetPanel(window);
    const bool complete = outcome == SummaryOutcome::Read;
    showSummaryValues(window, summary, complete);
    if (complete) {
        window.updatePlayerButtons();
        window.repaint();
    }
}

}  // namespace tw
