// The five rows of the progress display; DownloadPanel shows and hides them.
// Each kind has a text colour for a light and one for a dark window
// background, and says what it is to a screen reader.

#include <QGroupBox>
#include <QLabel>

#include "gui/BgrColor.h"
#include "gui/LinkLabel.h"
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
    uint32_t textColor;      // on a light window background
    uint32_t darkTextColor;  // on a dark one
    const char* state;       // for a screen reader
    const char* captions[MainWindow::kStageRows];
};

// In creation order, so each later kind lies above the earlier ones; the
// info pair must lie above the working pair. Text colours keep at least 4.5:1
// contrast on the window's background, light or dark, so the stage can be
// read: on light, working is a dark amber (the designed yellow all but
// vanished), complete a darker green; on dark, lighter tints of the same.
constexpr StageKind kStageKinds[] = {
    {&StageRow::working,
     "lblStageWorking",
     "imgStageWorking",
     "stage_working",
     bgrValue(0x8A, 0x4B, 0x00),
     bgrValue(0xFF, 0xC8, 0x57),
     "in progress",
     {"Establishing connection ...", "Looking up gamertag ...", "Searching for new games ...",
      "Extracting data ...", "Optimizing database ..."}},
    {&StageRow::complete,
     "lblStageComplete",
     "imgStageComplete",
     "stage_complete",
     bgrValue(0x00, 0x6B, 0x00),
     bgrValue(0x7C, 0xE0, 0x7C),
     "complete",
     {"Connection established", "Gamertag found", "New games found", "Data extracted",
      "Process complete"}},
    {&StageRow::failed,
     "lblStageFailed",
     "imgStageFailed",
     "stage_failed",
     bgrValue(0xC0, 0x00, 0x00),
     bgrValue(0xFF, 0x8C, 0x8C),
     "failed",
     {"No connection", "Gamertag not found", "xx", "Data extraction failed", "xx"}},
    {&StageRow::info,
     "lblStageInfo",
     "imgStageInfo",
     "stage_info",
     bgrValue(0x00, 0x00, 0xC0),
     bgrValue(0x9C, 0xC0, 0xFF),
     "information",
     {"Welcome", "Skip", "No new games found", "Skip", "Skip"}},
};

QString rowName(const char* name, int row) {
    return QLatin1String(name) + QLatin1Char('_') + QString::number(row);
}

bool isDarkPalette(const QPalette& palette) {
    return palette.color(QPalette::Window).lightness() < 128;
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
            const QString state = QStringLiteral("Stage %1 of %2, %3")
                                      .arg(row)
                                      .arg(kStageRows)
                                      .arg(QLatin1String(kind.state));
            pair.label->setAccessibleDescription(state);
            pair.icon->setAccessibleName(state);
            const bool welcome = row == 1 && kind.pair == &StageRow::info;
            pair.icon->setVisible(welcome);
            pair.label->setVisible(welcome);
        }
    }
}

void MainWindow::applyStageColors() {
    const bool dark = isDarkPalette(palette());
    for (int row = 1; row <= kStageRows; ++row) {
        for (const StageKind& kind : kStageKinds) {
            QLabel* label = (stageRow(row).*kind.pair).label;
            QPalette colors = label->palette();
            colors.setColor(QPalette::WindowText,
                            colorFromBgr(dark ? kind.darkTextColor : kind.textColor));
            label->setPalette(colors);
        }
    }
    QPalette link = makerLink->palette();
    link.setColor(QPalette::WindowText,
                  colorFromBgr(dark ? bgrValue(0x9C, 0xC0, 0xFF) : bgrValue(0x00, 0x00, 0xC0)));
    makerLink->setPalette(link);
}

}  // namespace tw
