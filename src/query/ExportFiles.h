#pragma once
// What the exports share: the save dialog (its cancel is error 32755), the
// time stamp of proposed file names, output files, and the outside-file
// writer the engine needs for SELECT ... INTO a workbook or text folder.

#include <QString>
#include <functional>
#include <memory>

#include "db/SafeFile.h"

namespace tw {

struct Session;
class Database;

inline constexpr const char* kExcelFilter = "Microsoft Excel Files (.xls)|*.xls";
inline constexpr const char* kCsvFilter = "Comma Separated Values Files (.csv)|*.csv";
inline constexpr const char* kHtmlFilter = "HTML Files (.html)|*.html";
inline constexpr const char* kXmlFilter = "Extensible Markup Language Files (.xml)|*.xml";

// The local date and time as "yyyymmddhhmmss" (the program state's clock
// when one is set).
QString exportTimeStamp(const Session& state);

// Shows the save dialog (overwrite prompt on) and returns the chosen path;
// cancelling raises 32755.
QString askSavePath(Session& state, const QString& filter, const QString& proposedName);

// Opens `path` for writing; raises error 75 when it cannot. The file at
// `path` changes only at finishOutputFile.
std::unique_ptr<SafeFile> createOutputFile(const QString& path);

// Puts everything written in place of the file at `path`, or raises error 75
// (disk full, ...) leaving an older file there as it was.
void finishOutputFile(SafeFile& file);

// Writes the workbook at `path` anew: `fill` runs its SELECT ... INTO
// statements on an empty file beside `path` (the engine adds sheets to a
// workbook that exists, and a second "Query" sheet is refused), then that
// workbook replaces `path` whole. The save dialog has asked before a file is
// replaced. On any failure the file at `path` keeps its bytes; a file that
// cannot be made or replaced is error 3051.
void writeFreshWorkbook(const QString& path, const std::function<void(const QString& fresh)>& fill);

// Installs the workbook and text writers on the database (once is enough;
// installing again changes nothing).
void ensureOutsideWriter(Database& db);

}  // namespace tw
