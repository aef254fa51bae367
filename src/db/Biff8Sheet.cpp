#include "db/Biff8Sheet.h"

#include "db/Biff8Records.h"
#include "db/FileExternalWriterErrors.h"

namespace tw::biff8 {

namespace {

void AppendLabel(QByteArray& cells, int row, int column, uint16_t xfIndex, const QString& text,
                 SharedStrings& strings) {
    QByteArray body;
    Append16(body, uint16_t(row));
    Append16(body, uint16_t(column));
    Append16(body, xfIndex);
    Append32(body, strings.Add(text.left(kMaxTextLength)));
    AppendRecord(cells, id::kLabelSst, body);
}

void AppendNumber(QByteArray& cells, int row, int column, uint16_t xfIndex, double value) {
    QByteArray body;
    Append16(body, uint16_t(row));
    Append16(body, uint16_t(column));
    Append16(body, xfIndex);
    AppendDouble(body, value);
    AppendRecord(cells, id::kNumber, body);
}

void AppendCell(QByteArray& cells, int row, int column, const Variant& value,
                SharedStrings& strings) {
    switch (value.type()) {
        case Variant::Type::Null:
            return;
        case Variant::Type::Text:
            AppendLabel(cells, row, column, xf::kGeneral, value.toText(), strings);
            return;
        case Variant::Type::Integer:
        case Variant::Type::Double:
            AppendNumber(cells, row, column, xf::kGeneral, value.toDouble());
            return;
        case Variant::Type::Date:
            AppendNumber(cells, row, column, xf::kDate, value.toDouble());
            return;
    }
}

[[noreturn]] void ThrowTooLarge(const QString& what) {
    ThrowExternal(err::kEngineFailure,
                  QStringLiteral("The table has more %1 than a worksheet holds.").arg(what));
}

QByteArray Bof() {
    QByteArray body;
    Append16(body, 0x0600);
    Append16(body, 0x0010);  // worksheet
    Append16(body, 0x0DBB);
    Append16(body, 0x07CC);
    Append32(body, 0);
    Append32(body, 6);
    return body;
}

QByteArray Dimensions(int rowCount, int columnCount) {
    QByteArray body;
    const bool empty = rowCount == 0 || columnCount == 0;
    Append32(body, 0);
    Append32(body, empty ? 0 : uint32_t(rowCount));
    Append16(body, 0);
    Append16(body, empty ? 0 : uint16_t(columnCount));
    Append16(body, 0);
    return body;
}

QByteArray Window2(bool selected) {
    QByteArray body;
    Append16(body, selected ? 0x02B6 : 0x00B6);
    Append16(body, 0);
    Append16(body, 0);
    Append32(body, 0x40);
    Append16(body, 0);
    Append16(body, 0);
    Append32(body, 0);
    return body;
}

}  // namespace

BuiltSheet BuildSheet(Recordset& rows, SharedStrings& strings, bool selected) {
    const int columns = rows.FieldCount();
    if (columns > kMaxColumns) {
        ThrowTooLarge(QStringLiteral("columns"));
    }
    // Strings go to a copy of the table until the sheet is complete, so a
    // refused table leaves the shared table untouched.
    SharedStrings sheetStrings = strings;
    QByteArray cells;
    for (int c = 0; c < columns; ++c) {
        AppendLabel(cells, 0, c, xf::kHeader, rows.FieldName(c), sheetStrings);
    }
    int row = 1;
    for (; !rows.IsEOF(); rows.MoveNext(), ++row) {
        if (row >= kMaxRows) {
            ThrowTooLarge(QStringLiteral("rows"));
        }
        for (int c = 0; c < columns; ++c) {
            AppendCell(cells, row, c, rows.Field(c), sheetStrings);
        }
    }
    strings = std::move(sheetStrings);

    QByteArray sheet;
    AppendRecord(sheet, id::kBof, Bof());
    QByteArray wsBool;
    Append16(wsBool, 0x04C1);
    AppendRecord(sheet, id::kWsBool, wsBool);
    AppendRecord(sheet, id::kDimensions, Dimensions(columns > 0 ? row : 0, columns));
    sheet.append(cells);
    AppendRecord(sheet, id::kWindow2, Window2(selected));
    AppendRecord(sheet, id::kEof, QByteArray());
    return BuiltSheet{sheet, row - 1};
}

}  // namespace tw::biff8
