// TRANSFORM agg SELECT ... GROUP BY ... PIVOT expr [IN (...)], in two steps:
// the pivot values first (distinct, ascending; or the IN list as written),
// then one conditional aggregate per value. A cell whose combination has no
// rows is Null; a Null pivot value names its column "<>". Rows come in the
// written ORDER BY, then ascending by the row headings.

#include "db/Format.h"
#include "db/Variant.h"
#include "db/jet/JetErrors.h"
#include "db/jet/TranslatorImpl.h"

namespace tw::jet::detail {

QString CollatedSql(const Typed& t);

namespace {

bool IsNumber(ColumnType type) {
    return type == ColumnType::Integer || type == ColumnType::Double;
}

// The pivot expression equal to one value as the first step returned it.
QString PivotCondition(const Typed& pivot, const QString& value) {
    if (value.isNull()) {
        return QStringLiteral("(%1 IS NULL)").arg(pivot.sql);
    }
    bool numeric = false;
    value.toDouble(&numeric);
    if (numeric && (IsNumber(pivot.type) || pivot.type == ColumnType::Unknown)) {
        return QStringLiteral("(%1 = %2)").arg(pivot.sql, value);
    }
    if (pivot.type == ColumnType::Date) {
        const QDateTime when = ParseDateText(value);
        const QString stored = when.isValid() ? ToStorageDateText(when) : value;
        return QStringLiteral("(%1 = %2)").arg(pivot.sql, QuoteText(stored));
    }
    return QStringLiteral("(%1 = %2 COLLATE NOCASE)").arg(pivot.sql, QuoteText(value));
}

QString PivotColumnName(const Typed& pivot, const QString& value) {
    if (value.isNull()) {
        return QStringLiteral("<>");
    }
    bool numeric = false;
    const double number = value.toDouble(&numeric);
    if (numeric && IsNumber(pivot.type)) {
        return GeneralNumber(number);
    }
    if (pivot.type == ColumnType::Date) {
        const QDateTime when = ParseDateText(value);
        return when.isValid() ? GeneralDate(when) : value;
    }
    return value;
}

void RejectStar(const SelectStmt& select) {
    for (const SelectItem& item : select.items) {
        if (item.expr->kind == ExprKind::Star) {
            RaiseSyntax(QStringLiteral("*"));
        }
    }
}

}  // namespace

Translation Translator::Transform(const TransformStmt& transform) {
    const SelectStmt& select = *transform.select;
    RejectStar(select);
    Scope scope;
    const QString from = FromList(select.from, scope);
    Items(select, scope);  // checks the row headings
    Typed pivot = Expression(*transform.pivot, scope, Place{});
    AsValue(pivot);
    Translation translation;
    translation.kind = Translation::Kind::Transform;
    if (transform.pivotIn.empty()) {
        translation.pivotValuesSql =
            QStringLiteral("SELECT DISTINCT %1 FROM %2").arg(CollatedSql(pivot), from);
        if (select.where) {
            translation.pivotValuesSql +=
                QStringLiteral(" WHERE ") + Expression(*select.where, scope, Place{}).sql;
        }
        translation.pivotValuesSql += QStringLiteral(" ORDER BY 1");
    } else {
        QStringList values;
        for (const ExprPtr& e : transform.pivotIn) {
            values << u'(' + Expression(*e, scope, Place{}).sql + u')';
        }
        translation.pivotValuesSql = QStringLiteral("VALUES ") + values.join(QStringLiteral(", "));
    }
    return translation;
}

SelectResult Translator::TransformFinal(const TransformStmt& transform,
                                        const std::vector<QString>& pivotValues) {
    const SelectStmt& select = *transform.select;
    Scope scope;
    const QString from = FromList(select.from, scope);
    const std::vector<OutColumn> headings = Items(select, scope);
    Typed pivot = Expression(*transform.pivot, scope, Place{});
    AsValue(pivot);
    SelectResult result;
    QStringList parts;
    for (const OutColumn& c : headings) {
        parts << c.value.sql + QStringLiteral(" AS ") + QuoteName(c.name);
        result.columns.push_back(ResultColumn{c.name, c.value.type});
    }
    for (const QString& value : pivotValues) {
        const QString condition = PivotCondition(pivot, value);
        Place place;
        place.pivotCondition = &condition;
        const Typed cell = Expression(*transform.value, scope, place);
        const QString name = PivotColumnName(pivot, value);
        parts << QStringLiteral("CASE WHEN count(CASE WHEN %1 THEN 1 END) > 0 THEN %2 END AS %3")
                     .arg(condition, cell.sql, QuoteName(name));
        result.columns.push_back(ResultColumn{name, cell.type});
    }
    QStringList headingOrder;
    for (const ExprPtr& e : select.groupBy) {
        const Typed g = Expression(*e, scope, Place{});
        headingOrder << (g.column.isEmpty() ? CollatedSql(g) : g.sql);
    }
    result.sql = QStringLiteral("SELECT %1 FROM %2").arg(parts.join(QStringLiteral(", ")), from) +
                 Tail(select, scope, headingOrder);
    return result;
}

}  // namespace tw::jet::detail
