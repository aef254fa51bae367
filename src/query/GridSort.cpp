#include "query/GridSort.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "gui/FlexGrid.h"

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
    int source = 0;
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
        rows.push_back(GridRow{KeyOf(grid.TextMatrix(r, col)), r});
    }
    const bool descending = mode == SortMode::GenericDescending;
    std::stable_sort(rows.begin(), rows.end(), [descending](const GridRow& a, const GridRow& b) {
        const int order = CompareKeys(a.key, b.key);
        return descending ? order > 0 : order < 0;
    });
    std::vector<int> sources;
    sources.reserve(rows.size());
    for (const GridRow& row : rows) {
        sources.push_back(row.source);
    }
    grid.PermuteRows(first, sources);
}

}  // namespace tw
