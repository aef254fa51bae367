#pragma once
// SELECT ... INTO [Text;DATABASE=folder].[name.txt]: the folder is the
// database, the file a table. One comma-delimited file per table with a header
// line, and a schema.ini in the folder describing every file written there.
// The exact bytes are documented in src/db/README.md ("Outside files").

#include <QIODevice>
#include <QString>
#include <cstdint>
#include <vector>

#include "db/Recordset.h"

namespace tw {

struct TextColumn {
    QString name;
    QString type;  // schema.ini type: "Long", "Double", "DateTime", "Char Width 255", "LongChar"
};

class TextTableWriter {
  public:
    // The comma-delimited form of `rows` (from its current record to the end)
    // written to `out`; the column types are read from the values.
    static std::vector<TextColumn> writeRows(Recordset& rows, QIODevice& out, int64_t* rowCount);

    // Writes folder/fileName and records it in folder/schema.ini. Errors:
    // 3125 a file name that is empty, names schema.ini or holds a path
    // separator, 3044 the folder does not exist, 3010 the file exists, 3051 a
    // file cannot be written. Returns the number of rows written.
    static int64_t writeTable(const QString& folder, const QString& fileName, Recordset& rows);
};

}  // namespace tw
