#include "gui/MainWindow.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLayout>

#include "gui/DesignedFont.h"
#include "gui/Pictures.h"

namespace tw {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Tallywick"));
    setWindowIcon(programIcon());
    setFont(designedFont(false));
    // Frames drawn as an etched line with the caption on it, on the window's
    // own background, so the opaque stage labels blend in.
    setStyleSheet(QStringLiteral(
        "QGroupBox { border: 1px solid palette(mid); border-radius: 3px; margin-top: 6px; }"
        "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
        " left: 6px; padding: 0px 2px; }"));

    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("frmMainClient"));
    setCentralWidget(client_);

    // Creation order is stacking order where controls share a place: the
    // chart above the grid, and in the progress display each later kind of
    // stage row above the earlier ones, the full bar above the empty one.
    createFilterControls(client_);
    createQueryControls(client_);
    controlCenter = new QGroupBox(QStringLiteral("Control Center"), client_);
    controlCenter->setObjectName(QStringLiteral("frameMain"));
    createPlayerControls();
    createStageRows();
    createDownloadControls();
    createMakerControls(client_);
    createMenus();
    // A style sheet hands inherited fonts back to the application's font, so
    // every control gets the designed face explicitly.
    for (QWidget* child : findChildren<QWidget*>()) {
        if (!child->testAttribute(Qt::WA_SetFont)) {
            child->setFont(designedFont(false));
        }
    }
    layOutClient();
    client_->setMinimumSize(minimumClientSize());
    setOuterSizeTwips(kMinOuterWidth, kMinOuterHeight);
    // Places are known before the window is first shown, outer layouts
    // first.
    layout()->activate();
    for (QWidget* widget :
         QList<QWidget*>{client_, controlCenter, playerFilterGroup, gameFilterGroup}) {
        widget->layout()->activate();
    }
    updatePlayerButtons();
}

MainWindow::~MainWindow() = default;

void MainWindow::closeEvent(QCloseEvent* event) {
    if (queryUnload && !queryUnload()) {
        event->ignore();
        return;
    }
    event->accept();
}

}  // namespace tw
