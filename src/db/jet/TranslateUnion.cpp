// SELECT ... UNION [ALL] SELECT ...: the result takes its column names and
// types from the first SELECT; the ORDER BY after the last SELECT sorts the
// whole result and names result columns (or their positions).

#include "db/jet/JetErrors.h"
#include "db/jet/TranslatorImpl.h"

namespace tw::jet::detail {

namespace {

QString unionOrderTerm(const OrderItem& item, const std::vector<ResultColumn>& columns) {
    QString term;
    if (item.expr->kind == ExprKind::Integer) {
        term = item.expr->text;
    } else if (item.expr->kind == ExprKind::Column) {
        for (const ResultColumn& c : columns) {
            if (c.name.compare(item.expr->text, Qt::CaseInsensitive) == 0) {
                term = quoteName(c.name);
            }
        }
    }
    if (term.isEmpty()) {
        raiseSyntax(item.expr->text);
    }
    term += QStringLiteral(" COLLATE NOCASE");
    return item.descending ? term + QStringLiteral(" DESC") : term;
}

// A part with TOP keeps its own limit (and its order) inside a sub-select.
QString partSql(const SelectResult& part, const SelectStmt& select) {
    return select.top ? QStringLiteral("SELECT * FROM (%1)").arg(part.sql) : part.sql;
}

}  // namespace

SelectResult Translator::unionSql(const Statement& statement) {
    const SelectStmt& last = *statement.unions.back().select;
    SelectResult result =
        selectSql(*statement.select, nullptr, false, statement.select->top.has_value());
    result.sql = partSql(result, *statement.select);
    for (size_t i = 0; i < statement.unions.size(); ++i) {
        const UnionPart& part = statement.unions[i];
        const bool isLast = i + 1 == statement.unions.size();
        const SelectResult next =
            selectSql(*part.select, nullptr, false, part.select->top.has_value() && !isLast);
        if (next.columns.size() != result.columns.size()) {
            raise(err::kEngineFailure,
                  QStringLiteral("The number of columns in the two selected tables or queries of "
                                 "a union query do not match."));
        }
        result.sql += (part.all ? QStringLiteral(" UNION ALL ") : QStringLiteral(" UNION ")) +
                      partSql(next, *part.select);
    }
    QStringList order;
    for (const OrderItem& item : last.orderBy) {
        order << unionOrderTerm(item, result.columns);
    }
    if (!order.isEmpty()) {
        result.sql += QStringLiteral(" ORDER BY ") + order.join(QStringLiteral(", "));
    }
    return result;
}

}  // namespace tw::jet::detail
