#include "query/QueryResult.h"

namespace tw {

QList<QStringList> QueryResult::textRows() const {
    QList<QStringList> out;
    out.reserve(rows);
    for (int r = 0; r < rows; ++r) {
        QStringList row;
        row.reserve(columns);
        for (int c = 0; c < columns; ++c) {
            row << text(r, c);
        }
        out << row;
    }
    return out;
}

}  // namespace tw
