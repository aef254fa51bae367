#pragma once
// The chart of a graph query: a two-dimensional line chart, one series per
// charted field, the first series on the primary value axis and every further
// one on a secondary axis at the right; category labels every tenth of the
// records, slanted so a date is never cut short; hovering a line tells the
// full category and the value of the record under the mouse.

#include <QString>

#include "query/ChartTable.h"

class QChartView;

namespace tw {

// Replaces the chart of `view` with the lines of `table` and shows it.
void showResultChart(QChartView& view, const ChartTable& table);

// The tool tip at `x` (1 is the first record) on line `series`: the record's
// full category, then "<series>: <value>" ("(no value)" for a Null). Empty
// outside the records.
QString chartPointTip(const ChartTable& table, size_t series, double x);

// The slant of the category labels, in degrees.
inline constexpr int kCategoryLabelAngle = -45;

}  // namespace tw
