#include "db/Biff8Sheet.h"

#include "db/Biff8Records.h"
#include "db/FileExternalWriterErrors.h"

namespace tw::biff8 {

namespace {

void appendLabel(QByteArray& cells, int row, int column, uint16_t xfIndex, const QString& text,
                 SharedStrings& strings) {
    QByteArray body;
    append16(body, uint16_t(row));
    append16(body, uint16_t(column));
    append16(body, xfIndex);
    append32(body, strings.add(text.left(kMaxTextLength)));
    appendRecord(cells, id::kLabelSst, body);
}

void appendNumber(QByteArray& cells, int row, int column, uint16_t xfIndex, double value) {
    QByteArray body;
    append16(body, uint16_t(row));
    append16(body, uint16_t(column));
    append16(body, xfIndex);
    appendDouble(body, value);
    appendRecord(cells, id::kNumber, body);
}

void appendCell(QByteArray& cells, int row, int column, const Variant& value,
                SharedStrings& strings) {
    switch (value.type()) {
        case Variant::Type::Null:
            return;
        case Variant::Type::Text:
            appendLabel(cells, row, column, xf::kGeneral, value.toText(), strings);
            return;
        case Variant::Type::Integer:
        case Variant::Type::Double:
            appendNumber(cells, row, column, xf::kGeneral, value.toDouble());
            return;
        case Variant::Type::Date:
            appendNumber(cells, row, column, xf::kDate, value.toDouble());
            return;
    }
}

[[noreturn]] void throwTooLarge(const QString& what) {
    throwExternal(err::kEngineFailure,
                  QStringLiteral("The table has more %1 than a worksheet holds.").arg(what));
}

QByteArray sheetBof() {
    QByteArray body;
    append16(body, 0x0600);
    append16(body, 0x0010);  // worksheet
    append16(body, 0x0DBB);
    append16(body, 0x07CC);
    append32(body, 0);
    append32(body, 6);
    return body;
}

QByteArray dimensions(int rowCount, int columnCount) {
    QByteArray body;
    const bool empty = rowCount == 0 || columnCount == 0;
    append32(body, 0);
    append32(body, empty ? 0 : uint32_t(rowCount));
    append16(body, 0);
    append16(body, empty ? 0 : uint16_t(columnCount));
    append16(body, 0);
    return body;
}

QByteArray window2(bool selected) {
    QByteArray body;
    append16(body, selected ? 0x02B6 : 0x00B6);
    append16(body, 0);
    append16(body, 0);
    append32(body, 0x40);
    append16(body, 0);
    append16(body, 0);
    append32(body, 0);
    return body;
}

}  // namespace

BuiltSheet buildSheet(Recordset& rows, SharedStrings& strings, bool selected) {
    const int columns = rows.fieldCount();
    if (columns > kMaxColumns) {
        throwTooLarge(QStringLiteral("columns"));
    }
    // Strings go to a copy of the table until the sheet is complete, so a
    // refused table leaves the shared table untouched.
    SharedStrings sheetStrings = strings;
    QByteArray cells;
    for (int c = 0; c < columns; ++c) {
        appendLabel(cells, 0, c, xf::kHeader, rows.fieldName(c), sheetStrings);
    }
    int row = 1;
    for (; !rows.isEof(); rows.moveNext(), ++row) {
        if (row >= kMaxRows) {
            throwTooLarge(QStringLiteral("rows"));
        }
        for (int c = 0; c < columns; ++c) {
            appendCell(cells, row, c, rows.field(c), sheetStrings);
        }
    }
    strings = std::move(sheetStrings);

    QByteArray sheet;
    appendRecord(sheet, id::kBof, sheetBof());
    QByteArray wsBool;
    append16(wsBool, 0x04C1);
    appendRecord(sheet, id::kWsBool, wsBool);
    appendRecord(sheet, id::kDimensions, dimensions(columns > 0 ? row : 0, columns));
    sheet.append(cells);
    appendRecord(sheet, id::kWindow2, window2(selected));
    appendRecord(sheet, id::kEof, QByteArray());
    return BuiltSheet{sheet, row - 1};
}

}  // namespace tw::biff8
