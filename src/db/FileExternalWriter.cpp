#include "db/FileExternalWriter.h"

#include "db/TextTableWriter.h"
#include "db/XlsWriter.h"

namespace tw {

int64_t FileExternalWriter::WriteTable(const ExternalTarget& target, Recordset& rows) {
    // A cursor that stands before its first record is moved onto it.
    if (rows.IsBOF() && !rows.IsEOF()) {
        rows.MoveNext();
    }
    switch (target.kind) {
        case ExternalTarget::Kind::Excel8:
            return XlsWriter::WriteTable(target.database, target.table, rows);
        case ExternalTarget::Kind::Text:
            return TextTableWriter::WriteTable(target.database, target.table, rows);
    }
    return 0;
}

}  // namespace tw
