#include "db/VariantNumbers.h"

#include <charconv>
#include <cmath>
#include <string>

#include "db/AppError.h"
#include "db/Format.h"
#include "db/Variant.h"

namespace tw {

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}
bool isAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Reads plain ASCII digits and points with from_chars, which ignores the
// process locale (Qt sets LC_ALL from the environment, so strtod would not).
double readPlain(const std::string& digits) {
    double value = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return value;
}

}  // namespace

double val(const QString& text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && isBlank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    std::string digits;
    bool seenPoint = false;
    bool seenDigit = false;
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (isAsciiDigit(c)) {
            digits += static_cast<char>(c.unicode());
            seenDigit = true;
        } else if (c == u'.' && !seenPoint) {
            digits += '.';
            seenPoint = true;
        } else {
            break;
        }
    }
    if (!seenDigit) {
        return 0;
    }
    const double value = readPlain(digits);
    return negative ? -value : value;
}

std::optional<double> parseNumberText(const QString& text) {
    const QString t = text.trimmed();
    qsizetype i = 0;
    const qsizetype n = t.size();
    bool negative = false;
    if (i < n && (t[i] == u'+' || t[i] == u'-')) {
        negative = t[i] == u'-';
        ++i;
    }
    std::string digits;
    int mantissaDigits = 0;
    while (i < n && isAsciiDigit(t[i])) {
        digits += static_cast<char>(t[i++].unicode());
        ++mantissaDigits;
    }
    if (i < n && t[i] == u'.') {
        digits += '.';
        ++i;
        while (i < n && isAsciiDigit(t[i])) {
            digits += static_cast<char>(t[i++].unicode());
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0) {
        return std::nullopt;
    }
    if (i < n && (t[i] == u'e' || t[i] == u'E')) {
        digits += 'e';
        ++i;
        if (i < n && (t[i] == u'+' || t[i] == u'-')) {
            digits += static_cast<char>(t[i++].unicode());
        }
        int exponentDigits = 0;
        while (i < n && isAsciiDigit(t[i])) {
            digits += static_cast<char>(t[i++].unicode());
            ++exponentDigits;
        }
        if (exponentDigits == 0) {
            return std::nullopt;
        }
    }
    if (i != n) {
        return std::nullopt;
    }
    const double value = readPlain(digits);
    if (!std::isfinite(value)) {
        throwOverflow();
    }
    return negative ? -value : value;
}

double roundHalfEven(double value) {
    const double whole = std::floor(value);
    const double rest = value - whole;
    if (rest > 0.5) {
        return whole + 1;
    }
    if (rest < 0.5) {
        return whole;
    }
    return std::fmod(whole, 2.0) == 0 ? whole : whole + 1;
}

QString generalNumber(double value) {
    if (value == 0) {
        return QStringLiteral("0");  // also for -0
    }
    if (!std::isfinite(value)) {
        throwOverflow();
    }
    // printf's %.15G in the C locale: 15 significant digits, trailing zeros
    // dropped, exponent form below 1E-4 and from 1E+15; the exponent keeps at
    // least two digits as classic VB shows it (1E+20, 1E-05).
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    QString text = QString::fromLatin1(buffer, result.ptr - buffer);
    return text.toUpper();
}

[[noreturn]] void throwOverflow() {
    throw AppError(err::kOverflow, kConversionErrorSource, QStringLiteral("Overflow"));
}

[[noreturn]] void throwTypeMismatch() {
    throw AppError(err::kTypeMismatch, kConversionErrorSource, QStringLiteral("Type mismatch"));
}

[[noreturn]] void throwInvalidUseOfNull() {
    throw AppError(err::kInvalidUseOfNull, kConversionErrorSource,
                   QStringLiteral("Invalid use of Null"));
}

}  // namespace tw
