#include "download/TextRoutines.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <string_view>

#include "db/AppError.h"
#include "db/Variant.h"
#include "download/PageCharset.h"

namespace tw {
namespace {

char toLowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

char toUpperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// The first `c` in [from, last], or last + 1 (from may be last + 1).
const char* nextByte(const char* from, const char* last, char c) {
    const void* found = std::memchr(from, c, static_cast<size_t>(last - from + 1));
    return found != nullptr ? static_cast<const char*>(found) : last + 1;
}

// Whether the marker is at `at`, ignoring case.
bool matches(const char* at, QByteArrayView marker) {
    for (qsizetype i = 0; i < marker.size(); ++i) {
        if (toLowerAscii(at[i]) != toLowerAscii(marker[i])) {
            return false;
        }
    }
    return true;
}

// How rarely each byte occurs in the site's pages, roughly: tag and
// attribute punctuation and blanks are everywhere, letters by their English
// frequency (either case), digits in between, other bytes rare.
constexpr std::array<unsigned char, 256> makeRarity() {
    std::array<unsigned char, 256> rarity{};
    for (auto& r : rarity) {
        r = 40;
    }
    for (const char c : std::string_view("<>\"= /\r\n\t")) {
        rarity[static_cast<unsigned char>(c)] = 0;
    }
    for (int d = '0'; d <= '9'; ++d) {
        rarity[d] = 20;
    }
    constexpr std::string_view kLettersCommonFirst = "etaoinsrhldcumfpgwybvkxjqz";
    for (size_t i = 0; i < kLettersCommonFirst.size(); ++i) {
        rarity[static_cast<unsigned char>(kLettersCommonFirst[i])] =
            static_cast<unsigned char>(10 + i);
        rarity[static_cast<unsigned char>(kLettersCommonFirst[i] - 'a' + 'A')] =
            static_cast<unsigned char>(10 + i);
    }
    return rarity;
}

constexpr std::array<unsigned char, 256> kRarity = makeRarity();

// The offset of the marker's rarest byte (the first of equals).
qsizetype rarestByte(QByteArrayView marker) {
    qsizetype best = 0;
    for (qsizetype i = 1; i < marker.size(); ++i) {
        if (kRarity[static_cast<unsigned char>(marker[i])] >
            kRarity[static_cast<unsigned char>(marker[best])]) {
            best = i;
        }
    }
    return best;
}

void requirePosition(qsizetype start) {
    if (start < 1) {
        throw AppError(err::kInvalidArgument, QStringLiteral("Tallywick"),
                       QStringLiteral("Invalid procedure call or argument"));
    }
}

bool isPlain(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

}  // namespace

QString urlEncode(const QString& text) {
    static const char kHex[] = "0123456789ABCDEF";
    // In the pages' own encoding, so the site reads back the name it showed.
    QByteArray bytes;
    if (!toWindows1252(text, &bytes)) {
        throw AppError(err::kInvalidArgument, QStringLiteral("Tallywick"),
                       QStringLiteral("Invalid procedure call or argument"));
    }
    QString out;
    for (const char byte : bytes) {
        const auto c = static_cast<unsigned char>(byte);
        if (c == ' ') {
            out += QLatin1Char('+');
        } else if (isPlain(c)) {
            out += QLatin1Char(static_cast<char>(c));
        } else {
            out += QLatin1Char('%');
            out += QLatin1Char(kHex[c >> 4]);
            out += QLatin1Char(kHex[c & 15]);
        }
    }
    return out;
}

qsizetype inStr(qsizetype start, const QByteArray& text, QByteArrayView marker) {
    requirePosition(start);
    if (start > text.size()) {
        return 0;
    }
    if (marker.isEmpty()) {
        return start;
    }
    const char* const base = text.constData();
    const qsizetype m = marker.size();
    if (m > text.size() - (start - 1)) {
        return 0;
    }
    // Candidates are found with memchr by the marker's rarest byte, so few
    // of them need comparing. Anchors met in order give candidates in order:
    // the first match is the leftmost.
    const qsizetype k = rarestByte(marker);
    const char* const first = base + (start - 1) + k;
    const char* const last = base + (text.size() - m) + k;
    const char lower = toLowerAscii(marker[k]);
    const char upper = toUpperAscii(lower);
    const char* nextLower = nullptr;
    for (const char* q = first; q <= last; ++q) {
        if (nextLower == nullptr || nextLower < q) {
            nextLower = nextByte(q, last, lower);
        }
        // The other case only matters before the next lower-case anchor.
        q = (upper != lower && q < nextLower) ? nextByte(q, nextLower - 1, upper) : nextLower;
        if (q > last) {
            return 0;
        }
        if (matches(q - k, marker)) {
            return (q - k - base) + 1;
        }
    }
    return 0;
}

bool endsWithin(qsizetype start, const QByteArray& text, QByteArrayView marker) {
    requirePosition(start);
    if (start > text.size()) {
        return false;
    }
    if (marker.isEmpty()) {
        return true;
    }
    if (marker.size() > text.size() - (start - 1)) {
        return false;
    }
    const char* const first = text.constData() + (start - 1);
    for (const char* p = text.constData() + (text.size() - marker.size()); p >= first; --p) {
        if (matches(p, marker)) {
            return true;
        }
    }
    return false;
}

QByteArray extractUntil(const QByteArray& text, qsizetype start, char stop) {
    requirePosition(start);
    if (start > text.size()) {
        return {};
    }
    qsizetype end = text.indexOf(stop, start - 1);
    if (end < 0) {
        end = text.size();
    }
    return trimBlanks(text.mid(start - 1, end - (start - 1)));
}

QByteArray trimBlanks(const QByteArray& text) {
    qsizetype first = 0;
    qsizetype end = text.size();
    while (first < end && text[first] == ' ') {
        ++first;
    }
    while (end > first && text[end - 1] == ' ') {
        --end;
    }
    return text.mid(first, end - first);
}

double leadingNumber(const QByteArray& text) {
    return val(QString::fromLatin1(text));
}

int32_t wholeNumber(const QByteArray& text) {
    return static_cast<int32_t>(Variant(leadingNumber(text)).toLong());
}

int32_t timeTextSeconds(const QByteArray& text) {
    const double seconds = leadingNumber(text.left(2)) * 3600 + leadingNumber(text.mid(3, 2)) * 60 +
                           leadingNumber(text.right(2));
    return static_cast<int32_t>(Variant(seconds).toLong());
}

QByteArray replaceNoCase(QByteArray text, const QByteArray& what, const QByteArray& with) {
    if (what.isEmpty()) {
        return text;
    }
    qsizetype at = inStr(1, text, what);
    while (at > 0) {
        text.replace(at - 1, what.size(), with);
        const qsizetype next = at + with.size();
        at = next > text.size() ? 0 : inStr(next, text, what);
    }
    return text;
}

}  // namespace tw
