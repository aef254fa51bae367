#pragma once
// A BIFF8 workbook stream as this program writes it: the globals (fonts, cell
// formats, sheet list, shared strings) and one worksheet per table. A stream
// written here can be read back, so a later table is added as a new sheet
// while the earlier sheets are kept byte for byte.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

#include "db/Biff8SharedStrings.h"
#include "db/Recordset.h"

namespace tw::biff8 {

class Workbook {
  public:
    // Reads a stream written by this program. Any other stream (another
    // program's workbook, damaged data) raises error 3274.
    static Workbook parse(const QByteArray& stream);

    bool hasSheet(const QString& name) const;  // ignoring letter case
    QStringList sheetNames() const;

    // Adds a sheet holding every row of `rows`; returns the rows written.
    int64_t addSheet(const QString& name, Recordset& rows);

    // The whole Workbook stream.
    QByteArray stream() const;

  private:
    struct Sheet {
        QString name;
        QByteArray substream;  // BOF to EOF
    };
    QByteArray globals(const std::vector<uint32_t>& sheetOffsets) const;

    std::vector<Sheet> sheets_;
    SharedStrings strings_;
};

}  // namespace tw::biff8
