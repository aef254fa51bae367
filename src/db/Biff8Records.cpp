#include "db/Biff8Records.h"

#include <QtEndian>
#include <bit>

#include "db/FileExternalWriterErrors.h"

namespace tw::biff8 {

void append8(QByteArray& out, uint8_t value) {
    out.append(char(value));
}

void append16(QByteArray& out, uint16_t value) {
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

void append32(QByteArray& out, uint32_t value) {
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

void appendDouble(QByteArray& out, double value) {
    char bytes[8];
    qToLittleEndian(std::bit_cast<quint64>(value), bytes);
    out.append(bytes, 8);
}

void appendRecord(QByteArray& out, uint16_t id, const QByteArray& body) {
    Q_ASSERT(body.size() <= kMaxRecordBody);
    append16(out, id);
    append16(out, uint16_t(body.size()));
    out.append(body);
}

bool fitsCompressed(const QString& text) {
    for (QChar c : text) {
        if (c.unicode() > 0xFF) {
            return false;
        }
    }
    return true;
}

QByteArray stringChars(const QString& text, bool compressed) {
    QByteArray out;
    out.reserve(text.size() * (compressed ? 1 : 2));
    for (QChar c : text) {
        if (compressed) {
            append8(out, uint8_t(c.unicode()));
        } else {
            append16(out, c.unicode());
        }
    }
    return out;
}

QByteArray unicodeString(const QString& text, bool shortLength) {
    const bool compressed = fitsCompressed(text);
    QByteArray out;
    if (shortLength) {
        append8(out, uint8_t(text.size()));
    } else {
        append16(out, uint16_t(text.size()));
    }
    append8(out, compressed ? 0 : 1);
    out.append(stringChars(text, compressed));
    return out;
}

Record RecordReader::next() {
    if (at_ < 0 || at_ + 4 > stream_.size()) {
        throwNotExpectedFormat();
    }
    Record record;
    record.offset = at_;
    record.id = read16(stream_, at_);
    const uint16_t length = read16(stream_, at_ + 2);
    if (at_ + 4 + length > stream_.size()) {
        throwNotExpectedFormat();
    }
    record.body = stream_.mid(at_ + 4, length);
    at_ += 4 + length;
    return record;
}

uint16_t read16(const QByteArray& body, qsizetype at) {
    if (at < 0 || at + 2 > body.size()) {
        throwNotExpectedFormat();
    }
    return qFromLittleEndian<quint16>(body.constData() + at);
}

uint32_t read32(const QByteArray& body, qsizetype at) {
    if (at < 0 || at + 4 > body.size()) {
        throwNotExpectedFormat();
    }
    return qFromLittleEndian<quint32>(body.constData() + at);
}

}  // namespace tw::biff8
