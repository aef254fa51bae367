#include "db/Format.h"

#include <QHash>

#include "db/FormatPatterns.h"
#include "db/VariantNumbers.h"

namespace tw {

namespace {

// The named formats a saved query may use, as the patterns they stand for.
QString namedPattern(const QString& pattern) {
    static const QHash<QString, QString> kNamed = {
        {QStringLiteral("fixed"), QStringLiteral("0.00")},
        {QStringLiteral("standard"), QStringLiteral("#,##0.00")},
        {QStringLiteral("percent"), QStringLiteral("0.00%")},
        {QStringLiteral("currency"), QStringLiteral("$#,##0.00;($#,##0.00)")},
        {QStringLiteral("short date"), QStringLiteral("m/d/yyyy")},
        {QStringLiteral("medium date"), QStringLiteral("dd-mmm-yy")},
        {QStringLiteral("long date"), QStringLiteral("dddd, mmmm d, yyyy")},
        {QStringLiteral("short time"), QStringLiteral("hh:mm")},
        {QStringLiteral("medium time"), QStringLiteral("hh:mm AMPM")},
        {QStringLiteral("long time"), QStringLiteral("h:mm:ss AMPM")},
    };
    return kNamed.value(pattern.toLower(), pattern);
}

bool isGeneralPattern(const QString& pattern) {
    const QString lower = pattern.toLower();
    return pattern.isEmpty() || lower == QStringLiteral("general number") ||
           lower == QStringLiteral("general date");
}

QString formatAsDate(const Variant& value, const QString& pattern) {
    if (value.type() == Variant::Type::Text) {
        const QDateTime parsed = parseDateText(value.toText());
        if (parsed.isValid()) {
            return formatDatePattern(parsed, pattern);
        }
        const auto number = parseNumberText(value.toText());
        if (!number) {
            return value.toText();  // text that is no date stays as it is
        }
        return formatAsDate(Variant(*number), pattern);
    }
    return formatDatePattern(value.toDateTime(), pattern);
}

QString formatAsNumber(const Variant& value, const QString& pattern) {
    if (value.type() == Variant::Type::Text && !parseNumberText(value.toText())) {
        return value.toText();  // text that is no number stays as it is
    }
    return formatNumberPattern(value.toDouble(), pattern);
}

}  // namespace

QString format(const Variant& value, const QString& pattern) {
    if (value.isNull()) {
        return QString();
    }
    if (isGeneralPattern(pattern)) {
        if (pattern.compare(QStringLiteral("general number"), Qt::CaseInsensitive) == 0 &&
            value.type() == Variant::Type::Date) {
            return generalNumber(value.toDouble());
        }
        return value.toText();
    }
    QString resolved = namedPattern(pattern);
    if (isNumberPattern(resolved)) {
        return formatAsNumber(value, resolved);
    }
    if (isDatePattern(resolved)) {
        return formatAsDate(value, resolved);
    }
    return resolved;  // a pattern of literals only shows itself
}

}  // namespace tw
