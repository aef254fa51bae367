// Where every control of the main window sits, in twips, and the resize rule.
// Controls inside a frame are placed relative to the frame. Heights the design
// leaves to the control (drop-downs, one-line labels, option buttons) use the
// control's usual designed height.

#include <QChartView>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "gui/FlexGrid.h"
#include "gui/LinkLabel.h"
#include "gui/Twips.h"
#include "gui/MainWindow.h"

namespace tw {

namespace {

struct DesignedPlace {
    const char* name;
    int left;
    int top;
    int width;
    int height;
};

constexpr int kLineHeight = 255;      // one-line label, option button
constexpr int kDropDownHeight = 315;  // drop-down list

constexpr DesignedPlace kDesignedPlaces[] = {
    // Outside controlCenter.
    {"frameFilterPlayer", 4800, 240, 3015, 615},
    {"optFilterPlayer_1", 120, 300, 675, kLineHeight},
    {"optFilterPlayer_2", 840, 300, 1395, kLineHeight},
    {"optFilterPlayer_3", 2280, 300, 615, kLineHeight},
    {"frameFilterGame", 7920, 240, 3255, 615},
    {"optFilterGame_1", 120, 300, 675, kLineHeight},
    {"optFilterGame_2", 840, 300, 1035, kLineHeight},
    {"optFilterGame_3", 1920, 300, 1215, kLineHeight},
    {"cmbQuery", 4800, 960, 4815, kDropDownHeight},
    {"cmdRunQuery", 9720, 960, 615, 310},
    {"cmdQryExport", 10440, 960, 735, 310},
    {"flxData", 4800, 1440, 6375, 4455},
    {"chtData", 4920, 1560, 6135, 4215},
    {"lblRecordCount", 4800, 6000, 2055, 255},
    {"imgAscending", 360, 6120, 240, 90},
    {"imgDescending", 840, 6120, 240, 90},
    {"picBrackenfoldLogo", 10680, 6000, 495, 495},
    {"lblBrackenfoldLink", 8400, 6075, 2175, 495},
    // controlCenter and its controls.
    {"frameMain", 120, 240, 4575, 5655},
    {"Label1", 120, 480, 855, kLineHeight},
    {"cmbTagList", 1080, 435, 2055, kDropDownHeight},
    {"cmdAddGamertag", 3240, 435, 310, 310},
    {"cmdRemoveGamertag", 3600, 435, 310, 310},
    {"cmdProfileGamertag", 3960, 435, 310, 310},
    {"imgAvatar", 240, 1080, 1035, 1035},
    {"Label3", 1440, 1200, 435, kLineHeight},
    {"lblClanName", 1920, 1200, 2535, kLineHeight},
    {"Label4", 1440, 1560, 1755, kLineHeight},
    {"lblTotalGames", 3240, 1560, 1215, kLineHeight},
    {"Label11", 1440, 1920, 1155, kLineHeight},
    {"lblLastDownload", 2640, 1920, 1815, kLineHeight},
    {"Line1", 240, 2400, 4080, 15},
    {"lblElapsedTime", 1800, 4560, 735, kLineHeight},
    {"lblDownloadedBytes", 2520, 4560, 1665, kLineHeight},
    {"cmdDownload", 360, 4800, 1095, 375},
    {"cmdStopDownload", 360, 4800, 1095, 375},
    {"shpProgressEmpty", 1800, 4800, 2415, 375},
    {"shpProgressFull", 1800, 4800, 855, 375},
    {"lblProgressPercent", 1800, 4920, 2415, kLineHeight},
    {"lblProgressText", 1800, 5280, 2415, kLineHeight},
};

// The progress display: five rows, each with four pairs on the same place.
constexpr int kStageRowTops[] = {2640, 3000, 3360, 3720, 4080};
constexpr DesignedPlace kStagePicture = {"", 480, 0, 240, 255};
constexpr DesignedPlace kStageLabel = {"", 840, 0, 2415, 255};

}  // namespace

void MainWindow::PlaceTwips(QWidget* widget, int left, int top, int width, int height) {
    widget->setGeometry(TwipsScale::ForWidget(*this).ToPixels(left, top, width, height));
}

void MainWindow::SetTopTwips(QWidget* widget, int top) {
    widget->move(widget->x(), TwipsScale::ForWidget(*this).YToPixels(top));
}

void MainWindow::SetLeftTwips(QWidget* widget, int left) {
    widget->move(TwipsScale::ForWidget(*this).XToPixels(left), widget->y());
}

void MainWindow::SetWidthTwips(QWidget* widget, int width) {
    widget->resize(TwipsScale::ForWidget(*this).XToPixels(width), widget->height());
}

void MainWindow::SetHeightTwips(QWidget* widget, int height) {
    widget->resize(widget->width(), TwipsScale::ForWidget(*this).YToPixels(height));
}

void MainWindow::ApplyDesignedPlaces() {
    for (const DesignedPlace& place : kDesignedPlaces) {
        QWidget* widget = findChild<QWidget*>(QLatin1String(place.name));
        Q_ASSERT_X(widget, "ApplyDesignedPlaces", place.name);
        if (widget) {
            PlaceTwips(widget, place.left, place.top, place.width, place.height);
        }
    }
    const ControlArray<QLabel, 5>* pictures[] = {&stageWorkingIcons, &stageCompleteIcons,
                                                 &stageFailedIcons, &stageInfoIcons};
    const ControlArray<QLabel, 5>* labels[] = {&stageWorkingLabels, &stageCompleteLabels, &stageFailedLabels,
                                               &stageInfoLabels};
    for (int row = 1; row <= 5; ++row) {
        const int top = kStageRowTops[row - 1];
        for (size_t kind = 0; kind < std::size(pictures); ++kind) {
            PlaceTwips((*pictures[kind])[row], kStagePicture.left, top, kStagePicture.width,
                       kStagePicture.height);
            PlaceTwips((*labels[kind])[row], kStageLabel.left, top, kStageLabel.width,
                       kStageLabel.height);
        }
    }
}

void MainWindow::applyResizeRule() {
    if (isMinimized()) {
        return;
    }
    const int h = OuterHeightTwips();
    const int w = OuterWidthTwips();
    if (h < kMinOuterHeight || w < kMinOuterWidth) {
        // Both, even if only one was too small; the new size lays out again.
        SetOuterSizeTwips(kMinOuterWidth, kMinOuterHeight);
        return;
    }
    SetHeightTwips(controlCenter, h - 1680);
    SetHeightTwips(resultGrid, h - 2880);
    SetWidthTwips(resultGrid, w - 5040);
    SetWidthTwips(resultChart, w - 5280);
    SetHeightTwips(resultChart, h - 3120);
    for (QWidget* widget :
         {static_cast<QWidget*>(progressFull), static_cast<QWidget*>(progressEmpty),
          static_cast<QWidget*>(downloadButton), static_cast<QWidget*>(stopButton)}) {
        SetTopTwips(widget, h - 2535);
    }
    SetTopTwips(recordCount, h - 1335);
    SetTopTwips(makerLogo, h - 1335);
    SetTopTwips(makerLink, h - 1260);
    SetLeftTwips(makerLogo, w - 705);
    SetLeftTwips(makerLink, w - 3015);
    SetTopTwips(progressText, h - 2055);
    SetTopTwips(progressPercent, h - 2415);
    SetTopTwips(elapsedTime, h - 2775);
    SetTopTwips(downloadedBytes, h - 2775);
}

}  // namespace tw
