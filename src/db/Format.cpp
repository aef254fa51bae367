#include "db/Format.h"

#include <QHash>

#include "db/FormatPatterns.h"
#include "db/VariantNumbers.h"

namespace tw {

namespace {

// The named formats a saved query may use, as the patterns they stand for.
QString NamedPattern(const QString& pattern) {
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

bool IsGeneralPattern(const QString& pattern) {
    const QString lower = pattern.toLower();
    return pattern.isEmpty() || lower == QStringLiteral("general number") ||
           lower == QStringLiteral("general date");
}

QString FormatAsDate(const Variant& value, const QString& pattern) {
    if (value.type() == Variant::Type::Text) {
        const QDateTime parsed = ParseDateText(value.toText());
        if (parsed.isValid()) {
            return FormatDatePattern(parsed, pattern);
        }
        const auto number = ParseNumberText(value.toText());
        if (!number) {
            return value.toText();  // text that is no date stays as it is
        }
        return FormatAsDate(Variant(*number), pattern);
    }
    return FormatDatePattern(value.toDateTime(), pattern);
}

QString FormatAsNumber(const Variant& value, const QString& pattern) {
    if (value.type() == Variant::Type::Text && !ParseNumberText(value.toText())) {
        return value.toText();  // text that is no number stays as it is
    }
    return FormatNumberPattern(value.toDouble(), pattern);
}

}  // namespace

QString Format(const Variant& value, const QString& pattern) {
    if (value.isNull()) {
        return QString();
    }
    if (IsGeneralPattern(pattern)) {
        if (pattern.compare(QStringLiteral("general number"), Qt::CaseInsensitive) == 0 &&
            value.type() == Variant::Type::Date) {
            return GeneralNumber(value.toDouble());
        }
        return value.toText();
    }
    const QString resolved = NamedPattern(pattern);
    if (IsNumberPattern(resolved)) {
        return FormatAsNumber(value, resolved);
    }
    if (IsDatePattern(resolved)) {
        return FormatAsDate(value, resolved);
    }
    return resolved;  // a pattern of literals only shows itself
}

}  // namespace tw
