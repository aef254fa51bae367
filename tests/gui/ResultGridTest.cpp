// The grid wrapper: the current cell's formatting, sizes in
// twips, emptying, and the mouse row and column of the last click.

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "UiTestSupport.h"
#include "gui/BgrColor.h"
#include "gui/ResultGrid.h"

namespace tw {
namespace {

// The application must exist before the grid member is built.
struct WithApp {
    WithApp() { test::app(); }
};

class ResultGridTest : public ::testing::Test, private WithApp {
  protected:
    void SetUp() override {
        grid_.resize(400, 300);
        grid_.setCols(3);
        grid_.setRows(4);
        for (int r = 0; r < 4; ++r) {
            for (int c = 0; c < 3; ++c) {
                grid_.setTextMatrix(r, c, QStringLiteral("r%1c%2").arg(r).arg(c));
            }
        }
        grid_.setFixedRows(1);
    }

    ResultGrid grid_;
};

TEST_F(ResultGridTest, CellBackColorZeroMeansTheDefault) {
    grid_.setRow(1);
    grid_.setCol(0);
    EXPECT_EQ(grid_.cellBackColor(), 0u);
    grid_.setCellBackColor(bgrValue(0, 255, 128));
    EXPECT_EQ(grid_.cellBackColor(), 0x0080FF00u);
    EXPECT_EQ(grid_.model()->index(1, 0).data(Qt::BackgroundRole).value<QBrush>().color(),
              QColor(0, 255, 128));
    // Its text is black on a light colour and white on a dark one, whatever
    // the palette's text colour.
    const auto textColor = [this] {
        return grid_.model()->index(1, 0).data(Qt::ForegroundRole).value<QBrush>().color();
    };
    EXPECT_EQ(textColor(), QColor(Qt::black));
    grid_.setCellBackColor(bgrValue(0, 0, 128));
    EXPECT_EQ(textColor(), QColor(Qt::white));
    grid_.setCellBackColor(0);
    EXPECT_EQ(grid_.cellBackColor(), 0u);
    EXPECT_FALSE(grid_.model()->index(1, 0).data(Qt::BackgroundRole).isValid());
    EXPECT_FALSE(grid_.model()->index(1, 0).data(Qt::ForegroundRole).isValid());
}

TEST_F(ResultGridTest, AlignmentAndPictureOfTheCurrentCell) {
    grid_.setRow(0);
    grid_.setCol(1);
    grid_.setCellAlignment(ResultGrid::CenterCenter);
    EXPECT_EQ(grid_.cellAlignment(), 4);
    EXPECT_EQ(grid_.model()->index(0, 1).data(Qt::TextAlignmentRole).toInt(),
              int(Qt::AlignHCenter | Qt::AlignVCenter));
    EXPECT_EQ(ResultGrid::toQtAlignment(1), Qt::AlignLeft | Qt::AlignVCenter);
    EXPECT_EQ(ResultGrid::toQtAlignment(7), Qt::AlignRight | Qt::AlignVCenter);
    QPixmap arrow(16, 6);
    arrow.fill(Qt::black);
    grid_.setCellPicture(arrow);
    grid_.setCellPictureAlignment(ResultGrid::RightCenter);
    EXPECT_EQ(grid_.cellPicture().size(), QSize(16, 6));
    EXPECT_EQ(grid_.cellPictureAlignment(), 7);
    grid_.setCellPicture(QPixmap());
    EXPECT_TRUE(grid_.cellPicture().isNull());
}

TEST_F(ResultGridTest, SizesAreTwips) {
    const TwipsScale scale = TwipsScale::forWidget(grid_);
    grid_.setColWidthTwips(1, 1200);
    EXPECT_EQ(grid_.columnWidth(1), scale.xToPixels(1200));
    EXPECT_EQ(grid_.colWidthTwips(1), scale.xToTwips(scale.xToPixels(1200)));
    // 30 pixels, as the picture rows of the query grid ask for.
    grid_.setRowHeightTwips(2, scale.yToTwips(30));
    EXPECT_EQ(grid_.rowHeight(2), 30);
}

TEST_F(ResultGridTest, ClearEmptiesCellsButKeepsTheShape) {
    grid_.setRow(1);
    grid_.setCol(1);
    grid_.setCellBackColor(bgrValue(240, 240, 240));
    grid_.clear();
    EXPECT_EQ(grid_.rows(), 4);
    EXPECT_EQ(grid_.cols(), 3);
    EXPECT_EQ(grid_.textMatrix(1, 1), "");
    EXPECT_EQ(grid_.cellBackColor(), 0u);
    grid_.setRows(0);
    grid_.setCols(0);
    EXPECT_EQ(grid_.rows(), 0);
    EXPECT_EQ(grid_.cols(), 0);
    EXPECT_EQ(grid_.fixedRows(), 0);  // fixed rows never outnumber the rows
}

TEST_F(ResultGridTest, MouseEventsReportButtonAndCell) {
    grid_.show();
    QSignalSpy down(&grid_, &ResultGrid::mouseDown);
    QSignalSpy up(&grid_, &ResultGrid::mouseUp);
    const QPoint cell(grid_.columnViewportPosition(2) + 3, grid_.rowViewportPosition(1) + 3);
    QTest::mousePress(grid_.viewport(), Qt::RightButton, Qt::ShiftModifier, cell);
    QTest::mouseRelease(grid_.viewport(), Qt::RightButton, Qt::ShiftModifier, cell);
    ASSERT_EQ(down.size(), 1);
    ASSERT_EQ(up.size(), 1);
    EXPECT_EQ(up.at(0).at(0).toInt(), 2);  // right button
    EXPECT_EQ(up.at(0).at(1).toInt(), 1);  // shift
    EXPECT_EQ(grid_.mouseRow(), 1);
    EXPECT_EQ(grid_.mouseCol(), 2);
    const QPoint header(grid_.columnViewportPosition(0) + 3, grid_.rowViewportPosition(0) + 3);
    QTest::mouseClick(grid_.viewport(), Qt::LeftButton, Qt::NoModifier, header);
    EXPECT_EQ(down.at(1).at(0).toInt(), 1);  // left button
    EXPECT_EQ(grid_.mouseRow(), 0);
    EXPECT_EQ(grid_.mouseCol(), 0);
}

TEST_F(ResultGridTest, FixedRowStaysInViewWhileTheRowsScroll) {
    grid_.setRows(60);
    for (int r = 1; r < 60; ++r) {
        grid_.setTextMatrix(r, 0, QString::number(r));
    }
    grid_.show();
    test::settle();
    const int headerHeight = grid_.rowHeight(0);
    const QRect strip(grid_.viewport()->geometry().topLeft(),
                      QSize(grid_.viewport()->width(), headerHeight));
    const QImage before = grid_.grab(strip).toImage();
    grid_.scrollToBottom();
    test::settle();
    ASSERT_GT(grid_.rowAt(headerHeight + 2), 20);  // the data rows did scroll
    EXPECT_EQ(grid_.grab(strip).toImage(), before);
    // A click on the header strip reaches row 0, as a sort click needs.
    QTest::mouseClick(grid_.viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(grid_.columnViewportPosition(1) + 3, 3));
    EXPECT_EQ(grid_.mouseRow(), 0);
    EXPECT_EQ(grid_.mouseCol(), 1);
    // Without fixed rows nothing is held at the top.
    grid_.setFixedRows(0);
    test::settle();
    EXPECT_NE(grid_.grab(strip).toImage(), before);
}

}  // namespace
}  // namespace tw
