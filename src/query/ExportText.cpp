#include "query/ExportText.h"

namespace tw {
namespace {

bool IsNameStart(QChar c) {
    return c.isLetter() || c == QLatin1Char('_') || c == QLatin1Char(':');
}

bool IsNameChar(QChar c) {
    return IsNameStart(c) || c.isDigit() || c == QLatin1Char('-') || c == QLatin1Char('.') ||
           c.category() == QChar::Mark_NonSpacing || c.category() == QChar::Mark_SpacingCombining;
}

}  // namespace

QString CsvField(const QString& text) {
    const bool quote = text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"')) ||
                       text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
    if (!quote) {
        return text;
    }
    QString doubled = text;
    doubled.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + doubled + QLatin1Char('"');
}

QString EscapeMarkup(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == QLatin1Char('&')) {
            out += QStringLiteral("&amp;");
        } else if (c == QLatin1Char('<')) {
            out += QStringLiteral("&lt;");
        } else if (c == QLatin1Char('>')) {
            out += QStringLiteral("&gt;");
        } else {
            out += c;
        }
    }
    return out;
}

QString XmlElementName(const QString& name) {
    if (name.isEmpty()) {
        return QStringLiteral("_");
    }
    QString out;
    out.reserve(name.size() + 1);
    // A colon would start a namespace prefix; it is kept out of our names.
    for (const QChar c : name) {
        out += IsNameChar(c) && c != QLatin1Char(':') ? c : QLatin1Char('_');
    }
    if (!IsNameStart(out[0])) {
        out.prepend(QLatin1Char('_'));
    }
    return out;
}

}  // namespace tw
