#include "db/Biff8SharedStrings.h"

#include "db/Biff8Records.h"
#include "db/FileExternalWriterErrors.h"

namespace tw::biff8 {

namespace {

// Fills records of at most kMaxRecordBody bytes: the first is the SST, the
// rest CONTINUE records.
class RecordSplitter {
  public:
    RecordSplitter() { current_.reserve(kMaxRecordBody); }
    int room() const { return kMaxRecordBody - int(current_.size()); }
    QByteArray& current() { return current_; }
    void flush() {
        appendRecord(out_, first_ ? id::kSst : id::kContinue, current_);
        first_ = false;
        current_.clear();
    }
    QByteArray finish() {
        flush();
        return out_;
    }

  private:
    QByteArray out_;
    QByteArray current_;
    bool first_ = true;
};

// Reads across record boundaries; a string's characters that run into the
// next record start again with one flags byte there.
class SegmentReader {
  public:
    explicit SegmentReader(const std::vector<QByteArray>& bodies) : bodies_(bodies) {}

    uint32_t read32At() {
        const QByteArray& body = bodyWith(4);
        const uint32_t v = read32(body, at_);
        at_ += 4;
        return v;
    }

    QString readString() {
        const QByteArray& header = bodyWith(3);
        const uint16_t count = read16(header, at_);
        uint8_t flags = uint8_t(header[at_ + 2]);
        at_ += 3;
        if (flags & 0x0C) {
            throwNotExpectedFormat();  // rich text or phonetic runs: not written here
        }
        QString text;
        while (text.size() < count) {
            if (at_ >= bodies_[segment_].size()) {
                nextSegment();
                flags = uint8_t(bodies_[segment_][at_++]);
            }
            const QByteArray& body = bodies_[segment_];
            if (flags & 0x01) {
                text += QChar(read16(body, at_));
                at_ += 2;
            } else {
                text += QChar(uchar(body[at_++]));
            }
        }
        return text;
    }

  private:
    // The current body, moving to the next when fewer than `need` bytes are
    // left (a string header or a count never straddles records).
    const QByteArray& bodyWith(int need) {
        if (at_ + need > bodies_[segment_].size()) {
            nextSegment();
        }
        return bodies_[segment_];
    }

    void nextSegment() {
        if (segment_ + 1 >= bodies_.size() || bodies_[segment_ + 1].isEmpty()) {
            throwNotExpectedFormat();
        }
        ++segment_;
        at_ = 0;
    }

    const std::vector<QByteArray>& bodies_;
    size_t segment_ = 0;
    qsizetype at_ = 0;
};

}  // namespace

uint32_t SharedStrings::add(const QString& text) {
    ++references_;
    const auto found = index_.constFind(text);
    if (found != index_.constEnd()) {
        return *found;
    }
    const uint32_t index = uint32_t(strings_.size());
    strings_.append(text);
    index_.insert(text, index);
    return index;
}

QByteArray SharedStrings::records() const {
    RecordSplitter records;
    append32(records.current(), references_);
    append32(records.current(), uint32_t(strings_.size()));
    for (const QString& text : strings_) {
        const bool compressed = fitsCompressed(text);
        const int charSize = compressed ? 1 : 2;
        // The header and the first character stay together.
        if (records.room() < 3 + (text.isEmpty() ? 0 : charSize)) {
            records.flush();
        }
        append16(records.current(), uint16_t(text.size()));
        append8(records.current(), compressed ? 0 : 1);
        qsizetype done = 0;
        while (done < text.size()) {
            if (records.room() < charSize) {
                records.flush();
                append8(records.current(), compressed ? 0 : 1);
            }
            const qsizetype chunk =
                std::min<qsizetype>(text.size() - done, records.room() / charSize);
            records.current().append(stringChars(text.mid(done, chunk), compressed));
            done += chunk;
        }
    }
    return records.finish();
}

SharedStrings SharedStrings::parse(const std::vector<QByteArray>& bodies) {
    SharedStrings table;
    if (bodies.empty()) {
        return table;
    }
    SegmentReader reader(bodies);
    table.references_ = reader.read32At();
    const uint32_t unique = reader.read32At();
    for (uint32_t i = 0; i < unique; ++i) {
        const QString text = reader.readString();
        if (!table.index_.contains(text)) {
            table.index_.insert(text, uint32_t(table.strings_.size()));
        }
        table.strings_.append(text);
    }
    return table;
}

}  // namespace tw::biff8
