// The workbook globals substream: the fixed records every workbook of ours
// starts with, the sheet list and the shared strings.

#include "db/Biff8Records.h"
#include "db/Biff8Workbook.h"

namespace tw::biff8 {

namespace {

QByteArray Bof() {
    QByteArray body;
    Append16(body, 0x0600);
    Append16(body, 0x0005);  // workbook globals
    Append16(body, 0x0DBB);
    Append16(body, 0x07CC);
    Append32(body, 0);
    Append32(body, 6);
    return body;
}

// The writer's name, padded with blanks to the record's fixed 112 bytes.
QByteArray WriteAccess() {
    QByteArray body = UnicodeString(QString::fromLatin1(kWriterName), false);
    body.append(QByteArray(112 - body.size(), ' '));
    return body;
}

QByteArray Window1() {
    QByteArray body;
    for (uint16_t v : {0x01E0, 0x005A, 0x3FCF, 0x2A4E, 0x0038, 0, 0, 1, 0x0258}) {
        Append16(body, uint16_t(v));
    }
    return body;
}

QByteArray Font(bool bold, bool italic) {
    QByteArray body;
    Append16(body, 200);  // 10 points
    Append16(body, italic ? 0x0002 : 0);
    Append16(body, 0x7FFF);
    Append16(body, bold ? 700 : 400);
    Append16(body, 0);  // no super/subscript
    Append8(body, 0);   // no underline
    Append8(body, 0);   // family
    Append8(body, 0);   // character set
    Append8(body, 0);
    body.append(UnicodeString(QStringLiteral("Arial"), true));
    return body;
}

QByteArray Xf(uint16_t font, uint16_t format, bool style) {
    QByteArray body;
    Append16(body, font);
    Append16(body, format);
    Append16(body, style ? 0xFFF5 : 0x0001);
    Append8(body, 0x20);
    Append8(body, 0);
    Append8(body, 0);
    Append8(body, style ? 0xF4 : 0xF8);
    Append32(body, 0);
    Append32(body, 0);
    Append16(body, 0x20C0);
    return body;
}

QByteArray Uint16Body(uint16_t value) {
    QByteArray body;
    Append16(body, value);
    return body;
}

}  // namespace

QByteArray Workbook::Globals(const std::vector<uint32_t>& sheetOffsets) const {
    QByteArray out;
    AppendRecord(out, id::kBof, Bof());
    AppendRecord(out, id::kWriteAccess, WriteAccess());
    AppendRecord(out, id::kCodePage, Uint16Body(1200));
    AppendRecord(out, id::kWindow1, Window1());
    AppendRecord(out, id::kDateMode, Uint16Body(0));
    AppendRecord(out, id::kFont, Font(false, false));
    AppendRecord(out, id::kFont, Font(true, false));
    AppendRecord(out, id::kFont, Font(false, true));
    AppendRecord(out, id::kFont, Font(true, true));
    for (int i = 0; i < xf::kGeneral; ++i) {
        AppendRecord(out, id::kXf, Xf(0, 0, true));
    }
    AppendRecord(out, id::kXf, Xf(0, 0, false));   // xf::kGeneral
    AppendRecord(out, id::kXf, Xf(0, 22, false));  // xf::kDate
    AppendRecord(out, id::kXf, Xf(1, 0, false));   // xf::kHeader, font 1 bold
    QByteArray style;
    Append16(style, 0x8000);  // built-in style on XF 0
    Append8(style, 0);        // Normal
    Append8(style, 0xFF);
    AppendRecord(out, id::kStyle, style);
    for (size_t i = 0; i < sheets_.size(); ++i) {
        QByteArray sheet;
        Append32(sheet, i < sheetOffsets.size() ? sheetOffsets[i] : 0);
        Append8(sheet, 0);  // visible
        Append8(sheet, 0);  // worksheet
        sheet.append(UnicodeString(sheets_[i].name, true));
        AppendRecord(out, id::kBoundSheet, sheet);
    }
    out.append(strings_.Records());
    AppendRecord(out, id::kEof, QByteArray());
    return out;
}

}  // namespace tw::biff8
