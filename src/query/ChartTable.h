#pragma once
// The data of a graph query (one whose name holds "Graph"): one series per
// numeric field; a first field of texts or dates labels the categories
// instead of being drawn. Every record is charted.

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

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
ChartTable readChartTable(Recordset& rows);

// Categories between two labels (and two ticks): the record count / 10,
// whole part, where 0 (fewer than 10 records) counts as 1.
int labelSpacing(int records);

}  // namespace tw
