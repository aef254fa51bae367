// The grid's frame at a fractional scale factor: all four sides drawn. The
// style strokes its frame with a pen, and at 125 % the right and bottom lines
// fell outside the widget; this executable runs at 125 % for that reason.

#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>
#include <QTest>

#include "gui/ResultGrid.h"
#include "support/TestApplication.h"

namespace tw {
namespace {

// Whether one of `depth` device pixels, from the edge pixel `inner` inwards
// by `step`, has the colour.
bool edgeHasColour(const QImage& image, QPoint inner, QPoint step, int depth, QColor colour) {
    QPoint at = inner;
    for (int i = 0; i < depth; ++i, at += step) {
        if (image.pixelColor(at).rgb() == colour.rgb()) {
            return true;
        }
    }
    return false;
}

TEST(GridBorderTest, AllFourSidesAreDrawnAt125Percent) {
    qputenv("QT_SCALE_FACTOR", "1.25");
    test_support::ensureApplication();
    // Odd sizes, so that the far edges fall inside a device pixel.
    for (const QSize size : {QSize(301, 203), QSize(302, 202), QSize(403, 299)}) {
        ResultGrid grid;
        grid.resize(size);
        grid.setCols(3);
        grid.setRows(4);
        const QPixmap picture = grid.grab();
        ASSERT_DOUBLE_EQ(picture.devicePixelRatio(), 1.25);
        const QImage image = picture.toImage();
        const QColor frame = grid.palette().color(QPalette::Mid);
        const int w = image.width();
        const int h = image.height();
        // Two device pixels deep: one logical pixel is 1.25 of them.
        EXPECT_TRUE(edgeHasColour(image, {w / 2, 0}, {0, 1}, 2, frame)) << "top " << w << "x" << h;
        EXPECT_TRUE(edgeHasColour(image, {w / 2, h - 1}, {0, -1}, 2, frame))
            << "bottom " << w << "x" << h;
        EXPECT_TRUE(edgeHasColour(image, {0, h / 2}, {1, 0}, 2, frame)) << "left " << w << "x" << h;
        EXPECT_TRUE(edgeHasColour(image, {w - 1, h / 2}, {-1, 0}, 2, frame))
            << "right " << w << "x" << h;
    }
}

// Keyboard users see where the focus is: the frame takes the highlight colour.
TEST(GridBorderTest, TheFrameShowsTheKeyboardFocus) {
    qputenv("QT_SCALE_FACTOR", "1.25");
    test_support::ensureApplication();
    ResultGrid grid;
    grid.resize(301, 203);
    grid.show();
    grid.activateWindow();
    grid.setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&grid));
    QTRY_VERIFY(grid.hasFocus());
    const QImage image = grid.grab().toImage();
    const QColor highlight = grid.palette().color(QPalette::Highlight);
    const int w = image.width();
    const int h = image.height();
    EXPECT_TRUE(edgeHasColour(image, {w / 2, h - 1}, {0, -1}, 2, highlight));
    EXPECT_TRUE(edgeHasColour(image, {w - 1, h / 2}, {-1, 0}, 2, highlight));
    grid.clearFocus();
    QTRY_VERIFY(!grid.hasFocus());
    EXPECT_FALSE(edgeHasColour(grid.grab().toImage(), {w - 1, h / 2}, {-1, 0}, 2, highlight));
}

}  // namespace
}  // namespace tw
