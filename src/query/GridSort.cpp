#include "query/GridSort.h"

#include <QTableWidgetItem>
#include <algorithm>
#include <memory>
#include <vector>

#include "ui/FlexGrid.h"

namespace tw {
namespace {

struct SortKey {
    bool numeric = false;
    double number = 0;
    QString text;
};

SortKey KeyOf(const QString& text) {
    SortKey key;
    key.numeric = false;
    key.number = text.trimmed().toDouble(&key.numeric);
    key.text = text;
    return key;
}

int CompareKeys(const SortKey& a, const SortKey& b) {
    if (a.numeric && b.numeric) {
        return a.number < b.number ? -1 : (a.number > b.number ? 1 : 0);
    }
    if (a.numeric != b.numeric) {
        return a.numeric ? -1 : 1;
    }
    return a.text.compare(b.text, Qt::CaseInsensitive);
}

struct GridRow {
    SortKey key;
    int height = 0;
    std::vector<QTableWidgetItem*> cells;
};

}  // namespace

int CompareGeneric(const QString& a, const QString& b) {
    return CompareKeys(KeyOf(a), KeyOf(b));
}

void SortGrid(FlexGrid& grid, int col, SortMode mode) {
    const int first = grid.FixedRows();
    const int cols = grid.Cols();
    if (col < 0 || col >= cols || grid.Rows() - first < 2) {
        return;
    }
    std::vector<GridRow> rows;
    rows.reserve(static_cast<size_t>(grid.Rows() - first));
    for (int r = first; r < grid.Rows(); ++r) {
        GridRow row;
        row.key = KeyOf(grid.TextMatrix(r, col));
        row.height = grid.rowHeight(r);
        for (int c = 0; c < cols; ++c) {
            row.cells.push_back(grid.takeItem(r, c));
        }
        rows.push_back(std::move(row));
    }
    const bool descending = mode == SortMode::GenericDescending;
    std::stable_sort(rows.begin(), rows.end(), [descending](const GridRow& a, const GridRow& b) {
        const int order = CompareKeys(a.key, b.key);
        return descending ? order > 0 : order < 0;
    });
    for (size_t i = 0; i < rows.size(); ++i) {
        const int r = first + static_cast<int>(i);
        grid.setRowHeight(r, rows[i].height);
        for (int c = 0; c < cols; ++c) {
            if (rows[i].cells[static_cast<size_t>(c)]) {
                grid.setItem(r, c, rows[i].cells[static_cast<size_t>(c)]);
            }
        }
    }
}

}  // namespace tw
