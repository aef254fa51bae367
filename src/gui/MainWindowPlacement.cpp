// The window's placement in twips, as the settings file keeps it, and keeping
// the window where it can be seen: a placement saved on a monitor that is
// gone must not open the window off every screen.

#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QShowEvent>
#include <algorithm>
#include <cmath>

#include "gui/MainWindow.h"
#include "gui/Twips.h"

namespace tw {

namespace {

// How much of the window's top edge must lie on a screen for the caption to
// be grabbed and the window dragged: a strip this high and this wide (or as
// wide as the window), in pixels.
constexpr int kCaptionGripHeight = 24;
constexpr int kCaptionGripWidth = 100;

bool captionReachable(const QRect& frame, const QList<QScreen*>& screens) {
    const QRect caption(frame.topLeft(), QSize(frame.width(), kCaptionGripHeight));
    const int gripWidth = std::min(kCaptionGripWidth, frame.width());
    return std::any_of(screens.begin(), screens.end(), [&](const QScreen* screen) {
        const QRect reachable = screen->availableGeometry().intersected(caption);
        return reachable.height() >= caption.height() && reachable.width() >= gripWidth;
    });
}

QScreen* nearestScreen(const QRect& frame, const QList<QScreen*>& screens) {
    QScreen* nearest = nullptr;
    qint64 nearestDistance = 0;
    const QPoint centre = frame.center();
    for (QScreen* screen : screens) {
        const QRect area = screen->availableGeometry();
        const qint64 dx = centre.x() - std::clamp(centre.x(), area.left(), area.right());
        const qint64 dy = centre.y() - std::clamp(centre.y(), area.top(), area.bottom());
        const qint64 distance = dx * dx + dy * dy;
        if (!nearest || distance < nearestDistance) {
            nearest = screen;
            nearestDistance = distance;
        }
    }
    return nearest;
}

// Pixels at least as many as `twips` at `dpi`: a size read back is then never
// below the one asked for.
int pixelsAtLeast(int twips, double dpi) {
    return std::max(1, static_cast<int>(std::ceil(twips * dpi / kTwipsPerInch)));
}

// The top-left corner that puts as much of `frame` inside `area` as fits, its
// caption always.
QPoint inside(const QRect& area, const QRect& frame) {
    return {std::clamp(frame.left(), area.left(),
                       std::max(area.left(), area.right() + 1 - frame.width())),
            std::clamp(frame.top(), area.top(),
                       std::max(area.top(), area.bottom() + 1 - frame.height()))};
}

}  // namespace

QSize MainWindow::minimumClientSize() const {
    const TwipsScale scale = TwipsScale::forWidget(*this);
    const QSize designed(pixelsAtLeast(kMinOuterWidth - kChromeWidth, scale.dpiX()),
                         pixelsAtLeast(kMinOuterHeight - kChromeHeight, scale.dpiY()));
    // A face wider than the designed one may need more room; the controls
    // are never squeezed below what they need.
    return client_->layout() ? designed.expandedTo(client_->layout()->minimumSize()) : designed;
}

int MainWindow::outerWidthTwips() const {
    return TwipsScale::forWidget(*this).xToTwips(client_->width()) + kChromeWidth;
}

int MainWindow::outerHeightTwips() const {
    return TwipsScale::forWidget(*this).yToTwips(client_->height()) + kChromeHeight;
}

int MainWindow::topTwips() const {
    return TwipsScale::forWidget(*this).yToTwips(frameGeometry().y());
}

int MainWindow::leftTwips() const {
    return TwipsScale::forWidget(*this).xToTwips(frameGeometry().x());
}

void MainWindow::setOuterSizeTwips(int width, int height) {
    if (width < kMinOuterWidth || height < kMinOuterHeight) {
        width = kMinOuterWidth;
        height = kMinOuterHeight;
    }
    const TwipsScale scale = TwipsScale::forWidget(*this);
    const QSize clientSize = QSize(pixelsAtLeast(width - kChromeWidth, scale.dpiX()),
                                   pixelsAtLeast(height - kChromeHeight, scale.dpiY()))
                                 .expandedTo(client_->minimumSize());
    int menuHeight = 0;
    if (QWidget* menu = menuWidget()) {
        const int forWidth = menu->heightForWidth(clientSize.width());
        menuHeight = forWidth > 0 ? forWidth : menu->sizeHint().height();
    }
    if (isVisible() && client_->height() > 0) {
        menuHeight = this->height() - client_->height();
    }
    resize(clientSize.width(), clientSize.height() + menuHeight);
}

void MainWindow::moveToTwips(int left, int top) {
    const TwipsScale scale = TwipsScale::forWidget(*this);
    move(scale.xToPixels(left), scale.yToPixels(top));
}

void MainWindow::keepOnScreen() {
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.isEmpty()) {
        return;
    }
    // Counted at no less than the smallest size, which the window takes on
    // its first layout if it is still below.
    const QRect frame(frameGeometry().topLeft(),
                      frameGeometry().size().expandedTo(client_->minimumSize()));
    if (captionReachable(frame, screens)) {
        return;
    }
    move(inside(nearestScreen(frame, screens)->availableGeometry(), frame));
    movedOnScreen_ = true;
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // Only a shown window knows its frame (caption and borders): a window
    // this class moved onto a screen is fitted again with it counted.
    if (movedOnScreen_ && screen()) {
        move(inside(screen()->availableGeometry(), frameGeometry()));
    }
    movedOnScreen_ = false;
    keepOnScreen();
}

}  // namespace tw
