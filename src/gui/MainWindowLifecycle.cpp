#include "gui/MainWindowLifecycle.h"

#include <QComboBox>
#include <cmath>

#include "core/ExitRule.h"
#include "core/Session.h"
#include "gui/FlexGrid.h"
#include "gui/MainWindow.h"
#include "gui/PlayerSummaryView.h"

namespace tw {
namespace {

int Twips(float value) {
    return static_cast<int>(std::lround(value));
}

void ApplyPlacement(MainWindow& window, const WindowPlacement& placement) {
    window.moveToTwips(Twips(placement.Left), Twips(placement.Top));
    window.setOuterSizeTwips(Twips(placement.Width), Twips(placement.Height));
    // Saved on a monitor that may be gone.
    window.keepOnScreen();
}

void FillQueryList(MainWindow& window, const QStringList& names) {
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
    const LoadedSettings loaded = LoadSettings(state, programDir);
    ApplyPlacement(window, loaded.placement);
    window.resultGrid->clear();
    window.resultGrid->setRows(0);
    window.resultGrid->setCols(0);
    FillQueryList(window, loaded.queryNames);
    ShowPlayerSummary(state, window);
}

WindowPlacement CurrentPlacement(const MainWindow& window) {
    WindowPlacement placement;
    placement.Top = static_cast<float>(window.topTwips());
    placement.Left = static_cast<float>(window.leftTwips());
    placement.Height = static_cast<float>(window.outerHeightTwips());
    placement.Width = static_cast<float>(window.outerWidthTwips());
    return placement;
}

void InstallExitRule(Session& state, MainWindow& window, std::function<void()> closeConnection) {
    window.queryUnload = [&state, &window, close = std::move(closeConnection)] {
        return UnloadMainWindow(state, CurrentPlacement(window), close);
    };
}

}  // namespace tw
