// Number patterns: 0 and # digit placeholders, one decimal point, a comma
// between integer placeholders for thousands grouping, % (value x 100), quoted
// or backslash-escaped literals, any other character as itself, and up to
// four sections separated by ";" (positive; negative; zero; Null).
//
// Rounding is half away from zero on the value's 15-significant-digit decimal
// form, so 0.15 with "0.0" gives 0.2 although the binary double lies below it.
// A value that rounds to zero shows no minus sign ("-0.0" is never shown).

#include <QStringList>
#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

#include "db/FormatPatterns.h"
#include "db/VariantNumbers.h"

namespace tw {

namespace {

struct Layout {
    QString before;         // literal text before the first placeholder
    QString after;          // literal text after the last placeholder
    int integerZeros = 0;   // minimum integer digits
    bool grouping = false;  // "," between integer placeholders
    bool point = false;
    int fractionZeros = 0;  // fraction digits always shown
    int fractionAll = 0;    // fraction digits at most (0 and #)
    bool percent = false;
};

// Splits at ";" outside quotes.
QStringList splitSections(const QString& pattern) {
    QStringList sections{QString()};
    bool quoted = false;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == u'"') {
            quoted = !quoted;
        } else if (c == u'\\' && !quoted && i + 1 < pattern.size()) {
            sections.back() += c;
            sections.back() += pattern[++i];
            continue;
        } else if (c == u';' && !quoted) {
            sections.append(QString());
            continue;
        }
        sections.back() += c;
    }
    return sections;
}

Layout readLayout(const QString& section) {
    Layout layout;
    bool inDigits = false;
    bool seenPlaceholder = false;
    bool seenIntegerZero = false;
    QString* literal = &layout.before;
    for (qsizetype i = 0; i < section.size(); ++i) {
        const QChar c = section[i];
        if (c == u'0' || c == u'#') {
            seenPlaceholder = inDigits = true;
            literal = &layout.after;
            layout.after.clear();
            if (layout.point) {
                ++layout.fractionAll;
                layout.fractionZeros +=
                    (c == u'0' && layout.fractionZeros + 1 == layout.fractionAll);
            } else {
                seenIntegerZero = seenIntegerZero || c == u'0';
                layout.integerZeros += seenIntegerZero ? 1 : 0;
            }
        } else if (c == u'.' && !layout.point) {
            layout.point = true;
            literal = &layout.after;
            layout.after.clear();
        } else if (c == u',' && inDigits && !layout.point) {
            layout.grouping = true;
        } else if (c == u'"') {
            const qsizetype end = section.indexOf(u'"', i + 1);
            *literal += section.mid(i + 1, (end < 0 ? section.size() : end) - i - 1);
            i = end < 0 ? section.size() : end;
            inDigits = false;
        } else if (c == u'\\' && i + 1 < section.size()) {
            *literal += section[++i];
            inDigits = false;
        } else {
            layout.percent = layout.percent || c == u'%';
            *literal += c;
            inDigits = false;
        }
    }
    if (!seenPlaceholder && layout.point) {
        layout.before += u'.';  // a lone point with no digits is literal
        layout.before += layout.after;
        layout.after.clear();
        layout.point = false;
    }
    return layout;
}

// The value rounded half away from zero to `decimals` places, as integer and
// fraction digit strings (integer without leading zeros; fraction of length
// `decimals`), read from its 15-significant-digit decimal form.
void roundedDigits(double magnitude, int decimals, std::string* integer, std::string* fraction) {
    // A value beyond a double (an infinite cell, a percentage of a huge one)
    // has no digits: Overflow, as the general form says.
    if (!std::isfinite(magnitude)) {
        throwOverflow();
    }
    char buffer[64];
    auto end =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 14)
            .ptr;
    const std::string_view text(buffer, size_t(end - buffer));  // d.dddddddddddddde+XX
    const size_t ePos = text.find('e');
    if (ePos < 2 || ePos == std::string_view::npos) {
        throwOverflow();  // to_chars gave no scientific form: cannot happen
    }
    std::string digits;
    digits += text[0];
    digits += text.substr(2, ePos - 2);
    int pointAt = std::stoi(std::string(text.substr(ePos + 1))) + 1;  // digits before the point
    const int keep = pointAt + decimals;
    if (magnitude == 0 || keep < 0) {
        digits.assign(1, '0');
        pointAt = 1;
    } else if (keep < int(digits.size())) {
        const bool up = digits[size_t(keep)] >= '5';
        digits.resize(size_t(keep));
        if (up) {
            int i = keep - 1;
            while (i >= 0 && digits[size_t(i)] == '9') {
                digits[size_t(i--)] = '0';
            }
            if (i >= 0) {
                ++digits[size_t(i)];
            } else {
                digits.insert(digits.begin(), '1');
                ++pointAt;
            }
        }
    }
    while (int(digits.size()) < pointAt + decimals) {
        digits += '0';
    }
    if (pointAt <= 0) {
        digits.insert(0, size_t(1 - pointAt), '0');
        pointAt = 1;
    }
    *integer = digits.substr(0, size_t(pointAt));
    *fraction = digits.substr(size_t(pointAt), size_t(decimals));
    integer->erase(0, std::min(integer->find_first_not_of('0'), integer->size()));
}

QString grouped(const QString& digits) {
    QString out;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            out += u',';
        }
        out += digits[i];
    }
    return out;
}

// Formats |value| into one section's layout; reports whether it shows a
// non-zero digit.
QString formatSection(double magnitude, const Layout& layout, bool* nonZero) {
    std::string integer;
    std::string fraction;
    roundedDigits(layout.percent ? magnitude * 100 : magnitude, layout.fractionAll, &integer,
                  &fraction);
    *nonZero = !integer.empty() || fraction.find_first_not_of('0') != std::string::npos;
    QString integerText = QString::fromLatin1(integer);
    while (integerText.size() < layout.integerZeros) {
        integerText.prepend(u'0');
    }
    if (layout.grouping) {
        integerText = grouped(integerText);
    }
    while (int(fraction.size()) > layout.fractionZeros && fraction.back() == '0') {
        fraction.pop_back();
    }
    QString out = layout.before + integerText;
    if (layout.point) {
        out += u'.' + QString::fromLatin1(fraction);
    }
    return out + layout.after;
}

}  // namespace

bool isNumberPattern(const QString& pattern) {
    bool quoted = false;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == u'"') {
            quoted = !quoted;
        } else if (c == u'\\') {
            ++i;
        } else if (!quoted && (c == u'0' || c == u'#')) {
            return true;
        }
    }
    return false;
}

QString formatNumberPattern(double value, const QString& pattern) {
    if (!std::isfinite(value)) {
        throwOverflow();
    }
    const QStringList sections = splitSections(pattern);
    if (value == 0 && sections.size() >= 3 && !sections[2].isEmpty()) {
        bool ignored = false;
        return formatSection(0, readLayout(sections[2]), &ignored);
    }
    bool nonZero = false;
    if (value < 0 && sections.size() >= 2 && !sections[1].isEmpty()) {
        return formatSection(-value, readLayout(sections[1]), &nonZero);
    }
    const QString text = formatSection(std::fabs(value), readLayout(sections[0]), &nonZero);
    return value < 0 && nonZero ? u'-' + text : text;
}

}  // namespace tw
