#pragma once
// The Database menu's three exports of every user table (names holding
// neither "zLoad" nor "msys", in any letter case): one workbook with a sheet
// per table (replacing the chosen file whole), one comma-delimited text file
// per table in a chosen folder (with the engine's schema.ini), or one XML
// document.

#include <QIODevice>
#include <QString>
#include <QStringList>

namespace tw {

struct Session;
class Database;

inline constexpr const char* kExcelExportDone = "Export to Excel is complete.";
inline constexpr const char* kCsvExportDone = "Export to CSV is complete.";
inline constexpr const char* kXmlExportDone = "Export to XML is complete.";
inline constexpr const char* kChooseTextFolder =
    "Select a directory for the text files and schema.";
inline constexpr const char* kExportExcelStage = "ExportExcel";
inline constexpr const char* kExportCsvStage = "ExportCSV";
inline constexpr const char* kExportXmlStage = "ExportXML";

void exportExcelClicked(Session& state);
void exportCsvClicked(Session& state);
void exportXmlClicked(Session& state);

// The tables the exports copy, in the engine's order.
QStringList exportedTables(const Database& db);

// The XML document of the given tables: values as the program joins them into
// text (Null empty, numbers in the general number form, dates in the general
// date form), &, < and > escaped, characters XML forbids left out, names made
// valid element names.
void writeDatabaseXml(Database& db, const QStringList& tables, QIODevice& out);

}  // namespace tw
