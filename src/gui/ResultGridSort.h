#pragma once
// Header clicks on the result grid: a press on a header cell sorts by that
// column (a new column starts descending, each further press flips the
// direction) and marks it with an arrow, 15 pixels of extra width and grey
// shading. Every non-fixed row moves as a whole (texts, pictures, colours,
// heights) in the generic sort order.

#include <QPixmap>
#include <QString>
#include <cstdint>

#include "query/SortKeys.h"

namespace tw {

class ResultGrid;

// Background of the sorted column's cells: RGB(240, 240, 240).
inline constexpr uint32_t kSortShadeColor = 0x00F0F0F0;
inline constexpr int kSortWideningPixels = 15;

struct SortArrows {
    QPixmap ascending;
    QPixmap descending;
};

// Sorts the data rows of `grid` on column `col`.
void sortGrid(ResultGrid& grid, int col, SortMode mode);

// A press on header cell `col`. `sortState` is empty or the sorted column's
// number followed by "A" or "D" ("3D"); it is updated.
void sortByHeader(ResultGrid& grid, int col, QString& sortState, const SortArrows& arrows);

}  // namespace tw
