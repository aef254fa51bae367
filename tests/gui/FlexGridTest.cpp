// The grid wrapper: the cell matrix, the current cell's formatting, sizes in
// twips, emptying, and the mouse row and column of the last click.

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "UiTestSupport.h"
#include "gui/FlexGrid.h"
#include "gui/VbColor.h"

namespace tw {
namespace {

// The application must exist before the grid member is built.
struct WithApp {
    WithApp() { test::App(); }
};

class FlexGridTest : public ::testing::Test, private WithApp {
  protected:
    void SetUp() override {
        grid.resize(400, 300);
        grid.SetCols(3);
        grid.SetRows(4);
        for (int r = 0; r < 4; ++r) {
            for (int c = 0; c < 3; ++c) {
                grid.SetTextMatrix(r, c, QStringLiteral("r%1c%2").arg(r).arg(c));
            }
        }
        grid.SetFixedRows(1);
    }

    FlexGrid grid;
};

TEST_F(FlexGridTest, CellMatrixAndCurrentCell) {
    EXPECT_EQ(grid.TextMatrix(2, 1), "r2c1");
    EXPECT_EQ(grid.TextMatrix(0, 2), "r0c2");
    EXPECT_EQ(grid.TextMatrix(9, 9), "");  // outside the grid reads empty
    grid.SetRow(3);
    grid.SetCol(2);
    EXPECT_EQ(grid.RowSel(), 3);
    EXPECT_EQ(grid.ColSel(), 2);
    EXPECT_EQ(grid.Text(), "r3c2");
    grid.SetText("changed");
    EXPECT_EQ(grid.TextMatrix(3, 2), "changed");
}

TEST_F(FlexGridTest, CellBackColorZeroMeansTheDefault) {
    grid.SetRow(1);
    grid.SetCol(0);
    EXPECT_EQ(grid.CellBackColor(), 0u);
    grid.SetCellBackColor(VbRgb(0, 255, 128));
    EXPECT_EQ(grid.CellBackColor(), 0x0080FF00u);
    EXPECT_EQ(grid.model()->index(1, 0).data(Qt::BackgroundRole).value<QBrush>().color(), QColor(0, 255, 128));
    grid.SetCellBackColor(0);
    EXPECT_EQ(grid.CellBackColor(), 0u);
    EXPECT_FALSE(grid.model()->index(1, 0).data(Qt::BackgroundRole).isValid());
}

TEST_F(FlexGridTest, AlignmentAndPictureOfTheCurrentCell) {
    grid.SetRow(0);
    grid.SetCol(1);
    grid.SetCellAlignment(FlexGrid::CenterCenter);
    EXPECT_EQ(grid.CellAlignment(), 4);
    EXPECT_EQ(grid.model()->index(0, 1).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignHCenter | Qt::AlignVCenter));
    EXPECT_EQ(FlexGrid::ToQtAlignment(1), Qt::AlignLeft | Qt::AlignVCenter);
    EXPECT_EQ(FlexGrid::ToQtAlignment(7), Qt::AlignRight | Qt::AlignVCenter);
    QPixmap arrow(16, 6);
    arrow.fill(Qt::black);
    grid.SetCellPicture(arrow);
    grid.SetCellPictureAlignment(FlexGrid::RightCenter);
    EXPECT_EQ(grid.CellPicture().size(), QSize(16, 6));
    EXPECT_EQ(grid.CellPictureAlignment(), 7);
    grid.SetCellPicture(QPixmap());
    EXPECT_TRUE(grid.CellPicture().isNull());
}

TEST_F(FlexGridTest, SizesAreTwips) {
    const TwipsScale scale = TwipsScale::ForWidget(grid);
    grid.SetColWidth(1, 1200);
    EXPECT_EQ(grid.columnWidth(1), scale.XToPixels(1200));
    EXPECT_EQ(grid.ColWidth(1), scale.XToTwips(scale.XToPixels(1200)));
    // 30 pixels, as the picture rows of the query grid ask for.
    grid.SetRowHeight(2, scale.YToTwips(30));
    EXPECT_EQ(grid.rowHeight(2), 30);
}

TEST_F(FlexGridTest, ClearEmptiesCellsButKeepsTheShape) {
    grid.SetRow(1);
    grid.SetCol(1);
    grid.SetCellBackColor(VbRgb(240, 240, 240));
    grid.Clear();
    EXPECT_EQ(grid.Rows(), 4);
    EXPECT_EQ(grid.Cols(), 3);
    EXPECT_EQ(grid.TextMatrix(1, 1), "");
    EXPECT_EQ(grid.CellBackColor(), 0u);
    grid.SetRows(0);
    grid.SetCols(0);
    EXPECT_EQ(grid.Rows(), 0);
    EXPECT_EQ(grid.Cols(), 0);
    EXPECT_EQ(grid.FixedRows(), 0);  // fixed rows never outnumber the rows
}

TEST_F(FlexGridTest, MouseEventsReportButtonAndCell) {
    grid.show();
    QSignalSpy down(&grid, &FlexGrid::MouseDown);
    QSignalSpy up(&grid, &FlexGrid::MouseUp);
    const QPoint cell(grid.columnViewportPosition(2) + 3, grid.rowViewportPosition(1) + 3);
    QTest::mousePress(grid.viewport(), Qt::RightButton, Qt::ShiftModifier, cell);
    QTest::mouseRelease(grid.viewport(), Qt::RightButton, Qt::ShiftModifier, cell);
    ASSERT_EQ(down.size(), 1);
    ASSERT_EQ(up.size(), 1);
    EXPECT_EQ(up.at(0).at(0).toInt(), 2);  // right button
    EXPECT_EQ(up.at(0).at(1).toInt(), 1);  // shift
    EXPECT_EQ(grid.MouseRow(), 1);
    EXPECT_EQ(grid.MouseCol(), 2);
    const QPoint header(grid.columnViewportPosition(0) + 3, grid.rowViewportPosition(0) + 3);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::NoModifier, header);
    EXPECT_EQ(down.at(1).at(0).toInt(), 1);  // left button
    EXPECT_EQ(grid.MouseRow(), 0);
    EXPECT_EQ(grid.MouseCol(), 0);
}

TEST_F(FlexGridTest, FixedRowStaysInViewWhileTheRowsScroll) {
    grid.SetRows(60);
    for (int r = 1; r < 60; ++r) {
        grid.SetTextMatrix(r, 0, QString::number(r));
    }
    grid.show();
    test::Settle();
    const int headerHeight = grid.rowHeight(0);
    const QRect strip(grid.viewport()->geometry().topLeft(),
                      QSize(grid.viewport()->width(), headerHeight));
    const QImage before = grid.grab(strip).toImage();
    grid.scrollToBottom();
    test::Settle();
    ASSERT_GT(grid.rowAt(headerHeight + 2), 20);  // the data rows did scroll
    EXPECT_EQ(grid.grab(strip).toImage(), before);
    // A click on the header strip reaches row 0, as a sort click needs.
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(grid.columnViewportPosition(1) + 3, 3));
    EXPECT_EQ(grid.MouseRow(), 0);
    EXPECT_EQ(grid.MouseCol(), 1);
    // Without fixed rows nothing is held at the top.
    grid.SetFixedRows(0);
    test::Settle();
    EXPECT_NE(grid.grab(strip).toImage(), before);
}

}  // namespace
}  // namespace tw
