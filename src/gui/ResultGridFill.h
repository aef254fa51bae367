#pragma once
// Puts the grid part of a query result into the result grid in one step: the
// texts, the pictures and colours of the marked cells, the picture rows'
// heights, and (for a complete result) column widths from the widest text of
// each column, centred header cells and the header row fixed.

#include "query/QueryResult.h"

namespace tw {

class ResultGrid;

// Extra room beside the widest text of a column, in twips.
inline constexpr int kColumnPadTwips = 200;

// Takes the texts out of `result` (the rest of it stays). Leaves drawing
// suspended; the caller resumes it. A result without rows leaves the grid as
// it is; one that failed is shown as far as it was read, without widths and
// fixed row.
void fillResultGrid(ResultGrid& grid, QueryResult& result);

// The grid's texts, row by row (picture and colour cells are empty).
QList<QStringList> gridTexts(const ResultGrid& grid);

}  // namespace tw
