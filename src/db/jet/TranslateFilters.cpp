// WHERE and HAVING. A HAVING condition on the grouped columns alone (the
// report's HAVING Player_Gamertag = "...") filters the same rows before the
// grouping as after it, so it joins the WHERE clause, where SQLite can use
// the gamertag index instead of grouping every player first.

#include "db/jet/TranslatorImpl.h"

namespace tw::jet::detail {

namespace {

void SplitAnd(const Expr& expr, std::vector<const Expr*>& terms) {
    if (expr.kind == ExprKind::Binary && expr.text == u"AND") {
        SplitAnd(*expr.args[0], terms);
        SplitAnd(*expr.args[1], terms);
    } else {
        terms.push_back(&expr);
    }
}

bool IsAggregateCall(const Expr& expr) {
    if (expr.kind != ExprKind::Call) {
        return false;
    }
    return IsAggregateName(expr.text.toUpper());
}

bool InScope(const Scope& scope, const QString& qualifier) {
    for (const Source& s : scope.sources) {
        if (s.qualifier == qualifier) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool Translator::OnlyGroupColumns(const Expr& expr, Scope& scope, const QStringList& groupColumns) {
    if (IsAggregateCall(expr) || expr.select || expr.kind == ExprKind::Star) {
        return false;
    }
    if (expr.kind == ExprKind::Column) {
        const Typed column = Column(expr, scope, Place{});
        return !column.column.isEmpty() && InScope(scope, column.qualifier) &&
               groupColumns.contains(column.sql);
    }
    for (const ExprPtr& arg : expr.args) {
        if (!OnlyGroupColumns(*arg, scope, groupColumns)) {
            return false;
        }
    }
    return true;
}

void Translator::Filters(const SelectStmt& select, Scope& scope, QStringList& where,
                         QStringList& having) {
    if (select.where) {
        where << Expression(*select.where, scope, Place{}).sql;
    }
    if (!select.having) {
        return;
    }
    QStringList groupColumns;
    for (const ExprPtr& e : select.groupBy) {
        if (e->kind == ExprKind::Column) {
            const Typed t = Expression(*e, scope, Place{});
            if (!t.column.isEmpty()) {
                groupColumns << t.sql;
            }
        }
    }
    std::vector<const Expr*> terms;
    SplitAnd(*select.having, terms);
    for (const Expr* term : terms) {
        const QString sql = Expression(*term, scope, Place{}).sql;
        if (!groupColumns.isEmpty() && OnlyGroupColumns(*term, scope, groupColumns)) {
            where << sql;
        } else {
            having << sql;
        }
    }
}

}  // namespace tw::jet::detail
