#include "query/GridMouse.h"

#include <QAction>
#include <QLabel>
#include <QMenu>

#include "core/Session.h"
#include "query/GridSort.h"
#include "query/QueryRunner.h"
#include "gui/FlexGrid.h"
#include "gui/Twips.h"
#include "gui/MainWindow.h"

namespace tw {
namespace {

int WideningTwips(const FlexGrid& grid) {
    return TwipsScale::ForWidget(grid).XToTwips(kSortWideningPixels);
}

QPixmap Arrow(const QLabel* picture) {
    return picture->pixmap();
}

// Shades (or unshades) the non-empty data cells of column `col`.
void ShadeColumn(FlexGrid& grid, int col, uint32_t from, uint32_t to) {
    for (int r = 1; r < grid.Rows(); ++r) {
        grid.SetRow(r);
        grid.SetCol(col);
        if (!grid.Text().isEmpty() && grid.CellBackColor() == from) {
            grid.SetCellBackColor(to);
        }
    }
}

void MarkNewSortColumn(FlexGrid& grid, const MainWindow& window, int col) {
    grid.SetRow(0);
    grid.SetCol(col);
    grid.SetCellPicture(Arrow(window.descendingIcon));
    grid.SetCellPictureAlignment(FlexGrid::RightCenter);
    grid.SetColWidth(col, grid.ColWidth(col) + WideningTwips(grid));
    grid.SetCellAlignment(FlexGrid::LeftCenter);
}

void UnmarkColumn(FlexGrid& grid, int col) {
    ShadeColumn(grid, col, kSortShadeColor, 0);
    grid.SetRow(0);
    grid.SetCol(col);
    grid.SetCellPicture(QPixmap());
    grid.SetColWidth(col, grid.ColWidth(col) - WideningTwips(grid));
    grid.SetCellAlignment(FlexGrid::CenterCenter);
}

// VB's Trim: spaces only.
QString TrimSpaces(const QString& text) {
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text[start] == QLatin1Char(' ')) {
        ++start;
    }
    while (end > start && text[end - 1] == QLatin1Char(' ')) {
        --end;
    }
    return text.mid(start, end - start);
}

}  // namespace

void gridMouseDown(MainWindow& window, QueryPanel& panel, int button) {
    FlexGrid& grid = *window.resultGrid;
    if (button != 1 || grid.MouseRow() != 0 || grid.Rows() < 1) {
        return;
    }
    const int col = grid.MouseCol();
    if (col < 0) {
        return;
    }
    grid.SetRow(0);
    grid.SetCol(col);
    const QString sorted = panel.SortState;
    if (sorted.isEmpty()) {
        SortGrid(grid, col, SortMode::GenericDescending);
        panel.SortState = QString::number(col) + QLatin1Char('D');
        MarkNewSortColumn(grid, window, col);
    } else if (sorted.chopped(1).toInt() == col) {
        const bool wasAscending = sorted.endsWith(QLatin1Char('A'));
        SortGrid(grid, col,
                 wasAscending ? SortMode::GenericDescending : SortMode::GenericAscending);
        panel.SortState = QString::number(col) + QLatin1Char(wasAscending ? 'D' : 'A');
        grid.SetRow(0);
        grid.SetCol(col);
        grid.SetCellPicture(Arrow(wasAscending ? window.descendingIcon : window.ascendingIcon));
        grid.SetCellPictureAlignment(FlexGrid::RightCenter);
    } else {
        const int previous = sorted.chopped(1).toInt();
        SortGrid(grid, col, SortMode::GenericDescending);
        MarkNewSortColumn(grid, window, col);
        UnmarkColumn(grid, previous);
        panel.SortState = QString::number(col) + QLatin1Char('D');
    }
    ShadeColumn(grid, col, 0, kSortShadeColor);
    grid.SetRow(0);
    grid.SetCol(col);
}

void gridMouseUp(Session& state, MainWindow& window, int button,
                     const QPoint& globalPosition) {
    const FlexGrid& grid = *window.resultGrid;
    const int row = grid.MouseRow();
    const int col = grid.MouseCol();
    if (button != 2 || row < 1 || col < 0 ||
        !grid.TextMatrix(0, col).contains(QLatin1String("Gamertag"), Qt::CaseSensitive)) {
        return;
    }
    const QString text = grid.TextMatrix(row, col);
    window.insertIntoTagListAction->setText(QStringLiteral("Add \"") + text +
                                     QStringLiteral("\" to Tag List"));
    state.TagToInsert = TrimSpaces(text);
    window.gridMenu->popup(globalPosition);
}

}  // namespace tw
