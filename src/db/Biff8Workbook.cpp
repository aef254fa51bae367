#include "db/Biff8Workbook.h"

#include "db/Biff8Records.h"
#include "db/Biff8Sheet.h"
#include "db/FileExternalWriterErrors.h"

namespace tw::biff8 {

namespace {

struct SheetEntry {
    QString name;
    uint32_t offset;
};

QString shortString(const QByteArray& body, qsizetype at) {
    if (at + 2 > body.size()) {
        throwNotExpectedFormat();
    }
    const int count = uchar(body[at]);
    const bool wide = body[at + 1] & 0x01;
    const qsizetype chars = at + 2;
    if (chars + count * (wide ? 2 : 1) > body.size()) {
        throwNotExpectedFormat();
    }
    QString text;
    for (int i = 0; i < count; ++i) {
        text += wide ? QChar(read16(body, chars + i * 2)) : QChar(uchar(body[chars + i]));
    }
    return text;
}

bool isOurWriteAccess(const QByteArray& body) {
    return body.startsWith(unicodeString(QString::fromLatin1(kWriterName), false));
}

void expectBof(const Record& record, uint16_t type) {
    if (record.id != id::kBof || read16(record.body, 0) != 0x0600 ||
        read16(record.body, 2) != type) {
        throwNotExpectedFormat();
    }
}

// A worksheet's bytes from its BOF to its EOF record.
QByteArray copySubstream(const QByteArray& stream, uint32_t offset) {
    RecordReader reader(stream, offset);
    expectBof(reader.next(), 0x0010);
    while (reader.next().id != id::kEof) {
    }
    return stream.mid(offset, reader.offset() - offset);
}

}  // namespace

Workbook Workbook::parse(const QByteArray& stream) {
    RecordReader reader(stream, 0);
    expectBof(reader.next(), 0x0005);
    Workbook book;
    bool ours = false;
    std::vector<SheetEntry> entries;
    std::vector<QByteArray> sstBodies;
    bool inSst = false;  // CONTINUE records right after the SST belong to it
    for (Record record = reader.next(); record.id != id::kEof; record = reader.next()) {
        inSst = record.id == id::kSst || (inSst && record.id == id::kContinue);
        if (inSst) {
            sstBodies.push_back(record.body);
        } else if (record.id == id::kWriteAccess) {
            ours = isOurWriteAccess(record.body);
        } else if (record.id == id::kBoundSheet) {
            entries.push_back({shortString(record.body, 6), read32(record.body, 0)});
        }
    }
    if (!ours) {
        throwNotExpectedFormat();
    }
    book.strings_ = SharedStrings::parse(sstBodies);
    for (const SheetEntry& entry : entries) {
        book.sheets_.push_back({entry.name, copySubstream(stream, entry.offset)});
    }
    return book;
}

bool Workbook::hasSheet(const QString& name) const {
    for (const Sheet& sheet : sheets_) {
        if (sheet.name.compare(name, Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
}

QStringList Workbook::sheetNames() const {
    QStringList names;
    for (const Sheet& sheet : sheets_) {
        names.append(sheet.name);
    }
    return names;
}

int64_t Workbook::addSheet(const QString& name, Recordset& rows) {
    const BuiltSheet built = buildSheet(rows, strings_, sheets_.empty());
    sheets_.push_back({name, built.substream});
    return built.rows;
}

QByteArray Workbook::stream() const {
    // Sheet offsets depend on the length of the globals, which does not
    // depend on the offsets' values: measure once, then write for real.
    const qsizetype globalsLength = globals({}).size();
    std::vector<uint32_t> offsets;
    uint32_t at = uint32_t(globalsLength);
    for (const Sheet& sheet : sheets_) {
        offsets.push_back(at);
        at += uint32_t(sheet.substream.size());
    }
    QByteArray stream = globals(offsets);
    for (const Sheet& sheet : sheets_) {
        stream.append(sheet.substream);
    }
    return stream;
}

}  // namespace tw::biff8
