#pragma once
// exportClicked: writes the selected query's result to a file in the
// format of Settings.Query_Export_Format: 1 a workbook (the saved statement
// runs again inside the engine, unfiltered, into a sheet named Query of a
// workbook that replaces the chosen file), 2 CSV, 3 an HTML table, 4 XML
// (these three write what the grid shows).

#include <QString>

namespace tw {

struct Session;
class MainWindow;

inline constexpr const char* kSelectQueryToExport = "You must select a query to export.";
inline constexpr const char* kQueryExported = "Query results have been exported.";
inline constexpr const char* kQryExportStage = "QryExport";

// Which statement fills the workbook: the window's Export button runs the
// saved one unfiltered; the batch mode, given filter options on its command
// line, the one the grid ran, narrowed by the selected filters.
enum class WorkbookRows { Saved, Filtered };

void exportClicked(Session& state, MainWindow& window,
                        WorkbookRows workbookRows = WorkbookRows::Saved);

// The statement the workbook export runs: trailing semicolons dropped and
// every "[Me]" replaced by the quoted gamertag.
QString WorkbookExportSql(const QString& savedSql, const QString& gamertag);

}  // namespace tw
