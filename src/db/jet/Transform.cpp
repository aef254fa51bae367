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

QString collatedSql(const Typed& t);

namespace {

bool isNumber(ColumnType type) {
    return type == ColumnType::Integer || type == ColumnType::Double;
}

// The pivot expression equal to one value as the first step returned it.
QString pivotCondition(const Typed& pivot, const QString& value) {
    if (value.isNull()) {
        return QStringLiteral("(%1 IS NULL)").arg(pivot.sql);
    }
    bool numeric = false;
    value.toDouble(&numeric);
    if (numeric && (isNumber(pivot.type) || pivot.type == ColumnType::Unknown)) {
        return QStringLiteral("(%1 = %2)").arg(pivot.sql, value);
    }
    if (pivot.type == ColumnType::Date) {
        const QDateTime when = parseDateText(value);
        const QString stored = when.isValid() ? toStorageDateText(when) : value;
        return QStringLiteral("(%1 = %2)").arg(pivot.sql, quoteText(stored));
    }
    return QStringLiteral("(%1 = %2 COLLATE NOCASE)").arg(pivot.sql, quoteText(value));
}

QString pivotColumnName(const Typed& pivot, const QString& value) {
    if (value.isNull()) {
        return QStringLiteral("<>");
    }
    bool numeric = false;
    const double number = value.toDouble(&numeric);
    if (numeric && isNumber(pivot.type)) {
        return generalNumber(number);
    }
    if (pivot.type == ColumnType::Date) {
        const QDateTime when = parseDateText(value);
        return when.isValid() ? generalDate(when) : value;
    }
    return value;
}

void rejectStar(const SelectStmt& select) {
    for (const SelectItem& item : select.items) {
        if (item.expr->kind == ExprKind::Star) {
            raiseSyntax(QStringLiteral("*"));
        }
    }
}

}  // namespace

Translation Translator::transform(const TransformStmt& transform) {
    const SelectStmt& select = *transform.select;
    rejectStar(select);
    Scope scope;
    const QString from = fromList(select.from, scope);
    outputColumns(select, scope);  // checks the row headings
    Typed pivot = expression(*transform.pivot, scope, Place{});
    asValue(pivot);
    Translation translation;
    translation.kind = Translation::Kind::Transform;
    if (transform.pivotIn.empty()) {
        translation.pivotValuesSql =
            QStringLiteral("SELECT DISTINCT %1 FROM %2").arg(collatedSql(pivot), from);
        if (select.where) {
            translation.pivotValuesSql +=
                QStringLiteral(" WHERE ") + expression(*select.where, scope, Place{}).sql;
        }
        translation.pivotValuesSql += QStringLiteral(" ORDER BY 1");
    } else {
        QStringList values;
        for (const ExprPtr& e : transform.pivotIn) {
            values << u'(' + expression(*e, scope, Place{}).sql + u')';
        }
        translation.pivotValuesSql = QStringLiteral("VALUES ") + values.join(QStringLiteral(", "));
    }
    return translation;
}

SelectResult Translator::transformFinal(const TransformStmt& transform,
                                        const std::vector<QString>& pivotValues) {
    const SelectStmt& select = *transform.select;
    Scope scope;
    const QString from = fromList(select.from, scope);
    const std::vector<OutColumn> headings = outputColumns(select, scope);
    Typed pivot = expression(*transform.pivot, scope, Place{});
    asValue(pivot);
    SelectResult result;
    QStringList parts;
    for (const OutColumn& c : headings) {
        parts << c.value.sql + QStringLiteral(" AS ") + quoteName(c.name);
        result.columns.push_back(ResultColumn{c.name, c.value.type});
    }
    for (const QString& value : pivotValues) {
        const QString condition = pivotCondition(pivot, value);
        Place place;
        place.pivotCondition = &condition;
        const Typed cell = expression(*transform.value, scope, place);
        const QString name = pivotColumnName(pivot, value);
        parts << QStringLiteral("CASE WHEN count(CASE WHEN %1 THEN 1 END) > 0 THEN %2 END AS %3")
                     .arg(condition, cell.sql, quoteName(name));
        result.columns.push_back(ResultColumn{name, cell.type});
    }
    QStringList headingOrder;
    for (const ExprPtr& e : select.groupBy) {
        const Typed g = expression(*e, scope, Place{});
        headingOrder << (g.column.isEmpty() ? collatedSql(g) : g.sql);
    }
    result.sql = QStringLiteral("SELECT %1 FROM %2").arg(parts.join(QStringLiteral(", ")), from) +
                 tail(select, scope, headingOrder);
    return result;
}

}  // namespace tw::jet::detail
