// The workbook globals substream: the fixed records every workbook of ours
// starts with, the sheet list and the shared strings.

#include "db/Biff8Records.h"
#include "db/Biff8Workbook.h"

namespace tw::biff8 {

namespace {

QByteArray globalsBof() {
    QByteArray body;
    append16(body, 0x0600);
    append16(body, 0x0005);  // workbook globals
    append16(body, 0x0DBB);
    append16(body, 0x07CC);
    append32(body, 0);
    append32(body, 6);
    return body;
}

// The writer's name, padded with blanks to the record's fixed 112 bytes.
QByteArray writeAccess() {
    QByteArray body = unicodeString(QString::fromLatin1(kWriterName), false);
    body.append(QByteArray(112 - body.size(), ' '));
    return body;
}

QByteArray window1() {
    QByteArray body;
    for (uint16_t v : {0x01E0, 0x005A, 0x3FCF, 0x2A4E, 0x0038, 0, 0, 1, 0x0258}) {
        append16(body, uint16_t(v));
    }
    return body;
}

QByteArray font(bool bold, bool italic) {
    QByteArray body;
    append16(body, 200);  // 10 points
    append16(body, italic ? 0x0002 : 0);
    append16(body, 0x7FFF);
    append16(body, bold ? 700 : 400);
    append16(body, 0);  // no super/subscript
    append8(body, 0);   // no underline
    append8(body, 0);   // family
    append8(body, 0);   // character set
    append8(body, 0);
    body.append(unicodeString(QStringLiteral("Arial"), true));
    return body;
}

QByteArray xfRecord(uint16_t font, uint16_t format, bool style) {
    QByteArray body;
    append16(body, font);
    append16(body, format);
    append16(body, style ? 0xFFF5 : 0x0001);
    append8(body, 0x20);
    append8(body, 0);
    append8(body, 0);
    append8(body, style ? 0xF4 : 0xF8);
    append32(body, 0);
    append32(body, 0);
    append16(body, 0x20C0);
    return body;
}

QByteArray uint16Body(uint16_t value) {
    QByteArray body;
    append16(body, value);
    return body;
}

}  // namespace

QByteArray Workbook::globals(const std::vector<uint32_t>& sheetOffsets) const {
    QByteArray out;
    appendRecord(out, id::kBof, globalsBof());
    appendRecord(out, id::kWriteAccess, writeAccess());
    appendRecord(out, id::kCodePage, uint16Body(1200));
    appendRecord(out, id::kWindow1, window1());
    appendRecord(out, id::kDateMode, uint16Body(0));
    appendRecord(out, id::kFont, font(false, false));
    appendRecord(out, id::kFont, font(true, false));
    appendRecord(out, id::kFont, font(false, true));
    appendRecord(out, id::kFont, font(true, true));
    for (int i = 0; i < xf::kGeneral; ++i) {
        appendRecord(out, id::kXf, xfRecord(0, 0, true));
    }
    appendRecord(out, id::kXf, xfRecord(0, 0, false));   // xf::kGeneral
    appendRecord(out, id::kXf, xfRecord(0, 22, false));  // xf::kDate
    appendRecord(out, id::kXf, xfRecord(1, 0, false));   // xf::kHeader, font 1 bold
    QByteArray style;
    append16(style, 0x8000);  // built-in style on XF 0
    append8(style, 0);        // Normal
    append8(style, 0xFF);
    appendRecord(out, id::kStyle, style);
    for (size_t i = 0; i < sheets_.size(); ++i) {
        QByteArray sheet;
        append32(sheet, i < sheetOffsets.size() ? sheetOffsets[i] : 0);
        append8(sheet, 0);  // visible
        append8(sheet, 0);  // worksheet
        sheet.append(unicodeString(sheets_[i].name, true));
        appendRecord(out, id::kBoundSheet, sheet);
    }
    out.append(strings_.records());
    appendRecord(out, id::kEof, QByteArray());
    return out;
}

}  // namespace tw::biff8
