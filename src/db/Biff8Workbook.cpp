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

QString ShortString(const QByteArray& body, qsizetype at) {
    if (at + 2 > body.size()) {
        ThrowNotExpectedFormat();
    }
    const int count = uchar(body[at]);
    const bool wide = body[at + 1] & 0x01;
    const qsizetype chars = at + 2;
    if (chars + count * (wide ? 2 : 1) > body.size()) {
        ThrowNotExpectedFormat();
    }
    QString text;
    for (int i = 0; i < count; ++i) {
        text += wide ? QChar(Read16(body, chars + i * 2)) : QChar(uchar(body[chars + i]));
    }
    return text;
}

bool IsOurWriteAccess(const QByteArray& body) {
    return body.startsWith(UnicodeString(QString::fromLatin1(kWriterName), false));
}

void ExpectBof(const Record& record, uint16_t type) {
    if (record.id != id::kBof || Read16(record.body, 0) != 0x0600 ||
        Read16(record.body, 2) != type) {
        ThrowNotExpectedFormat();
    }
}

// A worksheet's bytes from its BOF to its EOF record.
QByteArray CopySubstream(const QByteArray& stream, uint32_t offset) {
    RecordReader reader(stream, offset);
    ExpectBof(reader.Next(), 0x0010);
    while (reader.Next().id != id::kEof) {
    }
    return stream.mid(offset, reader.offset() - offset);
}

}  // namespace

Workbook Workbook::Parse(const QByteArray& stream) {
    RecordReader reader(stream, 0);
    ExpectBof(reader.Next(), 0x0005);
    Workbook book;
    bool ours = false;
    std::vector<SheetEntry> entries;
    std::vector<QByteArray> sstBodies;
    bool inSst = false;  // CONTINUE records right after the SST belong to it
    for (Record record = reader.Next(); record.id != id::kEof; record = reader.Next()) {
        inSst = record.id == id::kSst || (inSst && record.id == id::kContinue);
        if (inSst) {
            sstBodies.push_back(record.body);
        } else if (record.id == id::kWriteAccess) {
            ours = IsOurWriteAccess(record.body);
        } else if (record.id == id::kBoundSheet) {
            entries.push_back({ShortString(record.body, 6), Read32(record.body, 0)});
        }
    }
    if (!ours) {
        ThrowNotExpectedFormat();
    }
    book.strings_ = SharedStrings::Parse(sstBodies);
    for (const SheetEntry& entry : entries) {
        book.sheets_.push_back({entry.name, CopySubstream(stream, entry.offset)});
    }
    return book;
}

bool Workbook::HasSheet(const QString& name) const {
    for (const Sheet& sheet : sheets_) {
        if (sheet.name.compare(name, Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
}

QStringList Workbook::SheetNames() const {
    QStringList names;
    for (const Sheet& sheet : sheets_) {
        names.append(sheet.name);
    }
    return names;
}

int64_t Workbook::AddSheet(const QString& name, Recordset& rows) {
    const BuiltSheet built = BuildSheet(rows, strings_, sheets_.empty());
    sheets_.push_back({name, built.substream});
    return built.rows;
}

QByteArray Workbook::Stream() const {
    // Sheet offsets depend on the length of the globals, which does not
    // depend on the offsets' values: measure once, then write for real.
    const qsizetype globalsLength = Globals({}).size();
    std::vector<uint32_t> offsets;
    uint32_t at = uint32_t(globalsLength);
    for (const Sheet& sheet : sheets_) {
        offsets.push_back(at);
        at += uint32_t(sheet.substream.size());
    }
    QByteArray stream = Globals(offsets);
    for (const Sheet& sheet : sheets_) {
        stream.append(sheet.substream);
    }
    return stream;
}

}  // namespace tw::biff8
