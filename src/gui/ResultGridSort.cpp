#include "gui/ResultGridSort.h"

#include <vector>

#include "gui/ResultGrid.h"
#include "gui/Twips.h"

namespace tw {
namespace {

int wideningTwips(const ResultGrid& grid) {
    return TwipsScale::forWidget(grid).xToTwips(kSortWideningPixels);
}

// Shades (or unshades) the non-empty data cells of column `col`.
void shadeColumn(ResultGrid& grid, int col, uint32_t from, uint32_t to) {
    for (int r = 1; r < grid.rows(); ++r) {
        grid.setRow(r);
        grid.setCol(col);
        if (!grid.text().isEmpty() && grid.cellBackColor() == from) {
            grid.setCellBackColor(to);
        }
    }
}

void setHeaderArrow(ResultGrid& grid, int col, const QPixmap& arrow) {
    grid.setRow(0);
    grid.setCol(col);
    grid.setCellPicture(arrow);
    grid.setCellPictureAlignment(ResultGrid::RightCenter);
}

void markNewSortColumn(ResultGrid& grid, int col, const SortArrows& arrows) {
    setHeaderArrow(grid, col, arrows.descending);
    grid.setColWidthTwips(col, grid.colWidthTwips(col) + wideningTwips(grid));
    grid.setCellAlignment(ResultGrid::LeftCenter);
}

void unmarkColumn(ResultGrid& grid, int col) {
    shadeColumn(grid, col, kSortShadeColor, 0);
    grid.setRow(0);
    grid.setCol(col);
    grid.setCellPicture(QPixmap());
    grid.setColWidthTwips(col, grid.colWidthTwips(col) - wideningTwips(grid));
    grid.setCellAlignment(ResultGrid::CenterCenter);
}

QString stateOf(int col, bool descending) {
    return QString::number(col) + QLatin1Char(descending ? 'D' : 'A');
}

}  // namespace

void sortGrid(ResultGrid& grid, int col, SortMode mode) {
    const int first = grid.fixedRows();
    if (col < 0 || col >= grid.cols() || grid.rows() - first < 2) {
        return;
    }
    std::vector<QString> keys;
    keys.reserve(static_cast<size_t>(grid.rows() - first));
    for (int r = first; r < grid.rows(); ++r) {
        keys.push_back(grid.textMatrix(r, col));
    }
    std::vector<int> sources = sortedOrder(keys, mode);
    for (int& source : sources) {
        source += first;
    }
    grid.permuteRows(first, sources);
}

void sortByHeader(ResultGrid& grid, int col, QString& sortState, const SortArrows& arrows) {
    grid.setRow(0);
    grid.setCol(col);
    const QString sorted = sortState;
    if (sorted.isEmpty()) {
        sortGrid(grid, col, SortMode::GenericDescending);
        sortState = stateOf(col, true);
        markNewSortColumn(grid, col, arrows);
    } else if (sorted.chopped(1).toInt() == col) {
        const bool wasAscending = sorted.endsWith(QLatin1Char('A'));
        sortGrid(grid, col,
                 wasAscending ? SortMode::GenericDescending : SortMode::GenericAscending);
        sortState = stateOf(col, wasAscending);
        setHeaderArrow(grid, col, wasAscending ? arrows.descending : arrows.ascending);
    } else {
        const int previous = sorted.chopped(1).toInt();
        sortGrid(grid, col, SortMode::GenericDescending);
        markNewSortColumn(grid, col, arrows);
        unmarkColumn(grid, previous);
        sortState = stateOf(col, true);
    }
    shadeColumn(grid, col, 0, kSortShadeColor);
    grid.setRow(0);
    grid.setCol(col);
}

}  // namespace tw
