#include "gui/MainWindowLifecycle.h"

#include <QComboBox>
#include <QRadioButton>
#include <cmath>

#include "core/ExitRule.h"
#include "core/Session.h"
#include "gui/MainWindow.h"
#include "gui/PlayerSummaryView.h"
#include "gui/ResultGrid.h"
#include "gui/Twips.h"

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

void checkOption(const std::array<QRadioButton*, 3>& options, int number) {
    options.at(static_cast<size_t>(number - 1))->setChecked(true);
}

int checkedNumber(const std::array<QRadioButton*, 3>& options) {
    for (size_t i = 0; i < options.size(); ++i) {
        if (options[i]->isChecked()) {
            return static_cast<int>(i) + 1;
        }
    }
    return 1;
}

// The query, the filters and the maximized state of the last exit. A query
// no longer saved leaves the list at its first item.
void applyView(MainWindow& window, const WindowView& view) {
    if (!view.selectedQuery.isEmpty()) {
        const int index = window.queryList->findText(view.selectedQuery, Qt::MatchExactly);
        if (index > 0) {
            window.queryList->setCurrentIndex(index);
        }
    }
    checkOption(window.playerFilterOptions, view.playerFilter);
    checkOption(window.gameFilterOptions, view.gameFilter);
    if (view.maximized) {
        // The saved placement stays the one the window is restored to.
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
    }
}

// A maximized window is saved with the placement it is restored to.
void normalPlacement(const MainWindow& window, WindowPlacement& placement) {
    const QRect normal = window.normalGeometry();
    if (!window.isMaximized() || !normal.isValid()) {
        return;
    }
    const TwipsScale scale = TwipsScale::forWidget(window);
    const QPoint frameOffset = window.geometry().topLeft() - window.frameGeometry().topLeft();
    const int menuHeight = window.menuWidget() ? window.menuWidget()->height() : 0;
    placement.left = static_cast<float>(scale.xToTwips(normal.x() - frameOffset.x()));
    placement.top = static_cast<float>(scale.yToTwips(normal.y() - frameOffset.y()));
    placement.width = static_cast<float>(scale.xToTwips(normal.width()) + MainWindow::kChromeWidth);
    placement.height = static_cast<float>(scale.yToTwips(normal.height() - menuHeight) +
                                          MainWindow::kChromeHeight);
}

}  // namespace

void loadMainWindow(Session& state, MainWindow& window, const QString& programDir) {
    const LoadedSettings loaded = loadSettings(state, programDir);
    applyPlacement(window, loaded.placement);
    window.resultGrid->clear();
    window.resultGrid->setRows(0);
    window.resultGrid->setCols(0);
    fillQueryList(window, loaded.queryNames);
    applyView(window, loaded.view);
    showPlayerSummary(state, window);
}

WindowPlacement currentPlacement(const MainWindow& window) {
    WindowPlacement placement;
    placement.top = static_cast<float>(window.topTwips());
    placement.left = static_cast<float>(window.leftTwips());
    placement.height = static_cast<float>(window.outerHeightTwips());
    placement.width = static_cast<float>(window.outerWidthTwips());
    normalPlacement(window, placement);
    return placement;
}

WindowView currentView(const MainWindow& window) {
    WindowView view;
    view.maximized = window.isMaximized();
    if (window.queryList->currentIndex() > 0) {
        view.selectedQuery = window.queryList->currentText();
    }
    view.playerFilter = checkedNumber(window.playerFilterOptions);
    view.gameFilter = checkedNumber(window.gameFilterOptions);
    return view;
}

void installExitRule(Session& state, MainWindow& window, std::function<void()> closeConnection) {
    window.queryUnload = [&state, &window, close = std::move(closeConnection)] {
        return unloadMainWindow(state, currentPlacement(window), close, currentView(window));
    };
}

}  // namespace tw
