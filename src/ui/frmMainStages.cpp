// The five-row progress display and the procedure that switches it.

#include <QGroupBox>
#include <QLabel>
#include <chrono>
#include <thread>

#include "app/ProgramState.h"
#include "ui/Pictures.h"
#include "ui/VbColor.h"
#include "ui/WidgetFactory.h"
#include "ui/frmMain.h"

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

void frmMain::CreateStageRows() {
    StageLabels* labelArrays[] = {&lblStageWorking, &lblStageComplete, &lblStageFailed,
                                  &lblStageInfo};
    StageLabels* pictureArrays[] = {&imgStageWorking, &imgStageComplete, &imgStageFailed,
                                    &imgStageInfo};
    for (int row = 1; row <= 5; ++row) {
        for (size_t kind = 0; kind < std::size(kStageKinds); ++kind) {
            const StageKind& k = kStageKinds[kind];
            QLabel* picture =
                NewPicture(frameMain, StageLabels::ElementName(QLatin1String(k.pictureArray), row),
                           Picture(QLatin1String(k.pictureName)), true);
            QLabel* label = NewOpaqueLabel(
                frameMain, StageLabels::ElementName(QLatin1String(k.labelArray), row),
                QLatin1String(k.captions[row - 1]), true, ColorFromVb(k.textColor));
            pictureArrays[kind]->Set(row, picture);
            labelArrays[kind]->Set(row, label);
            const bool welcome = row == 1 && labelArrays[kind] == &lblStageInfo;
            picture->setVisible(welcome);
            label->setVisible(welcome);
        }
    }
}

void frmMain::ShowStage(ProgramState& state, int16_t stageState) {
    const int s = state.CurrentStage;
    switch (stageState) {
        case StageState::Reset:
            for (int row = 1; row <= 5; ++row) {
                ShowPair(lblStageWorking, imgStageWorking, row, false);
                ShowPair(lblStageComplete, imgStageComplete, row, false);
                ShowPair(lblStageFailed, imgStageFailed, row, false);
                ShowPair(lblStageInfo, imgStageInfo, row, false);
            }
            break;
        case StageState::Advance:
            if (state.sleep) {
                state.sleep(1000);
            } else {
                std::this_thread::sleep_for(std::chrono::milliseconds(1000));
            }
            ShowPair(lblStageWorking, imgStageWorking, s - 1, false);
            ShowPair(lblStageComplete, imgStageComplete, s - 1, true);
            ShowPair(lblStageWorking, imgStageWorking, s, true);
            break;
        case StageState::Info:
            ShowPair(lblStageWorking, imgStageWorking, s - 1, false);
            ShowPair(lblStageInfo, imgStageInfo, s, true);
            state.DownloadInProgress = false;
            state.StopRequested = false;
            break;
        case StageState::Failed:
            ShowPair(lblStageFailed, imgStageFailed, s, true);
            ShowPair(lblStageWorking, imgStageWorking, s, false);
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
