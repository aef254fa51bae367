#pragma once
// runQuery: runs a saved query, narrowed by the player and game filters, into
// a QueryResult: the grid's texts and marks, or the chart's table for a query
// whose name holds "Graph". A failed run keeps the rows read before the
// failure; reportQueryFailure writes it to the debug log, with the statement
// that failed, and tells the user.

#include <QString>
#include <cstdint>

#include "query/QueryFilters.h"
#include "query/QueryResult.h"

namespace tw {

struct Session;

inline constexpr const char* kSelectQueryToRun = "You must select a query to run.";
inline constexpr const char* kRunQueryStage = "RunQuery";

struct QueryRequest {
    QString name;  // the saved query's name
    QString savedSql;
    PlayerFilter player = PlayerFilter::All;
    GameFilter game = GameFilter::All;
    QString gamertag;  // for the "Me" filter and the highlighted rows
    // A graph query draws the chart; the batch mode turns this off so such a
    // query fills the grid and its rows can be exported.
    bool chartGraphQueries = true;
};

// Saved query `index` (1 up to the query count) with the current gamertag.
QueryRequest savedQueryRequest(const Session& state, int index, PlayerFilter player,
                               GameFilter game);

// Whether the named query draws a chart: its name holds "Graph", any case.
bool isGraphQuery(const QString& name);

QueryResult runQuery(Session& state, const QueryRequest& request);

// Logs the failure of `result`, if it failed (the caller shows what was read
// first, so the message comes over the rows that stay).
void reportQueryFailure(Session& state, const QueryResult& result);

// The record count label's text: "57 records   0.42 secs" for 57 records in 420 ms.
QString recordCountText(int64_t records, int64_t elapsedMilliseconds);

}  // namespace tw
