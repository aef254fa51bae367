#include "db/FileExternalWriter.h"

#include "db/TextTableWriter.h"
#include "db/XlsWriter.h"

namespace tw {

int64_t FileExternalWriter::writeTable(const ExternalTarget& target, Recordset& rows) {
    // A cursor that stands before its first record is moved onto it.
    if (rows.isBof() && !rows.isEof()) {
        rows.moveNext();
    }
    switch (target.kind) {
        case ExternalTarget::Kind::Excel8:
            return XlsWriter::writeTable(target.database, target.table, rows);
        case ExternalTarget::Kind::Text:
            return TextTableWriter::writeTable(target.database, target.table, rows);
    }
    return 0;
}

}  // namespace tw
