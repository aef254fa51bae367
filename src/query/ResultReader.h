#pragma once
// Reads a recordset into the grid part of a QueryResult: field names in the
// header row, one row per record, pictures for "Level" and "Medal" columns,
// colours for "Color" columns and the selected player's rows highlighted.

#include <QString>
#include <cstdint>

#include "query/QueryResult.h"

namespace tw {

class Recordset;

struct GridReadOptions {
    QString programDir;  // Level and Medal values are paths relative to it ("/level/L05.bmp")
    bool highlight = false;
    QString gamertag;  // rows whose first field equals it are highlighted
};

// Reads `rows` (positioned on its first record, not empty) into `result`.
// Raises the errors of the pictures (53, 481), of a "Color" text that is not
// hexadecimal (13) and of the recordset; the rows read before a failure, the
// failing one as far as it got, are in `result` by then.
void readGridResult(Recordset& rows, const GridReadOptions& options, QueryResult& result);

// The colour of a "Color" cell: six hexadecimal digits RRGGBB as &H00BBGGRR.
uint32_t colorCellBackground(const QString& text);

}  // namespace tw
