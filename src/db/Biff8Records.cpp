#include "db/Biff8Records.h"

#include <QtEndian>
#include <bit>

#include "db/FileExternalWriterErrors.h"

namespace tw::biff8 {

void Append8(QByteArray& out, uint8_t value) {
    out.append(char(value));
}

void Append16(QByteArray& out, uint16_t value) {
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

void Append32(QByteArray& out, uint32_t value) {
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

void AppendDouble(QByteArray& out, double value) {
    char bytes[8];
    qToLittleEndian(std::bit_cast<quint64>(value), bytes);
    out.append(bytes, 8);
}

void AppendRecord(QByteArray& out, uint16_t id, const QByteArray& body) {
    Q_ASSERT(body.size() <= kMaxRecordBody);
    Append16(out, id);
    Append16(out, uint16_t(body.size()));
    out.append(body);
}

bool FitsCompressed(const QString& text) {
    for (QChar c : text) {
        if (c.unicode() > 0xFF) {
            return false;
        }
    }
    return true;
}

QByteArray StringChars(const QString& text, bool compressed) {
    QByteArray out;
    out.reserve(text.size() * (compressed ? 1 : 2));
    for (QChar c : text) {
        if (compressed) {
            Append8(out, uint8_t(c.unicode()));
        } else {
            Append16(out, c.unicode());
        }
    }
    return out;
}

QByteArray UnicodeString(const QString& text, bool shortLength) {
    const bool compressed = FitsCompressed(text);
    QByteArray out;
    if (shortLength) {
        Append8(out, uint8_t(text.size()));
    } else {
        Append16(out, uint16_t(text.size()));
    }
    Append8(out, compressed ? 0 : 1);
    out.append(StringChars(text, compressed));
    return out;
}

Record RecordReader::Next() {
    if (at_ < 0 || at_ + 4 > stream_.size()) {
        ThrowNotExpectedFormat();
    }
    Record record;
    record.offset = at_;
    record.id = Read16(stream_, at_);
    const uint16_t length = Read16(stream_, at_ + 2);
    if (at_ + 4 + length > stream_.size()) {
        ThrowNotExpectedFormat();
    }
    record.body = stream_.mid(at_ + 4, length);
    at_ += 4 + length;
    return record;
}

uint16_t Read16(const QByteArray& body, qsizetype at) {
    if (at < 0 || at + 2 > body.size()) {
        ThrowNotExpectedFormat();
    }
    return qFromLittleEndian<quint16>(body.constData() + at);
}

uint32_t Read32(const QByteArray& body, qsizetype at) {
    if (at < 0 || at + 4 > body.size()) {
        ThrowNotExpectedFormat();
    }
    return qFromLittleEndian<quint32>(body.constData() + at);
}

}  // namespace tw::biff8
