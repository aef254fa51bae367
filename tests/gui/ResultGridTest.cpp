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
        grid.resize(400, 300);
        grid.setCols(3);
        grid.setRows(4);
        for (int r = 0; r < 4; ++r) {
            for (int c = 0; c < 3; ++c) {
                grid.setTextMatrix(r, c, QStringLiteral("r%1c%2").arg(r).arg(c));
            }
        }
        grid.setFixedRows(1);
    }

    ResultGrid grid;
};

TEST_F(ResultGridTest, CellBackColorZeroMeansTheDefault) {
    grid.setRow(1);
    grid.setCol(0);
    EXPECT_EQ(grid.cellBackColor(), 0u);
    grid.setCellBackColor(bgrValue(0, 255, 128));
    EXPECT_EQ(grid.cellBackColor(), 0x0080FF00u);
    EXPECT_EQ(grid.model()->index(1, 0).data(Qt::BackgroundRole).value<QBrush>().color(),
              QColor(0, 255, 128));
    grid.setCellBackColor(0);
    EXPECT_EQ(grid.cellBackColor(), 0u);
    EXPECT_FALSE(grid.model()->index(1, 0).data(Qt::BackgroundRole).isValid());
}

TEST_F(ResultGridTest, AlignmentAndPictureOfTheCurrentCell) {
    grid.setRow(0);
    grid.setCol(1);
    grid.setCellAlignment(ResultGrid::CenterCenter);
    EXPECT_EQ(grid.cellAlignment(), 4);
    EXPECT_EQ(grid.model()->index(0, 1).data(Qt::TextAlignmentRole).toInt(),
              int(Qt::AlignHCenter | Qt::AlignVCenter));
    EXPECT_EQ(ResultGrid::toQtAlignment(1), Qt::AlignLeft | Qt::AlignVCenter);
    EXPECT_EQ(ResultGrid::toQtAlignment(7), Qt::AlignRight | Qt::AlignVCenter);
    QPixmap arrow(16, 6);
    arrow.fill(Qt::black);
    grid.setCellPicture(arrow);
    grid.setCellPictureAlignment(ResultGrid::RightCenter);
    EXPECT_EQ(grid.cellPicture().size(), QSize(16, 6));
    EXPECT_EQ(grid.cellPictureAlignment(), 7);
    grid.setCellPicture(QPixmap());
    EXPECT_TRUE(grid.cellPicture().isNull());
}

TEST_F(ResultGridTest, SizesAreTwips) {
    const TwipsScale scale = TwipsScale::forWidget(grid);
    grid.setColWidthTwips(1, 1200);
    EXPECT_EQ(grid.columnWidth(1), scale.xToPixels(1200));
    EXPECT_EQ(grid.colWidthTwips(1), scale.xToTwips(scale.xToPixels(1200)));
    // 30 pixels, as the picture rows of the query grid ask for.
    grid.setRowHeightTwips(2, scale.yToTwips(30));
    EXPECT_EQ(grid.rowHeight(2), 30);
}

TEST_F(ResultGridTest, ClearEmptiesCellsButKeepsTheShape) {
    grid.setRow(1);
    grid.setCol(1);
    grid.setCellBackColor(bgrValue(240, 240, 240));
    grid.clear();
    EXPECT_EQ(grid.rows(), 4);
    EXPECT_EQ(grid.cols(), 3);
    EXPECT_EQ(grid.textMatrix(1, 1), "");
    EXPECT_EQ(grid.cellBackColor(), 0u);
    grid.setRows(0);
    grid.setCols(0);
    EXPECT_EQ(grid.rows(), 0);
    EXPECT_EQ(grid.cols(), 0);
    EXPECT_EQ(grid.fixedRows(), 0);  // fixed rows never outnumber the rows
}

TEST_F(ResultGridTest, MouseEventsReportButtonAndCell) {
    grid.show();
    QSignalSpy down(&grid, &ResultGrid::mouseDown);
    QSignalSpy up(&grid, &ResultGrid::mouseUp);
    const QPoint cell(grid.columnViewportPosition(2) + 3, grid.rowViewportPosition(1) + 3);
    QTest::mousePress(grid.viewport(), Qt::RightButton, Qt::ShiftModifier, cell);
    QTest::mouseRelease(grid.viewport(), Qt::RightButton, Qt::ShiftModifier, cell);
    ASSERT_EQ(down.size(), 1);
    ASSERT_EQ(up.size(), 1);
    EXPECT_EQ(up.at(0).at(0).toInt(), 2);  // right button
    EXPECT_EQ(up.at(0).at(1).toInt(), 1);  // shift
    EXPECT_EQ(grid.mouseRow(), 1);
    EXPECT_EQ(grid.mouseCol(), 2);
    const QPoint header(grid.columnViewportPosition(0) + 3, grid.rowViewportPosition(0) + 3);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::NoModifier, header);
    EXPECT_EQ(down.at(1).at(0).toInt(), 1);  // left button
    EXPECT_EQ(grid.mouseRow(), 0);
    EXPECT_EQ(grid.mouseCol(), 0);
}

TEST_F(ResultGridTest, FixedRowStaysInViewWhileTheRowsScroll) {
    grid.setRows(60);
    for (int r = 1; r < 60; ++r) {
        grid.setTextMatrix(r, 0, QString::number(r));
    }
    grid.show();
    test::settle();
    const int headerHeight = grid.rowHeight(0);
    const QRect strip(grid.viewport()->geometry().topLeft(),
                      QSize(grid.viewport()->width(), headerHeight));
    const QImage before = grid.grab(strip).toImage();
    grid.scrollToBottom();
    test::settle();
    ASSERT_GT(grid.rowAt(headerHeight + 2), 20);  // the data rows did scroll
    EXPECT_EQ(grid.grab(strip).toImage(), before);
    // A click on the header strip reaches row 0, as a sort click needs.
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(grid.columnViewportPosition(1) + 3, 3));
    EXPECT_EQ(grid.mouseRow(), 0);
    EXPECT_EQ(grid.mouseCol(), 1);
    // Without fixed rows nothing is held at the top.
    grid.setFixedRows(0);
    test::settle();
    EXPECT_NE(grid.grab(strip).toImage(), before);
}

}  // namespace
}  // namespace tw
