#pragma once
// One worksheet substream (BOF to EOF) built from the rows of a recordset:
// a header row of field names in bold, then one row per record. Numbers are
// NUMBER cells, dates NUMBER cells with a date format, text LABELSST cells
// referring to the shared string table, Null no cell at all.

#include <QByteArray>
#include <cstdint>

#include "db/Biff8SharedStrings.h"
#include "db/Recordset.h"

namespace tw::biff8 {

inline constexpr int kMaxRows = 65536;  // header row included
inline constexpr int kMaxColumns = 256;
inline constexpr int kMaxTextLength = 32767;

struct BuiltSheet {
    QByteArray substream;
    int64_t rows = 0;  // records written, header not counted
};

// Reads `rows` from its current record to the end. A table wider or longer
// than a worksheet raises error 3000 before anything is kept; text longer
// than a cell holds is cut to kMaxTextLength characters.
BuiltSheet buildSheet(Recordset& rows, SharedStrings& strings, bool selected);

}  // namespace tw::biff8
