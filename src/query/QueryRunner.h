#pragma once
// runQueryClicked: runs the saved query chosen in queryList, narrowed by the
// two filter groups, into the result grid (or the chart for a query whose
// name holds "Graph") and reports the count and time in recordCount.

#include <QString>
#include <cstdint>

namespace tw {

struct Session;
class MainWindow;

inline constexpr const char* kSelectQueryToRun = "You must select a query to run.";
inline constexpr const char* kRunQueryStage = "RunQuery";

// What the query row keeps between events: the grid's sort state, empty or
// the sorted column's number followed by "A" or "D" ("3D").
struct QueryPanel {
    QString SortState;
    // A query whose name holds "Graph" draws the chart; the batch mode turns
    // this off so such a query fills the grid and its rows can be exported.
    bool ChartGraphQueries = true;
};

void runQueryClicked(Session& state, MainWindow& window, QueryPanel& panel);

// recordCount's text: "57 records   0.42 secs" for 57 records in 420 ms.
QString RecordCountText(int64_t records, int64_t elapsedMilliseconds);

}  // namespace tw
