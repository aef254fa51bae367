#include "report/ReportTokens.h"

namespace tw {

namespace {

bool isNameByte(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

}  // namespace

QString htmlEscaped(const QString& text) {
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
            case '&':
                escaped += QLatin1String("&amp;");
                break;
            case '<':
                escaped += QLatin1String("&lt;");
                break;
            case '>':
                escaped += QLatin1String("&gt;");
                break;
            case '"':
                escaped += QLatin1String("&quot;");
                break;
            case '\'':
                escaped += QLatin1String("&#39;");
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

void ReportPage::fill(const char* token, const QString& text) {
    fillHtml(token, htmlEscaped(text));
}

void ReportPage::fillHtml(const char* token, const QString& html) {
    const QByteArray key = QByteArray(token).toUpper();
    if (!values_.contains(key)) {
        values_.insert(key, html.toUtf8());
    }
}

bool ReportPage::isFilled(const char* token) const {
    return values_.contains(QByteArray(token).toUpper());
}

QByteArray ReportPage::render() const {
    QByteArray page;
    page.reserve(template_.size());
    const qsizetype size = template_.size();
    qsizetype copiedUpTo = 0;
    qsizetype at = template_.indexOf('?');
    while (at >= 0) {
        qsizetype end = at + 1;
        while (end < size && isNameByte(template_[end])) {
            ++end;
        }
        // A "?" that does not open a known token is text; the search goes on
        // from the next byte, so "?x?NAME?" still finds "?NAME?".
        if (end > at + 1 && end < size && template_[end] == '?') {
            const auto found = values_.constFind(template_.mid(at, end + 1 - at).toUpper());
            if (found != values_.constEnd()) {
                page.append(template_.constData() + copiedUpTo, at - copiedUpTo);
                page.append(*found);
                copiedUpTo = end + 1;
                at = template_.indexOf('?', copiedUpTo);
                continue;
            }
        }
        at = template_.indexOf('?', at + 1);
    }
    page.append(template_.constData() + copiedUpTo, size - copiedUpTo);
    return page;
}

}  // namespace tw
