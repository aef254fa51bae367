#pragma once
// exportQuery: writes the selected query's result to a file in the format of
// Settings.Query_Export_Format: 1 a workbook (the saved statement runs again
// inside the engine into a sheet named Query of a workbook that replaces the
// chosen file), 2 CSV, 3 an HTML table, 4 XML (these three write the rows
// they are given: what the grid shows).

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

#include "query/QueryFilters.h"

namespace tw {

struct Session;

inline constexpr const char* kSelectQueryToExport = "You must select a query to export.";
inline constexpr const char* kQueryExported = "Query results have been exported.";
inline constexpr const char* kQryExportStage = "QryExport";

// The filters that narrow the workbook's statement. The window's Export
// button gives none (the saved statement runs unfiltered); the batch mode,
// given filter options on its command line, the ones the grid ran with.
struct WorkbookFilters {
    PlayerFilter player = PlayerFilter::All;
    GameFilter game = GameFilter::All;
};

struct QueryExportRequest {
    int index = 0;  // the selected saved query; 0 is none
    QString savedSql;
    QString gamertag;
    QList<QStringList> rows;  // the texts the text formats write, header first
    std::optional<WorkbookFilters> workbookFilters;
    // The statement the rows came from: the log's SQL line when a text
    // format fails.
    QString rowsStatement;
};

void exportQuery(Session& state, const QueryExportRequest& request);

// The statement the workbook export runs: trailing semicolons dropped and
// every "[Me]" replaced by the quoted gamertag.
QString workbookExportSql(const QString& savedSql, const QString& gamertag);

}  // namespace tw
