#pragma once
// cmdQryExport_Click: writes the selected query's result to a file in the
// format of Settings.Query_Export_Format: 1 a workbook (the saved statement
// runs again inside the engine, unfiltered, into a sheet named Query), 2 CSV,
// 3 an HTML table, 4 XML (these three write what the grid shows).

#include <QString>

namespace tw {

struct ProgramState;
class frmMain;

inline constexpr const char* kSelectQueryToExport = "You must select a query to export.";
inline constexpr const char* kQueryExported = "Query results have been exported.";
inline constexpr const char* kQryExportStage = "QryExport";

void cmdQryExport_Click(ProgramState& state, frmMain& window);

// The statement the workbook export runs: trailing semicolons dropped and
// every "[Me]" replaced by the quoted gamertag.
QString WorkbookExportSql(const QString& savedSql, const QString& gamertag);

}  // namespace tw
