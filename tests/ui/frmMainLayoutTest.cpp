// The resize rule: the smallest size snap and the controls that follow the
// window's edges, measured in twips through the window's own conversion.

#include <gtest/gtest.h>

#include <QChartView>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "UiTestSupport.h"
#include "ui/FlexGrid.h"
#include "ui/LinkLabel.h"
#include "ui/frmMain.h"

namespace tw {
namespace {

using test::PlaceInTwips;
using test::TwipsRect;

class frmMainLayoutTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::App();
        window = std::make_unique<frmMain>();
        window->show();
        test::Settle();
    }

    void ResizeTo(int width, int height) {
        window->SetOuterSizeTwips(width, height);
        test::Settle();
    }

    // A designed place as the window can show it: through its own
    // conversion to whole pixels and back.
    TwipsRect Designed(int left, int top, int width, int height) const {
        const TwipsScale scale = TwipsScale::ForWidget(*window);
        return {scale.XToTwips(scale.XToPixels(left)), scale.YToTwips(scale.YToPixels(top)),
                scale.XToTwips(scale.XToPixels(width)), scale.YToTwips(scale.YToPixels(height))};
    }

    std::unique_ptr<frmMain> window;
};

TEST_F(frmMainLayoutTest, OpensAtTheSmallestSizeWithTheDesignedLayout) {
    EXPECT_EQ(window->OuterWidthTwips(), 11415);
    EXPECT_EQ(window->OuterHeightTwips(), 7335);
    EXPECT_EQ(PlaceInTwips(*window->flxData).width, 6375);
    EXPECT_EQ(PlaceInTwips(*window->flxData).height, 4455);
    EXPECT_EQ(PlaceInTwips(*window->flxData), Designed(4800, 1440, 6375, 4455));
    EXPECT_EQ(PlaceInTwips(*window->chtData), Designed(4920, 1560, 6135, 4215));
    EXPECT_EQ(PlaceInTwips(*window->frameMain), Designed(120, 240, 4575, 5655));
    EXPECT_EQ(PlaceInTwips(*window->cmdDownload), Designed(360, 4800, 1095, 375));
    EXPECT_EQ(PlaceInTwips(*window->cmdStopDownload), PlaceInTwips(*window->cmdDownload));
    EXPECT_EQ(PlaceInTwips(*window->shpProgressEmpty), Designed(1800, 4800, 2415, 375));
    EXPECT_EQ(PlaceInTwips(*window->lblRecordCount), Designed(4800, 6000, 2055, 255));
    // The resize rule puts the logo at W - 705, 30 twips right of its
    // designed 10680, already at the smallest size.
    EXPECT_EQ(PlaceInTwips(*window->picBrackenfoldLogo), Designed(10710, 6000, 495, 495));
    EXPECT_EQ(PlaceInTwips(*window->lblBrackenfoldLink), Designed(8400, 6075, 2175, 495));
    EXPECT_EQ(PlaceInTwips(*window->lblProgressPercent).top, 4920);
    EXPECT_EQ(PlaceInTwips(*window->lblProgressText).top, 5280);
    EXPECT_EQ(PlaceInTwips(*window->lblElapsedTime).top, 4560);
    EXPECT_EQ(PlaceInTwips(*window->imgAscending), Designed(360, 6120, 240, 90));
    // Every stage row: picture at 480, label at 840, on the row's top.
    const int tops[] = {2640, 3000, 3360, 3720, 4080};
    for (int row = 1; row <= 5; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(PlaceInTwips(*window->imgStageFailed[row]),
                  Designed(480, tops[row - 1], 240, 255));
        EXPECT_EQ(PlaceInTwips(*window->lblStageInfo[row]),
                  Designed(840, tops[row - 1], 2415, 255));
    }
    // The client area is the designed one.
    const TwipsScale scale = TwipsScale::ForWidget(*window);
    EXPECT_EQ(scale.XToTwips(window->centralWidget()->width()), 11295);
    EXPECT_EQ(scale.YToTwips(window->centralWidget()->height()), 6645);
}

TEST_F(frmMainLayoutTest, LargerWindowMovesTheEdgeControls) {
    const int w = 13005;
    const int h = 9000;
    ResizeTo(w, h);
    ASSERT_EQ(window->OuterWidthTwips(), w);
    ASSERT_EQ(window->OuterHeightTwips(), h);
    EXPECT_EQ(PlaceInTwips(*window->frameMain), Designed(120, 240, 4575, h - 1680));
    EXPECT_EQ(PlaceInTwips(*window->flxData), Designed(4800, 1440, w - 5040, h - 2880));
    EXPECT_EQ(PlaceInTwips(*window->chtData), Designed(4920, 1560, w - 5280, h - 3120));
    for (QWidget* bottom : {static_cast<QWidget*>(window->shpProgressFull),
                            static_cast<QWidget*>(window->shpProgressEmpty),
                            static_cast<QWidget*>(window->cmdDownload),
                            static_cast<QWidget*>(window->cmdStopDownload)}) {
        SCOPED_TRACE(bottom->objectName().toStdString());
        EXPECT_EQ(PlaceInTwips(*bottom).top, h - 2535);
    }
    EXPECT_EQ(PlaceInTwips(*window->lblRecordCount).top, h - 1335);
    EXPECT_EQ(PlaceInTwips(*window->picBrackenfoldLogo), Designed(w - 705, h - 1335, 495, 495));
    EXPECT_EQ(PlaceInTwips(*window->lblBrackenfoldLink), Designed(w - 3015, h - 1260, 2175, 495));
    EXPECT_EQ(PlaceInTwips(*window->lblProgressText).top, h - 2055);
    EXPECT_EQ(PlaceInTwips(*window->lblProgressPercent).top, h - 2415);
    EXPECT_EQ(PlaceInTwips(*window->lblElapsedTime).top, h - 2775);
    EXPECT_EQ(PlaceInTwips(*window->lblDownloadedBytes).top, h - 2775);
    // The rest keeps its designed place.
    EXPECT_EQ(PlaceInTwips(*window->cmbQuery).left, 4800);
    EXPECT_EQ(PlaceInTwips(*window->cmdQryExport), Designed(10440, 960, 735, 310));
    EXPECT_EQ(PlaceInTwips(*window->lblStageWorking[5]).top, 4080);
    EXPECT_EQ(PlaceInTwips(*window->lblRecordCount).left, 4800);
    EXPECT_EQ(PlaceInTwips(*window->shpProgressFull).width, Designed(0, 0, 855, 0).width);
}

TEST_F(frmMainLayoutTest, TooSmallSnapsBackToExactlyTheSmallestSize) {
    struct Case {
        int width;
        int height;
    };
    // Both too small, only the width (height larger than the minimum), only
    // the height: the window always returns to 11415 x 7335.
    for (const Case c : {Case{10005, 6000}, Case{10005, 9000}, Case{13005, 6000}}) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        ResizeTo(13005, 9000);
        ResizeTo(c.width, c.height);
        EXPECT_EQ(window->OuterWidthTwips(), 11415);
        EXPECT_EQ(window->OuterHeightTwips(), 7335);
        EXPECT_EQ(PlaceInTwips(*window->flxData), Designed(4800, 1440, 6375, 4455));
        EXPECT_EQ(PlaceInTwips(*window->cmdDownload).top, 4800);
    }
}

TEST_F(frmMainLayoutTest, MinimisedWindowIsLeftAlone) {
    window->setWindowState(Qt::WindowMinimized);
    ResizeTo(10005, 6000);
    EXPECT_EQ(window->OuterWidthTwips(), 10005);
    EXPECT_EQ(window->OuterHeightTwips(), 6000);
    window->setWindowState(Qt::WindowNoState);
    window->Form_Resize();
    test::Settle();
    EXPECT_EQ(window->OuterWidthTwips(), 11415);
    EXPECT_EQ(window->OuterHeightTwips(), 7335);
}

TEST_F(frmMainLayoutTest, AbsentPlacementOpensAtTheCornerAndSnaps) {
    window->MoveToTwips(0, 0);
    ResizeTo(0, 0);
    EXPECT_EQ(window->TopTwips(), 0);
    EXPECT_EQ(window->LeftTwips(), 0);
    EXPECT_EQ(window->OuterWidthTwips(), 11415);
    EXPECT_EQ(window->OuterHeightTwips(), 7335);
}

TEST_F(frmMainLayoutTest, PlacementRoundTripsInTwips) {
    window->MoveToTwips(1500, 900);
    ResizeTo(12000, 8010);
    test::Settle();
    EXPECT_EQ(window->LeftTwips(), 1500);
    EXPECT_EQ(window->TopTwips(), 900);
    EXPECT_EQ(window->OuterWidthTwips(), 12000);
    EXPECT_EQ(window->OuterHeightTwips(), 8010);
}

}  // namespace
}  // namespace tw
