#pragma once
// The grid's generic sort: every non-fixed row moves as a whole (texts,
// pictures, colours, heights), keyed on one column. A cell whose text reads
// wholly as a number compares as that number; any other cell compares as text
// without regard to letter case; numbers come before texts. Equal keys keep
// their order (the sort is stable in both directions).

#include <QString>

namespace tw {

class FlexGrid;

enum class SortMode { GenericAscending = 1, GenericDescending = 2 };

// Negative, zero or positive as `a` sorts before, with or after `b`.
int CompareGeneric(const QString& a, const QString& b);

void SortGrid(FlexGrid& grid, int col, SortMode mode);

}  // namespace tw
