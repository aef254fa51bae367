#pragma once
// The outside-file half of SELECT ... INTO: [Excel 8.0;DATABASE=file].[sheet]
// and [Text;DATABASE=folder].[name.txt]. The engine runs the source query and
// hands its rows here.

#include <QString>

#include "db/Recordset.h"

namespace tw {

struct ExternalTarget {
    enum class Kind { Excel8, Text };
    Kind kind;
    QString connect;   // the whole text before "DATABASE=" e.g. "Excel 8.0;"
    QString database;  // the file (Excel) or the folder (Text)
    QString table;     // the sheet name, or the file name "name.txt"
};

class ExternalWriter {
  public:
    virtual ~ExternalWriter() = default;
    // Writes every row of `rows` (positioned before its first row) with a
    // header of field names. A sheet or file that exists is refused (3010).
    // Returns the number of rows written.
    virtual int64_t writeTable(const ExternalTarget& target, Recordset& rows) = 0;
};

}  // namespace tw
