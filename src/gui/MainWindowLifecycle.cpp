#include "gui/MainWindowLifecycle.h"

#include <QComboBox>
#include <cmath>

#include "core/ExitRule.h"
#include "core/Session.h"
#include "gui/MainWindow.h"
#include "gui/PlayerSummaryView.h"
#include "gui/ResultGrid.h"

namespace tw {
namespace {

int twips(float value) {
    return static_cast<int>(std::lround(value));
}

void applyPlacement(MainWindow& window, const WindowPlacement& placement) {
    window.moveToTwips(twips(placement.left), twips(placement.top));
    window.setOuterSizeTwips(twips(placement.width), twips(placement.height));
    // Saved on a monitor that may be gone.
    window.keepOnScreen();
}

void fillQueryList(MainWindow& window, const QStringList& names) {
    QComboBox& list = *window.queryList;
    if (list.count() == 0) {
        list.addItem(QString::fromLatin1(kSelectQueryItem));
    }
    for (int i = list.count() - 1; i >= 1; --i) {
        list.removeItem(i);
    }
    for (const QString& name : names) {
        list.addItem(name);
        list.setCurrentIndex(0);
    }
    list.setCurrentIndex(0);
}

}  // namespace

void loadMainWindow(Session& state, MainWindow& window, const QString& programDir) {
    const LoadedSettings loaded = loadSettings(state, programDir);
    applyPlacement(window, loaded.placement);
    window.resultGrid->clear();
    window.resultGrid->setRows(0);
    window.resultGrid->setCols(0);
    fillQueryList(window, loaded.queryNames);
    showPlayerSummary(state, window);
}

WindowPlacement currentPlacement(const MainWindow& window) {
    WindowPlacement placement;
    placement.top = static_cast<float>(window.topTwips());
    placement.left = static_cast<float>(window.leftTwips());
    placement.height = static_cast<float>(window.outerHeightTwips());
    placement.width = static_cast<float>(window.outerWidthTwips());
    return placement;
}

void installExitRule(Session& state, MainWindow& window, std::function<void()> closeConnection) {
    window.queryUnload = [&state, &window, close = std::move(closeConnection)] {
        return unloadMainWindow(state, currentPlacement(window), close);
    };
}

}  // namespace tw
