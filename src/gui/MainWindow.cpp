#include "gui/MainWindow.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QMenuBar>
#include <cmath>

#include "gui/DesignedFont.h"
#include "gui/Pictures.h"
#include "gui/Twips.h"

namespace tw {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Tallywick"));
    setWindowIcon(WindowIcon());
    setFont(DesignedFont(false));
    // Frames drawn as an etched line with the caption on it, on the window's
    // own background, so the opaque stage labels blend in.
    setStyleSheet(QStringLiteral(
        "QGroupBox { border: 1px solid palette(mid); border-radius: 3px; margin-top: 6px; }"
        "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
        " left: 6px; padding: 0px 2px; }"));

    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("frmMainClient"));
    setCentralWidget(client_);

    CreateFilterControls(client_);
    CreateQueryControls(client_);
    controlCenter = new QGroupBox(QStringLiteral("Control Center"), client_);
    controlCenter->setObjectName(QStringLiteral("frameMain"));
    CreatePlayerControls();
    CreateStageRows();
    CreateDownloadControls();
    CreateMakerControls(client_);
    CreateMenus();
    ApplyDesignedPlaces();
    // A style sheet hands inherited fonts back to the application's font, so
    // every control gets the designed face explicitly.
    for (QWidget* child : findChildren<QWidget*>()) {
        if (!child->testAttribute(Qt::WA_SetFont)) {
            child->setFont(DesignedFont(false));
        }
    }

    client_->installEventFilter(this);
    SetOuterSizeTwips(kMinOuterWidth, kMinOuterHeight);
    UpdatePlayerButtons();
}

MainWindow::~MainWindow() = default;

int MainWindow::OuterWidthTwips() const {
    return TwipsScale::ForWidget(*this).XToTwips(client_->width()) + kChromeWidth;
}

int MainWindow::OuterHeightTwips() const {
    return TwipsScale::ForWidget(*this).YToTwips(client_->height()) + kChromeHeight;
}

int MainWindow::TopTwips() const {
    return TwipsScale::ForWidget(*this).YToTwips(frameGeometry().y());
}

int MainWindow::LeftTwips() const {
    return TwipsScale::ForWidget(*this).XToTwips(frameGeometry().x());
}

void MainWindow::SetOuterSizeTwips(int width, int height) {
    const TwipsScale scale = TwipsScale::ForWidget(*this);
    // Round the client area up, so the size read back is never below the one
    // asked for (a size read back as too small would snap again and again).
    const int clientWidth = std::max(
        1, static_cast<int>(std::ceil((width - kChromeWidth) * scale.DpiX() / kTwipsPerInch)));
    const int clientHeight = std::max(
        1, static_cast<int>(std::ceil((height - kChromeHeight) * scale.DpiY() / kTwipsPerInch)));
    int menuHeight = 0;
    if (QWidget* menu = menuWidget()) {
        const int forWidth = menu->heightForWidth(clientWidth);
        menuHeight = forWidth > 0 ? forWidth : menu->sizeHint().height();
    }
    if (isVisible() && client_->height() > 0) {
        menuHeight = this->height() - client_->height();
    }
    resize(clientWidth, clientHeight + menuHeight);
}

void MainWindow::MoveToTwips(int left, int top) {
    const TwipsScale scale = TwipsScale::ForWidget(*this);
    move(scale.XToPixels(left), scale.YToPixels(top));
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (queryUnload && !queryUnload()) {
        event->ignore();
        return;
    }
    event->accept();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == client_ && event->type() == QEvent::Resize) {
        applyResizeRule();
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace tw
