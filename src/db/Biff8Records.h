#pragma once
// Byte-level pieces of BIFF8 records: little-endian numbers, Unicode strings,
// and a reader that walks the records of a stream with bounds checks.

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace tw::biff8 {

inline constexpr int kMaxRecordBody = 8224;

namespace id {
inline constexpr uint16_t kBof = 0x0809;
inline constexpr uint16_t kEof = 0x000A;
inline constexpr uint16_t kCodePage = 0x0042;
inline constexpr uint16_t kWindow1 = 0x003D;
inline constexpr uint16_t kDateMode = 0x0022;
inline constexpr uint16_t kFont = 0x0031;
inline constexpr uint16_t kXf = 0x00E0;
inline constexpr uint16_t kStyle = 0x0293;
inline constexpr uint16_t kBoundSheet = 0x0085;
inline constexpr uint16_t kSst = 0x00FC;
inline constexpr uint16_t kContinue = 0x003C;
inline constexpr uint16_t kWriteAccess = 0x005C;
inline constexpr uint16_t kWsBool = 0x0081;
inline constexpr uint16_t kDimensions = 0x0200;
inline constexpr uint16_t kLabelSst = 0x00FD;
inline constexpr uint16_t kNumber = 0x0203;
inline constexpr uint16_t kWindow2 = 0x023E;
}  // namespace id

// Cell formats (XF indexes) of the workbooks written here.
namespace xf {
inline constexpr uint16_t kGeneral = 15;
inline constexpr uint16_t kDate = 16;    // built-in format 22, m/d/yy h:mm
inline constexpr uint16_t kHeader = 17;  // bold
inline constexpr int kCount = 18;
}  // namespace xf

// Marker in the WRITEACCESS record by which our own workbooks are known.
inline constexpr char kWriterName[] = "Tallywick";

void append8(QByteArray& out, uint8_t value);
void append16(QByteArray& out, uint16_t value);
void append32(QByteArray& out, uint32_t value);
void appendDouble(QByteArray& out, double value);

// Record header (id, length) followed by the body; the body must be at most
// kMaxRecordBody bytes.
void appendRecord(QByteArray& out, uint16_t id, const QByteArray& body);

// True when every character fits the compressed (Latin-1) form.
bool fitsCompressed(const QString& text);

// The characters of `text` in the compressed or the 16-bit form.
QByteArray stringChars(const QString& text, bool compressed);

// ShortXLUnicodeString (8-bit length) or XLUnicodeString (16-bit length).
QByteArray unicodeString(const QString& text, bool shortLength);

struct Record {
    uint16_t id = 0;
    qsizetype offset = 0;  // of the record header in the stream
    QByteArray body;
};

// Walks records from an offset. Next() raises error 3274 when a header or a
// body runs past the end of the stream.
class RecordReader {
  public:
    RecordReader(const QByteArray& stream, qsizetype offset) : stream_(stream), at_(offset) {}
    Record next();
    qsizetype offset() const { return at_; }

  private:
    const QByteArray& stream_;
    qsizetype at_;
};

uint16_t read16(const QByteArray& body, qsizetype at);
uint32_t read32(const QByteArray& body, qsizetype at);

}  // namespace tw::biff8
