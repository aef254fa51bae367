// INSERT, UPDATE and DELETE. Text or numbers written into a date column pass
// through jet_cdate, so '1/15/2005 8:03 PM' is stored in the storage form.
// DELETE T.* over several tables deletes T's rows found by the join:
// DELETE FROM T WHERE rowid IN (SELECT T.rowid FROM ... WHERE ...).

#include "db/jet/JetErrors.h"
#include "db/jet/TranslatorImpl.h"

namespace tw::jet::detail {

namespace {

inline constexpr int kValueCountMismatch = 3346;

const TableInfo& requireTable(const Catalog& catalog, const QString& name) {
    const TableInfo* info = catalog.findTable(name);
    if (info == nullptr) {
        raise(err::kUnknownTable, QStringLiteral("The database engine cannot find the input table "
                                                 "or query '%1'. Make sure it exists and that its "
                                                 "name is spelled correctly.")
                                      .arg(name));
    }
    return *info;
}

std::vector<ColumnInfo> insertColumns(const TableInfo& table, const std::vector<QString>& names) {
    if (names.empty()) {
        return table.columns;
    }
    std::vector<ColumnInfo> columns;
    for (const QString& name : names) {
        const auto found = std::find_if(
            table.columns.begin(), table.columns.end(),
            [&](const ColumnInfo& c) { return c.name.compare(name, Qt::CaseInsensitive) == 0; });
        if (found == table.columns.end()) {
            raise(kUnknownInsertField,
                  QStringLiteral("The INSERT INTO statement contains the following unknown field "
                                 "name: '%1'. Make sure you have typed the name correctly, and try "
                                 "the operation again.")
                      .arg(name));
        }
        columns.push_back(*found);
    }
    return columns;
}

[[noreturn]] void raiseValueCount() {
    raise(kValueCountMismatch,
          QStringLiteral("Number of query values and destination fields are not the same."));
}

}  // namespace

QString Translator::insert(const InsertStmt& insert) {
    const TableInfo& table = requireTable(catalog_, insert.table);
    const std::vector<ColumnInfo> columns = insertColumns(table, insert.columns);
    QStringList names;
    for (const ColumnInfo& c : columns) {
        names << quoteName(c.name);
    }
    const QString head = QStringLiteral("INSERT INTO %1 (%2) ")
                             .arg(quoteName(table.name), names.join(QStringLiteral(", ")));
    if (!insert.select) {
        if (insert.values.size() != columns.size()) {
            raiseValueCount();
        }
        Scope scope;
        QStringList values;
        for (size_t i = 0; i < columns.size(); ++i) {
            const Typed value = expression(*insert.values[i], scope, Place{});
            values << (columns[i].type == ColumnType::Date ? toDateColumn(value) : value.sql);
        }
        return head + QStringLiteral("VALUES (%1)").arg(values.join(QStringLiteral(", ")));
    }
    const SelectResult source = selectSql(*insert.select, nullptr, false);
    if (source.columns.size() != columns.size()) {
        raiseValueCount();
    }
    bool convert = false;
    QStringList picked;
    for (size_t i = 0; i < columns.size(); ++i) {
        Typed value;
        value.sql = QStringLiteral("\"_source\".") + quoteName(source.columns[i].name);
        value.type = source.columns[i].type;
        const bool toDate = columns[i].type == ColumnType::Date && value.type != ColumnType::Date;
        convert = convert || toDate;
        picked << (toDate ? toDateColumn(value) : value.sql);
    }
    if (!convert) {
        return head + source.sql;
    }
    return head + QStringLiteral("SELECT %1 FROM (%2) AS \"_source\"")
                      .arg(picked.join(QStringLiteral(", ")), source.sql);
}

namespace {

// The tables and ON conditions of an inner-join tree; false for outer joins
// and derived tables, which UPDATE does not take.
bool innerJoinParts(const TableRef& ref, std::vector<const TableRef*>& tables,
                    std::vector<const Expr*>& conditions) {
    switch (ref.kind) {
        case TableRef::Kind::Named:
            tables.push_back(&ref);
            return true;
        case TableRef::Kind::Derived:
            return false;
        case TableRef::Kind::Join:
            break;
    }
    conditions.push_back(ref.on.get());
    return ref.join == JoinKind::Inner && innerJoinParts(*ref.left, tables, conditions) &&
           innerJoinParts(*ref.right, tables, conditions);
}

QString namedSql(const TableRef& ref, const Source& source) {
    return ref.alias.isEmpty()
               ? quoteName(source.table)
               : quoteName(source.table) + QStringLiteral(" AS ") + quoteName(ref.alias);
}

}  // namespace

// UPDATE A INNER JOIN B ON ... SET A.x = B.y WHERE ...: the table of the SET
// columns is updated, the other tables join through UPDATE ... FROM.
QString Translator::update(const UpdateStmt& update) {
    std::vector<const TableRef*> tables;
    std::vector<const Expr*> conditions;
    if (!innerJoinParts(*update.target, tables, conditions)) {
        raiseSyntax(QStringLiteral("UPDATE over outer joins"));
    }
    Scope scope;
    fromSql(*update.target, scope, false);
    QStringList sets;
    QString targetQualifier;
    for (const Assignment& a : update.assignments) {
        const Typed column = columnReference(*a.column, scope, Place{});
        if (!targetQualifier.isEmpty() && column.qualifier != targetQualifier) {
            raise(err::kNotUpdatable, QStringLiteral("Operation must use an updateable query."));
        }
        targetQualifier = column.qualifier;
        const Typed value = expression(*a.value, scope, Place{});
        sets << quoteName(column.column) + QStringLiteral(" = ") +
                    (column.type == ColumnType::Date ? toDateColumn(value) : value.sql);
    }
    QString target;
    QStringList others;
    bool targetIsView = false;
    for (size_t i = 0; i < tables.size(); ++i) {
        const QString sql = namedSql(*tables[i], scope.sources[i]);
        if (scope.sources[i].qualifier == targetQualifier && target.isEmpty()) {
            target = sql;
            targetIsView = scope.sources[i].isView;
        } else {
            others << sql;
        }
    }
    if (targetIsView || target.isEmpty()) {
        raise(err::kNotUpdatable, QStringLiteral("Operation must use an updateable query."));
    }
    QStringList where;
    for (const Expr* on : conditions) {
        where << expression(*on, scope, Place{}).sql;
    }
    if (update.where) {
        where << expression(*update.where, scope, Place{}).sql;
    }
    QString sql = QStringLiteral("UPDATE %1 SET %2").arg(target, sets.join(QStringLiteral(", ")));
    if (!others.isEmpty()) {
        sql += QStringLiteral(" FROM ") + others.join(QStringLiteral(", "));
    }
    if (!where.isEmpty()) {
        sql += QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "));
    }
    return sql;
}

QString Translator::deleteSql(const DeleteStmt& del) {
    Scope scope;
    const QString from = fromList(del.from, scope);
    const QString where =
        del.where ? QStringLiteral(" WHERE ") + expression(*del.where, scope, Place{}).sql
                  : QString();
    const bool single = del.from.size() == 1 && del.from[0]->kind == TableRef::Kind::Named;
    if (single) {
        if (!del.target.isEmpty() &&
            scope.sources[0].qualifier.compare(del.target, Qt::CaseInsensitive) != 0) {
            raise(kDeleteTableMissing, QStringLiteral("Could not delete from specified tables."));
        }
        return QStringLiteral("DELETE FROM ") + from + where;
    }
    const std::vector<Source*> targets =
        del.target.isEmpty() ? std::vector<Source*>{} : sourcesOf(scope, del.target);
    if (targets.size() != 1 || targets[0]->table.isEmpty() || targets[0]->isView) {
        raise(kDeleteTableMissing,
              QStringLiteral("Specify the table containing the records you want to delete."));
    }
    return QStringLiteral("DELETE FROM %1 WHERE rowid IN (SELECT %2.rowid FROM %3%4)")
        .arg(quoteName(targets[0]->table), quoteName(targets[0]->qualifier), from, where);
}

}  // namespace tw::jet::detail
