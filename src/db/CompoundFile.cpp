#include "db/CompoundFile.h"

#include <QString>
#include <QtEndian>
#include <algorithm>
#include <vector>

#include "db/FileExternalWriterErrors.h"

namespace tw {

namespace {

constexpr quint32 kFreeSect = 0xFFFFFFFF;
constexpr quint32 kEndOfChain = 0xFFFFFFFE;
constexpr quint32 kFatSect = 0xFFFFFFFD;
constexpr quint32 kDifSect = 0xFFFFFFFC;
constexpr quint32 kNoStream = 0xFFFFFFFF;
constexpr int kSector = 512;
constexpr int kEntriesPerSector = kSector / 4;
constexpr int kHeaderDifat = 109;
constexpr int kMiniCutoff = 4096;
const char kSignature[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";

void put16(QByteArray& b, int at, quint16 v) {
    qToLittleEndian(v, b.data() + at);
}
void put32(QByteArray& b, int at, quint32 v) {
    qToLittleEndian(v, b.data() + at);
}
quint16 get16(const QByteArray& b, qsizetype at) {
    return qFromLittleEndian<quint16>(b.constData() + at);
}
quint32 get32(const QByteArray& b, qsizetype at) {
    return qFromLittleEndian<quint32>(b.constData() + at);
}

int ceilDiv(int a, int b) {
    return (a + b - 1) / b;
}

struct Plan {
    int streamSectors = 0;
    int fatSectors = 1;
    int difatSectors = 0;
    int firstFat() const { return streamSectors; }
    int firstDifat() const { return streamSectors + fatSectors; }
    int directory() const { return streamSectors + fatSectors + difatSectors; }
    int total() const { return directory() + 1; }
};

Plan makePlan(int streamSectors) {
    Plan plan;
    plan.streamSectors = streamSectors;
    for (;;) {
        plan.difatSectors =
            std::max(0, ceilDiv(plan.fatSectors - kHeaderDifat, kEntriesPerSector - 1));
        const int needed = ceilDiv(plan.total(), kEntriesPerSector);
        if (needed <= plan.fatSectors) {
            return plan;
        }
        plan.fatSectors = needed;
    }
}

QByteArray fatSectors(const Plan& plan) {
    std::vector<quint32> fat(size_t(plan.fatSectors) * kEntriesPerSector, kFreeSect);
    for (int i = 0; i < plan.streamSectors; ++i) {
        fat[size_t(i)] = i + 1 == plan.streamSectors ? kEndOfChain : quint32(i + 1);
    }
    for (int i = 0; i < plan.fatSectors; ++i) {
        fat[size_t(plan.firstFat()) + size_t(i)] = kFatSect;
    }
    for (int i = 0; i < plan.difatSectors; ++i) {
        fat[size_t(plan.firstDifat()) + size_t(i)] = kDifSect;
    }
    fat[size_t(plan.directory())] = kEndOfChain;
    QByteArray out(int(fat.size()) * 4, '\0');
    for (size_t i = 0; i < fat.size(); ++i) {
        put32(out, int(i) * 4, fat[i]);
    }
    return out;
}

// FAT sector numbers beyond the 109 in the header, 127 per DIFAT sector, each
// sector ending with the number of the next one.
QByteArray difatSectors(const Plan& plan) {
    QByteArray out(plan.difatSectors * kSector, '\xFF');
    for (int i = kHeaderDifat; i < plan.fatSectors; ++i) {
        const int index = i - kHeaderDifat;
        const int sector = index / (kEntriesPerSector - 1);
        put32(out, sector * kSector + (index % (kEntriesPerSector - 1)) * 4,
              quint32(plan.firstFat() + i));
    }
    for (int s = 0; s < plan.difatSectors; ++s) {
        const bool last = s + 1 == plan.difatSectors;
        put32(out, s * kSector + kSector - 4,
              last ? kEndOfChain : quint32(plan.firstDifat() + s + 1));
    }
    return out;
}

void putEntry(QByteArray& dir, int index, const QString& name, quint8 type, quint32 child,
              quint32 start, quint32 size) {
    const int at = index * 128;
    for (int i = 0; i < name.size(); ++i) {
        put16(dir, at + i * 2, name[i].unicode());
    }
    put16(dir, at + 64, quint16((name.size() + 1) * 2));
    dir[at + 66] = char(type);
    dir[at + 67] = 1;  // black
    put32(dir, at + 68, kNoStream);
    put32(dir, at + 72, kNoStream);
    put32(dir, at + 76, child);
    put32(dir, at + 116, start);
    put32(dir, at + 120, size);
}

QByteArray directorySector(quint32 streamSize) {
    QByteArray dir(kSector, '\0');
    putEntry(dir, 0, QStringLiteral("Root Entry"), 5, 1, kEndOfChain, 0);
    putEntry(dir, 1, QStringLiteral("Workbook"), 2, kNoStream, 0, streamSize);
    for (int i = 2; i < 4; ++i) {
        put32(dir, i * 128 + 68, kNoStream);
        put32(dir, i * 128 + 72, kNoStream);
        put32(dir, i * 128 + 76, kNoStream);
    }
    return dir;
}

QByteArray header(const Plan& plan) {
    QByteArray h(kSector, '\0');
    h.replace(0, 8, QByteArray(kSignature, 8));
    put16(h, 0x18, 0x003E);
    put16(h, 0x1A, 0x0003);
    put16(h, 0x1C, 0xFFFE);
    put16(h, 0x1E, 0x0009);
    put16(h, 0x20, 0x0006);
    put32(h, 0x2C, quint32(plan.fatSectors));
    put32(h, 0x30, quint32(plan.directory()));
    put32(h, 0x38, kMiniCutoff);
    put32(h, 0x3C, kEndOfChain);
    put32(h, 0x44, plan.difatSectors > 0 ? quint32(plan.firstDifat()) : kEndOfChain);
    put32(h, 0x48, quint32(plan.difatSectors));
    for (int i = 0; i < kHeaderDifat; ++i) {
        put32(h, 0x4C + i * 4, i < plan.fatSectors ? quint32(plan.firstFat() + i) : kFreeSect);
    }
    return h;
}

// Reading: every offset is checked against the file before use.
class Reader {
  public:
    explicit Reader(const QByteArray& file) : file_(file) {}

    QByteArray workbook() {
        if (file_.size() < kSector || !file_.startsWith(QByteArray(kSignature, 8)) ||
            get16(file_, 0x1C) != 0xFFFE) {
            throwNotExpectedFormat();
        }
        const int shift = get16(file_, 0x1E);
        if (shift != 9 && shift != 12) {
            throwNotExpectedFormat();
        }
        sectorSize_ = 1 << shift;
        sectorCount_ = (file_.size() - sectorSize_) / sectorSize_;
        readFat();
        const QByteArray dir = chain(get32(file_, 0x30), -1);
        for (qsizetype at = 0; at + 128 <= dir.size(); at += 128) {
            if (dir[at + 66] == 2 &&
                entryName(dir, at).compare(QStringLiteral("Workbook"), Qt::CaseInsensitive) == 0) {
                const quint32 size = get32(dir, at + 120);
                if (size < kMiniCutoff) {
                    throwNotExpectedFormat();  // mini streams are never written here
                }
                return chain(get32(dir, at + 116), size);
            }
        }
        throwNotExpectedFormat();
    }

  private:
    QString entryName(const QByteArray& dir, qsizetype at) const {
        const int chars = std::clamp(int(get16(dir, at + 64)) / 2 - 1, 0, 31);
        QString name;
        for (int i = 0; i < chars; ++i) {
            name += QChar(get16(dir, at + i * 2));
        }
        return name;
    }

    qsizetype sectorOffset(quint32 sector) const {
        if (sector >= quint32(sectorCount_)) {
            throwNotExpectedFormat();
        }
        return qsizetype(sector + 1) * sectorSize_;
    }

    void readFat() {
        std::vector<quint32> fatSectors;
        const quint32 fatCount = get32(file_, 0x2C);
        for (int i = 0; i < kHeaderDifat && fatSectors.size() < fatCount; ++i) {
            fatSectors.push_back(get32(file_, 0x4C + i * 4));
        }
        quint32 difat = get32(file_, 0x44);
        for (qsizetype guard = 0; fatSectors.size() < fatCount; ++guard) {
            if (difat == kEndOfChain || guard > sectorCount_) {
                throwNotExpectedFormat();
            }
            const qsizetype at = sectorOffset(difat);
            const int perSector = sectorSize_ / 4 - 1;
            for (int i = 0; i < perSector && fatSectors.size() < fatCount; ++i) {
                fatSectors.push_back(get32(file_, at + i * 4));
            }
            difat = get32(file_, at + perSector * 4);
        }
        for (quint32 sector : fatSectors) {
            const qsizetype at = sectorOffset(sector);
            for (int i = 0; i < sectorSize_ / 4; ++i) {
                fat_.push_back(get32(file_, at + i * 4));
            }
        }
    }

    // The sectors of a chain; `size` < 0 reads the whole chain.
    QByteArray chain(quint32 start, qint64 size) const {
        QByteArray out;
        quint32 sector = start;
        std::vector<bool> seen(fat_.size(), false);
        while (sector != kEndOfChain && (size < 0 || out.size() < size)) {
            if (sector >= fat_.size() || seen[sector]) {
                throwNotExpectedFormat();
            }
            seen[sector] = true;
            out += file_.mid(sectorOffset(sector), sectorSize_);
            sector = fat_[sector];
        }
        if (size >= 0) {
            if (out.size() < size) {
                throwNotExpectedFormat();
            }
            out.truncate(size);
        }
        return out;
    }

    const QByteArray& file_;
    int sectorSize_ = kSector;
    qsizetype sectorCount_ = 0;
    std::vector<quint32> fat_;
};

}  // namespace

QByteArray writeCompoundFile(const QByteArray& workbookStream) {
    QByteArray stream = workbookStream;
    const int padded = std::max(kMiniCutoff, ceilDiv(int(stream.size()), kSector) * kSector);
    stream.append(QByteArray(padded - stream.size(), '\0'));
    const Plan plan = makePlan(padded / kSector);
    return header(plan) + stream + fatSectors(plan) + difatSectors(plan) +
           directorySector(quint32(padded));
}

QByteArray readWorkbookStream(const QByteArray& file) {
    return Reader(file).workbook();
}

}  // namespace tw
