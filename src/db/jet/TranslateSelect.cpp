// SELECT: the FROM clause with its joins (a RIGHT JOIN becomes a LEFT JOIN
// with the sides swapped; the result columns keep the written order because
// * is expanded here from the catalog), the select list and its names.
//
// Result column names: the alias; else a plain column's name, written
// "Table.Column" (or "Alias.Column") when two result columns share it; else
// Expr1000, Expr1001, ... in the order of the unnamed expressions.

#include "db/jet/JetErrors.h"
#include "db/jet/TranslatorImpl.h"

namespace tw::jet::detail {

QString collatedSql(const Typed& t);

namespace {

[[noreturn]] void raiseUnknownTable(const QString& name) {
    raise(err::kUnknownTable, QStringLiteral("The database engine cannot find the input table or "
                                             "query '%1'. Make sure it exists and that its name "
                                             "is spelled correctly.")
                                  .arg(name));
}

// Text sorts and groups without regard to letter case, as in Jet. Plain
// columns already carry NOCASE from the schema.
QString noCaseUnlessColumn(const Typed& t) {
    return t.column.isEmpty() ? collatedSql(t) : t.sql;
}

}  // namespace

QString Translator::fromList(const std::vector<TableRefPtr>& from, Scope& scope) {
    QStringList parts;
    for (const TableRefPtr& ref : from) {
        parts << fromSql(*ref, scope, false);
    }
    return parts.join(QStringLiteral(", "));
}

QString Translator::fromSql(const TableRef& ref, Scope& scope, bool parenthesise) {
    switch (ref.kind) {
        case TableRef::Kind::Named: {
            const TableInfo* info = catalog_.findTable(ref.name);
            if (info == nullptr) {
                raiseUnknownTable(ref.name);
            }
            scope.sources.push_back(Source{ref.alias.isEmpty() ? info->name : ref.alias, info->name,
                                           info->isView, info->columns});
            return ref.alias.isEmpty()
                       ? quoteName(info->name)
                       : quoteName(info->name) + QStringLiteral(" AS ") + quoteName(ref.alias);
        }
        case TableRef::Kind::Derived: {
            const SelectResult inner = selectSql(*ref.derived, nullptr, false);
            const QString alias =
                ref.alias.isEmpty() ? QStringLiteral("_derived%1").arg(++derivedCount_) : ref.alias;
            Source source{alias, QString(), false, {}};
            for (const ResultColumn& c : inner.columns) {
                source.columns.push_back(ColumnInfo{c.name, c.type});
            }
            scope.sources.push_back(source);
            return QStringLiteral("(%1) AS %2").arg(inner.sql, quoteName(alias));
        }
        case TableRef::Kind::Join:
            break;
    }
    const bool right = ref.join == JoinKind::Right;
    const QString left = fromSql(*ref.left, scope, right);
    const QString other = fromSql(*ref.right, scope, !right);
    const QString on = expression(*ref.on, scope, Place{}).sql;
    QString sql;
    if (right) {
        sql = QStringLiteral("%1 LEFT JOIN %2 ON %3").arg(other, left, on);
    } else {
        sql =
            QStringLiteral("%1 %2 JOIN %3 ON %4")
                .arg(left,
                     ref.join == JoinKind::Left ? QStringLiteral("LEFT") : QStringLiteral("INNER"),
                     other, on);
    }
    return parenthesise ? u'(' + sql + u')' : sql;
}

std::vector<OutColumn> Translator::outputColumns(const SelectStmt& select, Scope& scope) {
    scope.items = &select.items;
    scope.itemCache.assign(select.items.size(), std::nullopt);
    scope.itemBusy.assign(select.items.size(), false);
    std::vector<OutColumn> out;
    std::vector<bool> fromColumn;
    int unnamed = 0;
    for (size_t i = 0; i < select.items.size(); ++i) {
        const SelectItem& item = select.items[i];
        if (item.expr->kind == ExprKind::Star) {
            const std::vector<Source*> sources = sourcesOf(scope, item.expr->qualifier);
            if (sources.empty()) {
                raise(err::kUnknownName, QStringLiteral("Too few parameters. Expected 1. Unknown "
                                                        "name '%1.*'.")
                                             .arg(item.expr->qualifier));
            }
            for (const Source* source : sources) {
                for (const ColumnInfo& c : source->columns) {
                    Typed t;
                    t.sql = quoteName(source->qualifier) + u'.' + quoteName(c.name);
                    t.type = c.type;
                    t.column = c.name;
                    t.qualifier = source->qualifier;
                    out.push_back(OutColumn{t, c.name});
                    fromColumn.push_back(true);
                }
            }
            continue;
        }
        const Typed t = selectItemValue(static_cast<int>(i), scope);
        QString name = item.alias;
        if (name.isEmpty()) {
            name = t.column.isEmpty() ? QStringLiteral("Expr%1").arg(1000 + unnamed++) : t.column;
        }
        fromColumn.push_back(item.alias.isEmpty() && !t.column.isEmpty());
        out.push_back(OutColumn{t, name});
    }
    for (size_t i = 0; i < out.size(); ++i) {
        if (!fromColumn[i]) {
            continue;
        }
        for (size_t j = 0; j < out.size(); ++j) {
            if (j != i && fromColumn[j] &&
                out[j].value.column.compare(out[i].value.column, Qt::CaseInsensitive) == 0) {
                out[i].name = out[i].value.qualifier + u'.' + out[i].value.column;
                break;
            }
        }
    }
    return out;
}

QString Translator::filters(const SelectStmt& select, Scope& scope) {
    QString sql;
    QStringList where;
    QStringList having;
    filters(select, scope, where, having);
    if (!where.isEmpty()) {
        sql += QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "));
    }
    if (!select.groupBy.empty()) {
        QStringList terms;
        for (const ExprPtr& e : select.groupBy) {
            terms << noCaseUnlessColumn(expression(*e, scope, Place{}));
        }
        sql += QStringLiteral(" GROUP BY ") + terms.join(QStringLiteral(", "));
    }
    if (!having.isEmpty()) {
        sql += QStringLiteral(" HAVING ") + having.join(QStringLiteral(" AND "));
    }
    return sql;
}

QStringList Translator::orderTerms(const SelectStmt& select, Scope& scope) {
    QStringList order;
    for (const OrderItem& item : select.orderBy) {
        order << noCaseUnlessColumn(expression(*item.expr, scope, Place{})) +
                     (item.descending ? QStringLiteral(" DESC") : QString());
    }
    return order;
}

QString Translator::tail(const SelectStmt& select, Scope& scope, const QStringList& extraOrder) {
    QString sql = filters(select, scope);
    const QStringList order = orderTerms(select, scope) + extraOrder;
    if (!order.isEmpty()) {
        sql += QStringLiteral(" ORDER BY ") + order.join(QStringLiteral(", "));
    }
    if (select.top && !select.topPercent) {
        sql += QStringLiteral(" LIMIT %1").arg(*select.top);
    }
    return sql;
}

// TOP n with ORDER BY keeps the rows tied with the n-th, as Jet does; TOP n
// PERCENT keeps that share of the rows, rounded up.
QString Translator::topWithTies(const SelectStmt& select, const QString& head, const QString& rest,
                                const QStringList& order, const QStringList& names) {
    const QString position =
        order.isEmpty() ? QStringLiteral("row_number() OVER ()")
                        : QStringLiteral("rank() OVER (ORDER BY %1)").arg(order.join(u", "));
    const QString limit = select.topPercent
                              ? QStringLiteral("(\"_total\" * %1 + 99) / 100").arg(*select.top)
                              : QString::number(*select.top);
    return QStringLiteral(
               "SELECT %1 FROM (%2, %3 AS \"_rank\", count(*) OVER () AS \"_total\"%4) "
               "WHERE \"_rank\" <= %5 ORDER BY \"_rank\"")
        .arg(names.join(u", "), head, position, rest, limit);
}

SelectResult Translator::selectSql(const SelectStmt& select, Scope* parent, bool updatable,
                                   bool withOrder) {
    Scope scope;
    scope.parent = parent;
    const QString from = select.from.empty() ? QString() : fromList(select.from, scope);
    const std::vector<OutColumn> items = outputColumns(select, scope);
    SelectResult result;
    QStringList parts;
    bool aggregate = false;
    for (const OutColumn& c : items) {
        // A condition shown as a value reads -1 for True, as in Jet.
        const QString value = c.value.boolean   ? QStringLiteral("(- %1)").arg(c.value.sql)
                              : select.distinct ? noCaseUnlessColumn(c.value)
                                                : c.value.sql;
        parts << value + QStringLiteral(" AS ") + quoteName(c.name);
        result.columns.push_back(ResultColumn{c.name, c.value.type});
        aggregate = aggregate || c.value.aggregate;
    }
    const bool oneTable = select.from.size() == 1 &&
                          select.from[0]->kind == TableRef::Kind::Named && !scope.sources[0].isView;
    if (updatable && oneTable && !aggregate && !select.distinct && select.groupBy.empty() &&
        !select.having) {
        parts << quoteName(scope.sources[0].qualifier) + QStringLiteral(".rowid AS \"_rowid_\"");
        result.baseTable = scope.sources[0].table;
    }
    const QString head = QStringLiteral("SELECT ") +
                         (select.distinct ? QStringLiteral("DISTINCT ") : QString()) +
                         parts.join(QStringLiteral(", "));
    const QString rest =
        (from.isEmpty() ? QString() : QStringLiteral(" FROM ") + from) + filters(select, scope);
    const QStringList order = withOrder ? orderTerms(select, scope) : QStringList();
    const bool ties = select.top && !select.distinct && (select.topPercent || !order.isEmpty());
    if (!ties) {
        result.sql = head + rest;
        if (!order.isEmpty()) {
            result.sql += QStringLiteral(" ORDER BY ") + order.join(QStringLiteral(", "));
        }
        if (select.top) {
            result.sql += QStringLiteral(" LIMIT %1").arg(*select.top);
        }
        return result;
    }
    QStringList names;
    for (const ResultColumn& c : result.columns) {
        names << quoteName(c.name);
    }
    if (result.baseTable) {
        names << QStringLiteral("\"_rowid_\"");
    }
    result.sql = topWithTies(select, head, rest, order, names);
    return result;
}

}  // namespace tw::jet::detail
