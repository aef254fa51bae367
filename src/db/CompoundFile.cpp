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

void Put16(QByteArray& b, int at, quint16 v) {
    qToLittleEndian(v, b.data() + at);
}
void Put32(QByteArray& b, int at, quint32 v) {
    qToLittleEndian(v, b.data() + at);
}
quint16 Get16(const QByteArray& b, qsizetype at) {
    return qFromLittleEndian<quint16>(b.constData() + at);
}
quint32 Get32(const QByteArray& b, qsizetype at) {
    return qFromLittleEndian<quint32>(b.constData() + at);
}

int CeilDiv(int a, int b) {
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

Plan MakePlan(int streamSectors) {
    Plan plan;
    plan.streamSectors = streamSectors;
    for (;;) {
        plan.difatSectors =
            std::max(0, CeilDiv(plan.fatSectors - kHeaderDifat, kEntriesPerSector - 1));
        const int needed = CeilDiv(plan.total(), kEntriesPerSector);
        if (needed <= plan.fatSectors) {
            return plan;
        }
        plan.fatSectors = needed;
    }
}

QByteArray FatSectors(const Plan& plan) {
    std::vector<quint32> fat(size_t(plan.fatSectors) * kEntriesPerSector, kFreeSect);
    for (int i = 0; i < plan.streamSectors; ++i) {
        fat[size_t(i)] = i + 1 == plan.streamSectors ? kEndOfChain : quint32(i + 1);
    }
    for (int i = 0; i < plan.fatSectors; ++i) {
        fat[size_t(plan.firstFat() + i)] = kFatSect;
    }
    for (int i = 0; i < plan.difatSectors; ++i) {
        fat[size_t(plan.firstDifat() + i)] = kDifSect;
    }
    fat[size_t(plan.directory())] = kEndOfChain;
    QByteArray out(int(fat.size()) * 4, '\0');
    for (size_t i = 0; i < fat.size(); ++i) {
        Put32(out, int(i) * 4, fat[i]);
    }
    return out;
}

// FAT sector numbers beyond the 109 in the header, 127 per DIFAT sector, each
// sector ending with the number of the next one.
QByteArray DifatSectors(const Plan& plan) {
    QByteArray out(plan.difatSectors * kSector, '\xFF');
    for (int i = kHeaderDifat; i < plan.fatSectors; ++i) {
        const int index = i - kHeaderDifat;
        const int sector = index / (kEntriesPerSector - 1);
        Put32(out, sector * kSector + (index % (kEntriesPerSector - 1)) * 4,
              quint32(plan.firstFat() + i));
    }
    for (int s = 0; s < plan.difatSectors; ++s) {
        const bool last = s + 1 == plan.difatSectors;
        Put32(out, s * kSector + kSector - 4,
              last ? kEndOfChain : quint32(plan.firstDifat() + s + 1));
    }
    return out;
}

void PutEntry(QByteArray& dir, int index, const QString& name, quint8 type, quint32 child,
              quint32 start, quint32 size) {
    const int at = index * 128;
    for (int i = 0; i < name.size(); ++i) {
        Put16(dir, at + i * 2, name[i].unicode());
    }
    Put16(dir, at + 64, quint16((name.size() + 1) * 2));
    dir[at + 66] = char(type);
    dir[at + 67] = 1;  // black
    Put32(dir, at + 68, kNoStream);
    Put32(dir, at + 72, kNoStream);
    Put32(dir, at + 76, child);
    Put32(dir, at + 116, start);
    Put32(dir, at + 120, size);
}

QByteArray DirectorySector(quint32 streamSize) {
    QByteArray dir(kSector, '\0');
    PutEntry(dir, 0, QStringLiteral("Root Entry"), 5, 1, kEndOfChain, 0);
    PutEntry(dir, 1, QStringLiteral("Workbook"), 2, kNoStream, 0, streamSize);
    for (int i = 2; i < 4; ++i) {
        Put32(dir, i * 128 + 68, kNoStream);
        Put32(dir, i * 128 + 72, kNoStream);
        Put32(dir, i * 128 + 76, kNoStream);
    }
    return dir;
}

QByteArray Header(const Plan& plan) {
    QByteArray h(kSector, '\0');
    h.replace(0, 8, QByteArray(kSignature, 8));
    Put16(h, 0x18, 0x003E);
    Put16(h, 0x1A, 0x0003);
    Put16(h, 0x1C, 0xFFFE);
    Put16(h, 0x1E, 0x0009);
    Put16(h, 0x20, 0x0006);
    Put32(h, 0x2C, quint32(plan.fatSectors));
    Put32(h, 0x30, quint32(plan.directory()));
    Put32(h, 0x38, kMiniCutoff);
    Put32(h, 0x3C, kEndOfChain);
    Put32(h, 0x44, plan.difatSectors > 0 ? quint32(plan.firstDifat()) : kEndOfChain);
    Put32(h, 0x48, quint32(plan.difatSectors));
    for (int i = 0; i < kHeaderDifat; ++i) {
        Put32(h, 0x4C + i * 4, i < plan.fatSectors ? quint32(plan.firstFat() + i) : kFreeSect);
    }
    return h;
}

// Reading: every offset is checked against the file before use.
class Reader {
  public:
    explicit Reader(const QByteArray& file) : file_(file) {}

    QByteArray Workbook() {
        if (file_.size() < kSector || !file_.startsWith(QByteArray(kSignature, 8)) ||
            Get16(file_, 0x1C) != 0xFFFE) {
            ThrowNotExpectedFormat();
        }
        const int shift = Get16(file_, 0x1E);
        if (shift != 9 && shift != 12) {
            ThrowNotExpectedFormat();
        }
        sectorSize_ = 1 << shift;
        sectorCount_ = (file_.size() - sectorSize_) / sectorSize_;
        ReadFat();
        const QByteArray dir = Chain(Get32(file_, 0x30), -1);
        for (qsizetype at = 0; at + 128 <= dir.size(); at += 128) {
            if (dir[at + 66] == 2 &&
                EntryName(dir, at).compare(QStringLiteral("Workbook"), Qt::CaseInsensitive) == 0) {
                const quint32 size = Get32(dir, at + 120);
                if (size < kMiniCutoff) {
                    ThrowNotExpectedFormat();  // mini streams are never written here
                }
                return Chain(Get32(dir, at + 116), size);
            }
        }
        ThrowNotExpectedFormat();
    }

  private:
    QString EntryName(const QByteArray& dir, qsizetype at) const {
        const int chars = std::clamp(int(Get16(dir, at + 64)) / 2 - 1, 0, 31);
        QString name;
        for (int i = 0; i < chars; ++i) {
            name += QChar(Get16(dir, at + i * 2));
        }
        return name;
    }

    qsizetype SectorOffset(quint32 sector) const {
        if (sector >= quint32(sectorCount_)) {
            ThrowNotExpectedFormat();
        }
        return qsizetype(sector + 1) * sectorSize_;
    }

    void ReadFat() {
        std::vector<quint32> fatSectors;
        const quint32 fatCount = Get32(file_, 0x2C);
        for (int i = 0; i < kHeaderDifat && fatSectors.size() < fatCount; ++i) {
            fatSectors.push_back(Get32(file_, 0x4C + i * 4));
        }
        quint32 difat = Get32(file_, 0x44);
        for (qsizetype guard = 0; fatSectors.size() < fatCount; ++guard) {
            if (difat == kEndOfChain || guard > sectorCount_) {
                ThrowNotExpectedFormat();
            }
            const qsizetype at = SectorOffset(difat);
            const int perSector = sectorSize_ / 4 - 1;
            for (int i = 0; i < perSector && fatSectors.size() < fatCount; ++i) {
                fatSectors.push_back(Get32(file_, at + i * 4));
            }
            difat = Get32(file_, at + perSector * 4);
        }
        for (quint32 sector : fatSectors) {
            const qsizetype at = SectorOffset(sector);
            for (int i = 0; i < sectorSize_ / 4; ++i) {
                fat_.push_back(Get32(file_, at + i * 4));
            }
        }
    }

    // The sectors of a chain; `size` < 0 reads the whole chain.
    QByteArray Chain(quint32 start, qint64 size) const {
        QByteArray out;
        quint32 sector = start;
        std::vector<bool> seen(fat_.size(), false);
        while (sector != kEndOfChain && (size < 0 || out.size() < size)) {
            if (sector >= fat_.size() || seen[sector]) {
                ThrowNotExpectedFormat();
            }
            seen[sector] = true;
            out += file_.mid(SectorOffset(sector), sectorSize_);
            sector = fat_[sector];
        }
        if (size >= 0) {
            if (out.size() < size) {
                ThrowNotExpectedFormat();
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

QByteArray WriteCompoundFile(const QByteArray& workbookStream) {
    QByteArray stream = workbookStream;
    const int padded = std::max(kMiniCutoff, CeilDiv(int(stream.size()), kSector) * kSector);
    stream.append(QByteArray(padded - stream.size(), '\0'));
    const Plan plan = MakePlan(padded / kSector);
    return Header(plan) + stream + FatSectors(plan) + DifatSectors(plan) +
           DirectorySector(quint32(padded));
}

QByteArray ReadWorkbookStream(const QByteArray& file) {
    return Reader(file).Workbook();
}

}  // namespace tw
