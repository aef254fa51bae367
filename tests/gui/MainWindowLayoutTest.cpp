// The resize rule: the smallest size snap and the controls that follow the
// window's edges, measured in twips through the window's own conversion.

#include <gtest/gtest.h>

#include <QChartView>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "UiTestSupport.h"
#include "gui/FlexGrid.h"
#include "gui/LinkLabel.h"
#include "gui/MainWindow.h"

namespace tw {
namespace {

using test::PlaceInTwips;
using test::TwipsRect;

class MainWindowLayoutTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::App();
        window = std::make_unique<MainWindow>();
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

    std::unique_ptr<MainWindow> window;
};

TEST_F(MainWindowLayoutTest, OpensAtTheSmallestSizeWithTheDesignedLayout) {
    EXPECT_EQ(window->OuterWidthTwips(), 11415);
    EXPECT_EQ(window->OuterHeightTwips(), 7335);
    EXPECT_EQ(PlaceInTwips(*window->resultGrid).width, 6375);
    EXPECT_EQ(PlaceInTwips(*window->resultGrid).height, 4455);
    EXPECT_EQ(PlaceInTwips(*window->resultGrid), Designed(4800, 1440, 6375, 4455));
    EXPECT_EQ(PlaceInTwips(*window->resultChart), Designed(4920, 1560, 6135, 4215));
    EXPECT_EQ(PlaceInTwips(*window->controlCenter), Designed(120, 240, 4575, 5655));
    EXPECT_EQ(PlaceInTwips(*window->downloadButton), Designed(360, 4800, 1095, 375));
    EXPECT_EQ(PlaceInTwips(*window->stopButton), PlaceInTwips(*window->downloadButton));
    EXPECT_EQ(PlaceInTwips(*window->progressEmpty), Designed(1800, 4800, 2415, 375));
    EXPECT_EQ(PlaceInTwips(*window->recordCount), Designed(4800, 6000, 2055, 255));
    // The resize rule puts the logo at W - 705, 30 twips right of its
    // designed 10680, already at the smallest size.
    EXPECT_EQ(PlaceInTwips(*window->makerLogo), Designed(10710, 6000, 495, 495));
    EXPECT_EQ(PlaceInTwips(*window->makerLink), Designed(8400, 6075, 2175, 495));
    EXPECT_EQ(PlaceInTwips(*window->progressPercent).top, 4920);
    EXPECT_EQ(PlaceInTwips(*window->progressText).top, 5280);
    EXPECT_EQ(PlaceInTwips(*window->elapsedTime).top, 4560);
    EXPECT_EQ(PlaceInTwips(*window->ascendingIcon), Designed(360, 6120, 240, 90));
    // Every stage row: picture at 480, label at 840, on the row's top.
    const int tops[] = {2640, 3000, 3360, 3720, 4080};
    for (int row = 1; row <= 5; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(PlaceInTwips(*window->stageFailedIcons[row]),
                  Designed(480, tops[row - 1], 240, 255));
        EXPECT_EQ(PlaceInTwips(*window->stageInfoLabels[row]),
                  Designed(840, tops[row - 1], 2415, 255));
    }
    // The client area is the designed one.
    const TwipsScale scale = TwipsScale::ForWidget(*window);
    EXPECT_EQ(scale.XToTwips(window->centralWidget()->width()), 11295);
    EXPECT_EQ(scale.YToTwips(window->centralWidget()->height()), 6645);
}

TEST_F(MainWindowLayoutTest, LargerWindowMovesTheEdgeControls) {
    const int w = 13005;
    const int h = 9000;
    ResizeTo(w, h);
    ASSERT_EQ(window->OuterWidthTwips(), w);
    ASSERT_EQ(window->OuterHeightTwips(), h);
    EXPECT_EQ(PlaceInTwips(*window->controlCenter), Designed(120, 240, 4575, h - 1680));
    EXPECT_EQ(PlaceInTwips(*window->resultGrid), Designed(4800, 1440, w - 5040, h - 2880));
    EXPECT_EQ(PlaceInTwips(*window->resultChart), Designed(4920, 1560, w - 5280, h - 3120));
    for (QWidget* bottom : {static_cast<QWidget*>(window->progressFull),
                            static_cast<QWidget*>(window->progressEmpty),
                            static_cast<QWidget*>(window->downloadButton),
                            static_cast<QWidget*>(window->stopButton)}) {
        SCOPED_TRACE(bottom->objectName().toStdString());
        EXPECT_EQ(PlaceInTwips(*bottom).top, h - 2535);
    }
    EXPECT_EQ(PlaceInTwips(*window->recordCount).top, h - 1335);
    EXPECT_EQ(PlaceInTwips(*window->makerLogo), Designed(w - 705, h - 1335, 495, 495));
    EXPECT_EQ(PlaceInTwips(*window->makerLink), Designed(w - 3015, h - 1260, 2175, 495));
    EXPECT_EQ(PlaceInTwips(*window->progressText).top, h - 2055);
    EXPECT_EQ(PlaceInTwips(*window->progressPercent).top, h - 2415);
    EXPECT_EQ(PlaceInTwips(*window->elapsedTime).top, h - 2775);
    EXPECT_EQ(PlaceInTwips(*window->downloadedBytes).top, h - 2775);
    // The rest keeps its designed place.
    EXPECT_EQ(PlaceInTwips(*window->queryList).left, 4800);
    EXPECT_EQ(PlaceInTwips(*window->exportButton), Designed(10440, 960, 735, 310));
    EXPECT_EQ(PlaceInTwips(*window->stageWorkingLabels[5]).top, 4080);
    EXPECT_EQ(PlaceInTwips(*window->recordCount).left, 4800);
    EXPECT_EQ(PlaceInTwips(*window->progressFull).width, Designed(0, 0, 855, 0).width);
}

TEST_F(MainWindowLayoutTest, TooSmallSnapsBackToExactlyTheSmallestSize) {
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
        EXPECT_EQ(PlaceInTwips(*window->resultGrid), Designed(4800, 1440, 6375, 4455));
        EXPECT_EQ(PlaceInTwips(*window->downloadButton).top, 4800);
    }
}

TEST_F(MainWindowLayoutTest, MinimisedWindowIsLeftAlone) {
    window->setWindowState(Qt::WindowMinimized);
    ResizeTo(10005, 6000);
    EXPECT_EQ(window->OuterWidthTwips(), 10005);
    EXPECT_EQ(window->OuterHeightTwips(), 6000);
    window->setWindowState(Qt::WindowNoState);
    window->applyResizeRule();
    test::Settle();
    EXPECT_EQ(window->OuterWidthTwips(), 11415);
    EXPECT_EQ(window->OuterHeightTwips(), 7335);
}

TEST_F(MainWindowLayoutTest, AbsentPlacementOpensAtTheCornerAndSnaps) {
    window->MoveToTwips(0, 0);
    ResizeTo(0, 0);
    EXPECT_EQ(window->TopTwips(), 0);
    EXPECT_EQ(window->LeftTwips(), 0);
    EXPECT_EQ(window->OuterWidthTwips(), 11415);
    EXPECT_EQ(window->OuterHeightTwips(), 7335);
}

TEST_F(MainWindowLayoutTest, PlacementRoundTripsInTwips) {
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
