// WHERE and HAVING. A HAVING condition on the grouped columns alone (the
// report's HAVING Player_Gamertag = "...") filters the same rows before the
// grouping as after it, so it joins the WHERE clause, where SQLite can use
// the gamertag index instead of grouping every player first.

#include "db/jet/TranslatorImpl.h"

namespace tw::jet::detail {

namespace {

void splitAnd(const Expr& expr, std::vector<const Expr*>& terms) {
    if (expr.kind == ExprKind::Binary && expr.text == u"AND") {
        splitAnd(*expr.args[0], terms);
        splitAnd(*expr.args[1], terms);
    } else {
        terms.push_back(&expr);
    }
}

bool isAggregateCall(const Expr& expr) {
    if (expr.kind != ExprKind::Call) {
        return false;
    }
    return isAggregateName(expr.text.toUpper());
}

bool inScope(const Scope& scope, const QString& qualifier) {
    for (const Source& s : scope.sources) {
        if (s.qualifier == qualifier) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool Translator::onlyGroupColumns(const Expr& expr, Scope& scope, const QStringList& groupColumns) {
    if (isAggregateCall(expr) || expr.select || expr.kind == ExprKind::Star) {
        return false;
    }
    if (expr.kind == ExprKind::Column) {
        const Typed column = columnReference(expr, scope, Place{});
        return !column.column.isEmpty() && inScope(scope, column.qualifier) &&
               groupColumns.contains(column.sql);
    }
    for (const ExprPtr& arg : expr.args) {
        if (!onlyGroupColumns(*arg, scope, groupColumns)) {
            return false;
        }
    }
    return true;
}

void Translator::filters(const SelectStmt& select, Scope& scope, QStringList& where,
                         QStringList& having) {
    if (select.where) {
        where << expression(*select.where, scope, Place{}).sql;
    }
    if (!select.having) {
        return;
    }
    QStringList groupColumns;
    for (const ExprPtr& e : select.groupBy) {
        if (e->kind == ExprKind::Column) {
            const Typed t = expression(*e, scope, Place{});
            if (!t.column.isEmpty()) {
                groupColumns << t.sql;
            }
        }
    }
    std::vector<const Expr*> terms;
    splitAnd(*select.having, terms);
    for (const Expr* term : terms) {
        const QString sql = expression(*term, scope, Place{}).sql;
        if (!groupColumns.isEmpty() && onlyGroupColumns(*term, scope, groupColumns)) {
            where << sql;
        } else {
            having << sql;
        }
    }
}

}  // namespace tw::jet::detail
