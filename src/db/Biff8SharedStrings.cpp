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
    void Flush() {
        AppendRecord(out_, first_ ? id::kSst : id::kContinue, current_);
        first_ = false;
        current_.clear();
    }
    QByteArray Finish() {
        Flush();
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

    uint32_t Read32At() {
        const QByteArray& body = Body(4);
        const uint32_t v = Read32(body, at_);
        at_ += 4;
        return v;
    }

    QString ReadString() {
        const QByteArray& header = Body(3);
        const uint16_t count = Read16(header, at_);
        uint8_t flags = uint8_t(header[at_ + 2]);
        at_ += 3;
        if (flags & 0x0C) {
            ThrowNotExpectedFormat();  // rich text or phonetic runs: not written here
        }
        QString text;
        while (text.size() < count) {
            if (at_ >= bodies_[segment_].size()) {
                NextSegment();
                flags = uint8_t(bodies_[segment_][at_++]);
            }
            const QByteArray& body = bodies_[segment_];
            if (flags & 0x01) {
                text += QChar(Read16(body, at_));
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
    const QByteArray& Body(int need) {
        if (at_ + need > bodies_[segment_].size()) {
            NextSegment();
        }
        return bodies_[segment_];
    }

    void NextSegment() {
        if (segment_ + 1 >= bodies_.size() || bodies_[segment_ + 1].isEmpty()) {
            ThrowNotExpectedFormat();
        }
        ++segment_;
        at_ = 0;
    }

    const std::vector<QByteArray>& bodies_;
    size_t segment_ = 0;
    qsizetype at_ = 0;
};

}  // namespace

uint32_t SharedStrings::Add(const QString& text) {
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

QByteArray SharedStrings::Records() const {
    RecordSplitter records;
    Append32(records.current(), references_);
    Append32(records.current(), uint32_t(strings_.size()));
    for (const QString& text : strings_) {
        const bool compressed = FitsCompressed(text);
        const int charSize = compressed ? 1 : 2;
        // The header and the first character stay together.
        if (records.room() < 3 + (text.isEmpty() ? 0 : charSize)) {
            records.Flush();
        }
        Append16(records.current(), uint16_t(text.size()));
        Append8(records.current(), compressed ? 0 : 1);
        qsizetype done = 0;
        while (done < text.size()) {
            if (records.room() < charSize) {
                records.Flush();
                Append8(records.current(), compressed ? 0 : 1);
            }
            const qsizetype chunk =
                std::min<qsizetype>(text.size() - done, records.room() / charSize);
            records.current().append(StringChars(text.mid(done, chunk), compressed));
            done += chunk;
        }
    }
    return records.Finish();
}

SharedStrings SharedStrings::Parse(const std::vector<QByteArray>& bodies) {
    SharedStrings table;
    if (bodies.empty()) {
        return table;
    }
    SegmentReader reader(bodies);
    table.references_ = reader.Read32At();
    const uint32_t unique = reader.Read32At();
    for (uint32_t i = 0; i < unique; ++i) {
        const QString text = reader.ReadString();
        if (!table.index_.contains(text)) {
            table.index_.insert(text, uint32_t(table.strings_.size()));
        }
        table.strings_.append(text);
    }
    return table;
}

}  // namespace tw::biff8
