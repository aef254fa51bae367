// The five rows of the progress display; DownloadPanel shows and hides them.

#include <QGroupBox>
#include <QLabel>

#include "gui/BgrColor.h"
#include "gui/MainWindow.h"
#include "gui/Pictures.h"
#include "gui/WidgetFactory.h"

namespace tw {

namespace {

struct StageKind {
    StagePair StageRow::*pair;
    const char* labelName;
    const char* iconName;
    const char* pictureName;
    uint32_t textColor;
    const char* captions[MainWindow::kStageRows];
};

// In creation order, so each later kind lies above the earlier ones; the
// info pair must lie above the working pair. Text colours keep at least 4.5:1
// contrast on the window's light grey, so the stage can be read: working is a
// dark amber (the designed yellow all but vanished), complete a darker green.
constexpr StageKind kStageKinds[] = {
    {&StageRow::working,
     "lblStageWorking",
     "imgStageWorking",
     "stage_working",
     bgrValue(0x8A, 0x4B, 0x00),
     {"Establishing connection ...", "Looking up gamertag ...", "Searching for new games ...",
      "Extracting data ...", "Optimizing database ..."}},
    {&StageRow::complete,
     "lblStageComplete",
     "imgStageComplete",
     "stage_complete",
     bgrValue(0x00, 0x6B, 0x00),
     {"Connection established", "Gamertag found", "New games found", "Data extracted",
      "Process complete"}},
    {&StageRow::failed,
     "lblStageFailed",
     "imgStageFailed",
     "stage_failed",
     bgrValue(0xC0, 0x00, 0x00),
     {"No connection", "Gamertag not found", "xx", "Data extraction failed", "xx"}},
    {&StageRow::info,
     "lblStageInfo",
     "imgStageInfo",
     "stage_info",
     bgrValue(0x00, 0x00, 0xC0),
     {"Welcome", "Skip", "No new games found", "Skip", "Skip"}},
};

QString rowName(const char* name, int row) {
    return QLatin1String(name) + QLatin1Char('_') + QString::number(row);
}

}  // namespace

// Only row 1's Welcome shows until a download starts.
void MainWindow::createStageRows() {
    for (int row = 1; row <= kStageRows; ++row) {
        for (const StageKind& kind : kStageKinds) {
            StagePair& pair = stageRow(row).*kind.pair;
            pair.icon = newPicture(controlCenter, rowName(kind.iconName, row),
                                   pictureNamed(QLatin1String(kind.pictureName)), true);
            pair.label = newOpaqueLabel(controlCenter, rowName(kind.labelName, row),
                                        QLatin1String(kind.captions[row - 1]), true,
                                        colorFromBgr(kind.textColor));
            const bool welcome = row == 1 && kind.pair == &StageRow::info;
            pair.icon->setVisible(welcome);
            pair.label->setVisible(welcome);
        }
    }
}

}  // namespace tw
