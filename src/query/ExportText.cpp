#include "query/ExportText.h"

namespace tw {
namespace {

bool isNameStart(QChar c) {
    return c.isLetter() || c == QLatin1Char('_') || c == QLatin1Char(':');
}

bool isNameChar(QChar c) {
    return isNameStart(c) || c.isDigit() || c == QLatin1Char('-') || c == QLatin1Char('.') ||
           c.category() == QChar::Mark_NonSpacing || c.category() == QChar::Mark_SpacingCombining;
}

// Allowed by XML 1.0's Char production (surrogate pairs are handled apart).
bool isXmlChar(char16_t c) {
    if (c < 0x20) {
        return c == u'\t' || c == u'\n' || c == u'\r';
    }
    return c != 0xFFFE && c != 0xFFFF;
}

}  // namespace

QString csvField(const QString& text) {
    const bool quote = text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"')) ||
                       text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
    if (!quote) {
        return text;
    }
    QString doubled = text;
    doubled.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + doubled + QLatin1Char('"');
}

QString escapeMarkup(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isSurrogate()) {
            const bool paired =
                c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
            if (paired) {
                out += c;
                out += text[++i];
            }
        } else if (c == QLatin1Char('&')) {
            out += QStringLiteral("&amp;");
        } else if (c == QLatin1Char('<')) {
            out += QStringLiteral("&lt;");
        } else if (c == QLatin1Char('>')) {
            out += QStringLiteral("&gt;");
        } else if (isXmlChar(c.unicode())) {
            out += c;
        }
    }
    return out;
}

QString xmlElementName(const QString& name) {
    if (name.isEmpty()) {
        return QStringLiteral("_");
    }
    QString out;
    out.reserve(name.size() + 1);
    // A colon would start a namespace prefix; it is kept out of our names.
    for (const QChar c : name) {
        out += isNameChar(c) && c != QLatin1Char(':') ? c : QLatin1Char('_');
    }
    if (!isNameStart(out[0])) {
        out.prepend(QLatin1Char('_'));
    }
    return out;
}

}  // namespace tw
