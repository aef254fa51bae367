// Keeping the window where it can be seen: a placement saved on a monitor
// that is gone must not open the window off every screen.

#include <QGuiApplication>
#include <QScreen>
#include <QShowEvent>
#include <algorithm>

#include "gui/Twips.h"
#include "gui/MainWindow.h"

namespace tw {

namespace {

// How much of the window's top edge must lie on a screen for the caption to
// be grabbed and the window dragged: a strip this high and this wide (or as
// wide as the window), in pixels.
constexpr int kCaptionGripHeight = 24;
constexpr int kCaptionGripWidth = 100;

bool CaptionReachable(const QRect& frame, const QList<QScreen*>& screens) {
    const QRect caption(frame.topLeft(), QSize(frame.width(), kCaptionGripHeight));
    const int gripWidth = std::min(kCaptionGripWidth, frame.width());
    return std::any_of(screens.begin(), screens.end(), [&](const QScreen* screen) {
        const QRect reachable = screen->availableGeometry().intersected(caption);
        return reachable.height() >= caption.height() && reachable.width() >= gripWidth;
    });
}

QScreen* NearestScreen(const QRect& frame, const QList<QScreen*>& screens) {
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

// The top-left corner that puts as much of `frame` inside `area` as fits, its
// caption always.
QPoint Inside(const QRect& area, const QRect& frame) {
    return {std::clamp(frame.left(), area.left(),
                       std::max(area.left(), area.right() + 1 - frame.width())),
            std::clamp(frame.top(), area.top(),
                       std::max(area.top(), area.bottom() + 1 - frame.height()))};
}

}  // namespace

void MainWindow::KeepOnScreen() {
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.isEmpty()) {
        return;
    }
    // Counted at the size the resize rule will give it, if it is still below.
    const TwipsScale scale = TwipsScale::ForWidget(*this);
    const QSize smallest(scale.XToPixels(kMinOuterWidth - kChromeWidth),
                         scale.YToPixels(kMinOuterHeight - kChromeHeight));
    const QRect frame(frameGeometry().topLeft(), frameGeometry().size().expandedTo(smallest));
    if (CaptionReachable(frame, screens)) {
        return;
    }
    move(Inside(NearestScreen(frame, screens)->availableGeometry(), frame));
    movedOnScreen_ = true;
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // Only a shown window knows its frame (caption and borders): a window
    // this class moved onto a screen is fitted again with it counted.
    if (movedOnScreen_ && screen()) {
        move(Inside(screen()->availableGeometry(), frameGeometry()));
    }
    movedOnScreen_ = false;
    KeepOnScreen();
}

}  // namespace tw
