// The five-row progress display and the procedure that switches it.

#include <QGroupBox>
#include <QLabel>
#include <chrono>
#include <thread>

#include "core/Session.h"
#include "gui/Pictures.h"
#include "gui/VbColor.h"
#include "gui/WidgetFactory.h"
#include "gui/MainWindow.h"

namespace tw {

namespace {

using StageLabels = ControlArray<QLabel, 5>;

struct StageKind {
    const char* labelArray;
    const char* pictureArray;
    const char* pictureName;
    uint32_t textColor;
    const char* captions[5];
};

// In creation order, so each later kind lies above the earlier ones; the
// info pair must lie above the working pair. Text colours keep at least 4.5:1
// contrast on the window's light grey, so the stage can be read: working is a
// dark amber (the designed yellow all but vanished), complete a darker green.
constexpr StageKind kStageKinds[] = {
    {"lblStageWorking",
     "imgStageWorking",
     "stage_working",
     VbRgb(0x8A, 0x4B, 0x00),
     {"Establishing connection ...", "Looking up gamertag ...", "Searching for new games ...",
      "Extracting data ...", "Optimizing database ..."}},
    {"lblStageComplete",
     "imgStageComplete",
     "stage_complete",
     VbRgb(0x00, 0x6B, 0x00),
     {"Connection established", "Gamertag found", "New games found", "Data extracted",
      "Process complete"}},
    {"lblStageFailed",
     "imgStageFailed",
     "stage_failed",
     VbRgb(0xC0, 0x00, 0x00),
     {"No connection", "Gamertag not found", "xx", "Data extraction failed", "xx"}},
    {"lblStageInfo",
     "imgStageInfo",
     "stage_info",
     VbRgb(0x00, 0x00, 0xC0),
     {"Welcome", "Skip", "No new games found", "Skip", "Skip"}},
};

void ShowPair(const StageLabels& labels, const StageLabels& pictures, int row, bool visible) {
    labels[row]->setVisible(visible);
    pictures[row]->setVisible(visible);
}

}  // namespace

void MainWindow::CreateStageRows() {
    StageLabels* labelArrays[] = {&stageWorkingLabels, &stageCompleteLabels, &stageFailedLabels,
                                  &stageInfoLabels};
    StageLabels* pictureArrays[] = {&stageWorkingIcons, &stageCompleteIcons, &stageFailedIcons,
                                    &stageInfoIcons};
    for (int row = 1; row <= 5; ++row) {
        for (size_t kind = 0; kind < std::size(kStageKinds); ++kind) {
            const StageKind& k = kStageKinds[kind];
            QLabel* picture =
                NewPicture(controlCenter, StageLabels::ElementName(QLatin1String(k.pictureArray), row),
                           Picture(QLatin1String(k.pictureName)), true);
            QLabel* label = NewOpaqueLabel(
                controlCenter, StageLabels::ElementName(QLatin1String(k.labelArray), row),
                QLatin1String(k.captions[row - 1]), true, ColorFromVb(k.textColor));
            pictureArrays[kind]->Set(row, picture);
            labelArrays[kind]->Set(row, label);
            const bool welcome = row == 1 && labelArrays[kind] == &stageInfoLabels;
            picture->setVisible(welcome);
            label->setVisible(welcome);
        }
    }
}

void MainWindow::ShowStage(Session& state, int16_t stageState) {
    const int s = state.CurrentStage;
    switch (stageState) {
        case StageState::Reset:
            for (int row = 1; row <= 5; ++row) {
                ShowPair(stageWorkingLabels, stageWorkingIcons, row, false);
                ShowPair(stageCompleteLabels, stageCompleteIcons, row, false);
                ShowPair(stageFailedLabels, stageFailedIcons, row, false);
                ShowPair(stageInfoLabels, stageInfoIcons, row, false);
            }
            break;
        case StageState::Advance:
            if (state.sleep) {
                state.sleep(1000);
            } else {
                std::this_thread::sleep_for(std::chrono::milliseconds(1000));
            }
            ShowPair(stageWorkingLabels, stageWorkingIcons, s - 1, false);
            ShowPair(stageCompleteLabels, stageCompleteIcons, s - 1, true);
            ShowPair(stageWorkingLabels, stageWorkingIcons, s, true);
            break;
        case StageState::Info:
            ShowPair(stageWorkingLabels, stageWorkingIcons, s - 1, false);
            ShowPair(stageInfoLabels, stageInfoIcons, s, true);
            state.DownloadInProgress = false;
            state.StopRequested = false;
            break;
        case StageState::Failed:
            ShowPair(stageFailedLabels, stageFailedIcons, s, true);
            ShowPair(stageWorkingLabels, stageWorkingIcons, s, false);
            state.DownloadInProgress = false;
            state.StopRequested = false;
            break;
        default:
            break;
    }
    // The download keeps the thread busy; paint now so the change is seen.
    repaint();
}

}  // namespace tw
