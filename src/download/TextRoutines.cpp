#include "download/TextRoutines.h"

#include <algorithm>
#include <cmath>

#include "db/AppError.h"
#include "db/Variant.h"

namespace tw {
namespace {

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
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
    const auto found =
        std::search(text.cbegin() + (start - 1), text.cend(), marker.cbegin(), marker.cend(),
                    [](char a, char b) { return Lower(a) == Lower(b); });
    return found == text.cend() && !marker.isEmpty() ? 0 : (found - text.cbegin()) + 1;
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
