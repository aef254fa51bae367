#include "gui/MainWindow.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLayout>

#include "gui/Pictures.h"

namespace tw {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    installAccessibleRoles();
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Tallywick"));
    setWindowIcon(programIcon());
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
    createKeys();
    nameForAssistiveTools();
    applyStageColors();
    layOutClient();
    chainTabOrder();
    client_->setMinimumSize(minimumClientSize());
    // The window manager is told the smallest size, so the window cannot be
    // dragged below it.
    setMinimumSize(minimumClientSize().grownBy(QMargins(0, menuHeight(), 0, 0)));
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

int MainWindow::menuHeight() const {
    const QWidget* menu = menuWidget();
    if (!menu) {
        return 0;
    }
    const int forWidth = menu->heightForWidth(client_->minimumWidth());
    return forWidth > 0 ? forWidth : menu->sizeHint().height();
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // A switch between a light and a dark desktop palette.
    if (event->type() == QEvent::PaletteChange) {
        applyStageColors();
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (queryUnload && !queryUnload()) {
        event->ignore();
        return;
    }
    event->accept();
}

}  // namespace tw
