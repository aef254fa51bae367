#include "taglist/MainWindowLifecycle.h"

#include <QComboBox>
#include <cmath>

#include "app/ExitRule.h"
#include "app/ProgramState.h"
#include "taglist/ShowPlayerSummary.h"
#include "ui/FlexGrid.h"
#include "ui/frmMain.h"

namespace tw {
namespace {

int Twips(float value) {
    return static_cast<int>(std::lround(value));
}

void ApplyPlacement(frmMain& window, const WindowPlacement& placement) {
    window.MoveToTwips(Twips(placement.Left), Twips(placement.Top));
    window.SetOuterSizeTwips(Twips(placement.Width), Twips(placement.Height));
    // Saved on a monitor that may be gone.
    window.KeepOnScreen();
}

void FillQueryList(frmMain& window, const QStringList& names) {
    QComboBox& list = *window.cmbQuery;
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

void Form_Load(ProgramState& state, frmMain& window, const QString& programDir) {
    const LoadedSettings loaded = LoadSettings(state, programDir);
    ApplyPlacement(window, loaded.placement);
    window.flxData->Clear();
    window.flxData->SetRows(0);
    window.flxData->SetCols(0);
    FillQueryList(window, loaded.queryNames);
    ShowPlayerSummary(state, window);
}

void InstallSummaryRefresh(ProgramState& state, frmMain& window) {
    state.refreshSummary = [&state, &window] { ShowPlayerSummary(state, window); };
}

WindowPlacement CurrentPlacement(const frmMain& window) {
    WindowPlacement placement;
    placement.Top = static_cast<float>(window.TopTwips());
    placement.Left = static_cast<float>(window.LeftTwips());
    placement.Height = static_cast<float>(window.OuterHeightTwips());
    placement.Width = static_cast<float>(window.OuterWidthTwips());
    return placement;
}

void InstallExitRule(ProgramState& state, frmMain& window, std::function<void()> closeConnection) {
    window.queryUnload = [&state, &window, close = std::move(closeConnection)] {
        return UnloadMainWindow(state, CurrentPlacement(window), close);
    };
}

}  // namespace tw
