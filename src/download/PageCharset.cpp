#include "download/PageCharset.h"

#include <QStringDecoder>
#include <algorithm>
#include <array>

#include "download/TextRoutines.h"

namespace tw {
namespace {

// The characters of bytes 0x80 to 0x9F; the unassigned ones keep their code.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// How far into the body a meta element declaring the charset is looked for.
constexpr qsizetype kMetaSearchBytes = 4096;

bool hasHighBytes(const QByteArray& bytes) {
    return std::any_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

bool isValidUtf8(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

QByteArray charsetAfter(const QByteArray& text, qsizetype from, qsizetype limit) {
    const qsizetype at = inStr(from, text, "charset=");
    if (at == 0 || at > limit) {
        return {};
    }
    qsizetype i = at - 1 + 8;
    while (i < text.size() && (text[i] == '"' || text[i] == '\'')) {
        ++i;
    }
    QByteArray name;
    while (i < text.size()) {
        const char c = text[i];
        const bool part = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                          (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.' || c == ':';
        if (!part) {
            break;
        }
        name += c;
        ++i;
    }
    return name.toLower();
}

}  // namespace

bool toWindows1252(const QString& text, QByteArray* bytes) {
    bytes->clear();
    bytes->reserve(text.size());
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            bytes->append(static_cast<char>(u));
            continue;
        }
        const auto* found = std::find(kHighControls.begin(), kHighControls.end(), u);
        if (found == kHighControls.end()) {
            return false;
        }
        bytes->append(static_cast<char>(0x80 + (found - kHighControls.begin())));
    }
    return true;
}

QString fromWindows1252(QByteArrayView bytes) {
    QString text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto c = static_cast<unsigned char>(byte);
        text += (c >= 0x80 && c < 0xA0) ? QChar(kHighControls[c - 0x80]) : QChar(c);
    }
    return text;
}

QByteArray declaredCharset(const QByteArray& page) {
    const qsizetype blank = page.indexOf("\r\n\r\n");
    const qsizetype headerEnd = blank < 0 ? 0 : blank + 4;
    if (headerEnd > 0) {
        QByteArray fromHeader = charsetAfter(page, 1, headerEnd);
        if (!fromHeader.isEmpty()) {
            return fromHeader;
        }
    }
    if (headerEnd >= page.size()) {
        return {};
    }
    return charsetAfter(page, headerEnd + 1, headerEnd + kMetaSearchBytes);
}

QByteArray pageAsUtf8(const QByteArray& page) {
    if (!hasHighBytes(page)) {
        return page;
    }
    const QByteArray charset = declaredCharset(page);
    if (charset == "utf-8" || charset == "utf8") {
        return page;
    }
    if (charset.isEmpty() && isValidUtf8(page)) {
        return page;
    }
    return fromWindows1252(page).toUtf8();
}

}  // namespace tw
