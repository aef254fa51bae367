#include "download/TextRoutines.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "db/AppError.h"
#include "db/Variant.h"

namespace tw {
namespace {

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

char Upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// The first `c` in [from, last], or last + 1.
const char* NextByte(const char* from, const char* last, char c) {
    const void* found = std::memchr(from, c, static_cast<size_t>(last - from + 1));
    return found != nullptr ? static_cast<const char*>(found) : last + 1;
}

// Whether the marker's bytes after its first match at `at`, ignoring case.
bool MatchesRest(const char* at, const QByteArray& marker) {
    for (qsizetype i = 1; i < marker.size(); ++i) {
        if (Lower(at[i]) != Lower(marker[i])) {
            return false;
        }
    }
    return true;
}

void RequirePosition(qsizetype start) {
    if (start < 1) {
        throw AppError(err::kInvalidArgument, QStringLiteral("Tallywick"),
                       QStringLiteral("Invalid procedure call or argument"));
    }
}

bool IsPlain(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

}  // namespace

QString UrlEncode(const QString& text) {
    static const char kHex[] = "0123456789ABCDEF";
    QString out;
    for (const char byte : text.toUtf8()) {
        const auto c = static_cast<unsigned char>(byte);
        if (c == ' ') {
            out += QLatin1Char('+');
        } else if (IsPlain(c)) {
            out += QLatin1Char(static_cast<char>(c));
        } else {
            out += QLatin1Char('%');
            out += QLatin1Char(kHex[c >> 4]);
            out += QLatin1Char(kHex[c & 15]);
        }
    }
    return out;
}

qsizetype InStr(qsizetype start, const QByteArray& text, const QByteArray& marker) {
    RequirePosition(start);
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
    // Candidates are found by their first byte in either case with memchr;
    // each case's next position is kept until passed, so the text is swept
    // once per case however the two interleave.
    const char* const last = base + (text.size() - m);
    const char lower = Lower(marker[0]);
    const char upper = Upper(lower);
    const char* nextLower = nullptr;
    const char* nextUpper = lower == upper ? last + 1 : nullptr;
    for (const char* p = base + (start - 1); p <= last; ++p) {
        if (nextLower == nullptr || nextLower < p) {
            nextLower = NextByte(p, last, lower);
        }
        if (nextUpper == nullptr || nextUpper < p) {
            nextUpper = NextByte(p, last, upper);
        }
        p = std::min(nextLower, nextUpper);
        if (p > last) {
            return 0;
        }
        if (MatchesRest(p, marker)) {
            return (p - base) + 1;
        }
    }
    return 0;
}

QByteArray ExtractUntil(const QByteArray& text, qsizetype start, char stop) {
    RequirePosition(start);
    if (start > text.size()) {
        return {};
    }
    qsizetype end = text.indexOf(stop, start - 1);
    if (end < 0) {
        end = text.size();
    }
    return TrimBlanks(text.mid(start - 1, end - (start - 1)));
}

QByteArray TrimBlanks(const QByteArray& text) {
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

double LeadingNumber(const QByteArray& text) {
    return Val(QString::fromLatin1(text));
}

int32_t WholeNumber(const QByteArray& text) {
    return static_cast<int32_t>(Variant(LeadingNumber(text)).toLong());
}

int32_t TimeTextSeconds(const QByteArray& text) {
    const double seconds = LeadingNumber(text.left(2)) * 3600 + LeadingNumber(text.mid(3, 2)) * 60 +
                           LeadingNumber(text.right(2));
    return static_cast<int32_t>(Variant(seconds).toLong());
}

QByteArray ReplaceNoCase(QByteArray text, const QByteArray& what, const QByteArray& with) {
    if (what.isEmpty()) {
        return text;
    }
    qsizetype at = InStr(1, text, what);
    while (at > 0) {
        text.replace(at - 1, what.size(), with);
        const qsizetype next = at + with.size();
        at = next > text.size() ? 0 : InStr(next, text, what);
    }
    return text;
}

}  // namespace tw
