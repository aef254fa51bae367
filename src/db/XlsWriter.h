#pragma once
// SELECT ... INTO [Excel 8.0;DATABASE=file].[sheet]: writes a table as a new
// sheet of an Excel 97-2003 workbook, creating the workbook when the file is
// missing (or empty) and keeping the sheets of a workbook this program wrote.

#include <QString>
#include <cstdint>

#include "db/Recordset.h"

namespace tw {

class XlsWriter {
  public:
    // Errors: 3125 the sheet name is not allowed, 3010 the workbook already
    // has a sheet of that name (ignoring case), 3274 the file is no workbook
    // of ours, 3051 the file cannot be read or written, 3000 the table is
    // larger than a worksheet. On any error the file is left as it was.
    // Returns the number of rows written.
    static int64_t writeTable(const QString& path, const QString& sheetName, Recordset& rows);

    // Sheet names Excel accepts: 1 to 31 characters, none of : \ / ? * [ ],
    // not starting or ending with an apostrophe.
    static bool isValidSheetName(const QString& name);
};

}  // namespace tw
