#pragma once
// The chart of a graph query: a two-dimensional line chart, one series per
// charted field, the first series on the primary value axis and every further
// one on a secondary axis at the right; category labels every tenth of the
// records.

#include "query/ChartTable.h"

class QChartView;

namespace tw {

// Replaces the chart of `view` with the lines of `table` and shows it.
void showResultChart(QChartView& view, const ChartTable& table);

}  // namespace tw
