#pragma once
// The chart path of a query run (a query whose name holds "Graph"): a
// two-dimensional line chart, one series per numeric field, the first series
// on the primary value axis and every further one on a secondary axis at the
// right. A first field of texts or dates labels the categories instead of
// being drawn. Every record is charted.

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class QChartView;

namespace tw {

class Recordset;

// The records of a graph query, read once.
struct ChartTable {
    QStringList fieldNames;
    QStringList categories;                                  // one per record
    std::vector<QString> seriesNames;                        // the charted fields
    std::vector<std::vector<std::optional<double>>> values;  // [series][record]; none for Null
};

// Reads every record of `rows` (positioned on its first record).
ChartTable ReadChartTable(Recordset& rows);

// Categories between two labels (and two ticks): the record count / 10,
// whole part, where 0 (fewer than 10 records) counts as 1.
int LabelSpacing(int records);

// Replaces the chart of `view` with the lines of `table` and shows it.
void ShowChart(QChartView& view, const ChartTable& table);

}  // namespace tw
