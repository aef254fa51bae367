#pragma once
// The translator's inner parts: name scopes, typed SQL pieces and the class
// that walks the syntax tree. Only the files of this folder include it.

#include <QString>
#include <optional>
#include <vector>

#include "db/jet/Ast.h"
#include "db/jet/Catalog.h"
#include "db/jet/Translator.h"

namespace tw::jet::detail {

// A piece of SQLite SQL with what the translator knows of its value.
struct Typed {
    QString sql;
    ColumnType type = ColumnType::Unknown;
    bool aggregate = false;    // holds an aggregate call (not inside a sub-select)
    bool boolean = false;      // a comparison or logical value (Jet's True is -1)
    bool textLiteral = false;  // a '..' literal; literalText holds its value
    QString literalText;
    // Set for a plain column reference (names the result column).
    QString column;
    QString qualifier;
};

// One table, stored query or derived table of a FROM clause.
struct Source {
    QString qualifier;  // alias, else the table's stored name
    QString table;      // stored name; empty for a derived table
    bool isView = false;
    std::vector<ColumnInfo> columns;
};

// The names one SELECT can see: its FROM sources, its select-list aliases,
// and (for correlated sub-selects) the scopes around it.
struct Scope {
    Scope* parent = nullptr;
    std::vector<Source> sources;
    const std::vector<SelectItem>* items = nullptr;
    std::vector<std::optional<Typed>> itemCache;
    std::vector<bool> itemBusy;
};

// Where an expression stands, for the alias rule and the crosstab.
struct Place {
    bool selectList = false;
    int item = -1;                            // index of the select item being translated
    int aggregateDepth = 0;                   // > 0 inside an aggregate's argument
    const QString* pivotCondition = nullptr;  // crosstab cell: count only these rows
};

// A result column of a select list: its value and the name Jet gives it.
struct OutColumn {
    Typed value;
    QString name;
};

struct SelectResult {
    QString sql;
    std::vector<ResultColumn> columns;
    std::optional<QString> baseTable;
};

QString quoteName(const QString& name);
// Count, Sum, Avg, Min, Max, First, Last, StDev, StDevP, Var, VarP (upper case).
bool isAggregateName(const QString& upper);
QString quoteText(const QString& text);
bool isTextType(const Typed& t);

class Translator {
  public:
    explicit Translator(const Catalog& catalog) : catalog_(catalog) {}

    Translation run(const Statement& statement);

    // SELECT (TranslateSelect.cpp)
    SelectResult selectSql(const SelectStmt& select, Scope* parent, bool updatable,
                           bool withOrder = true);
    SelectResult unionSql(const Statement& statement);  // TranslateUnion.cpp
    QString fromSql(const TableRef& ref, Scope& scope, bool parenthesise);
    QString fromList(const std::vector<TableRefPtr>& from, Scope& scope);
    std::vector<OutColumn> outputColumns(const SelectStmt& select, Scope& scope);
    QString tail(const SelectStmt& select, Scope& scope, const QStringList& extraOrder = {});
    QString filters(const SelectStmt& select, Scope& scope);  // WHERE, GROUP BY, HAVING
    QStringList orderTerms(const SelectStmt& select, Scope& scope);
    static QString topWithTies(const SelectStmt& select, const QString& head, const QString& rest,
                               const QStringList& order, const QStringList& names);
    // WHERE and HAVING conditions (TranslateFilters.cpp).
    void filters(const SelectStmt& select, Scope& scope, QStringList& where, QStringList& having);
    bool onlyGroupColumns(const Expr& expr, Scope& scope, const QStringList& groupColumns);

    // Expressions (TranslateExpr.cpp, TranslateCalls.cpp)
    Typed expression(const Expr& expr, Scope& scope, const Place& place);
    Typed columnReference(const Expr& expr, Scope& scope, const Place& place);
    Typed call(const Expr& expr, Scope& scope, const Place& place);
    Typed aggregate(const QString& name, const Expr& expr, Scope& scope, const Place& place);
    Typed selectItemValue(int index, Scope& scope);
    std::optional<Typed> findColumn(Scope& scope, const QString& qualifier, const QString& name);
    static std::vector<Source*> sourcesOf(Scope& scope, const QString& qualifier);

    // Actions (TranslateActions.cpp) and crosstab (Transform.cpp)
    QString insert(const InsertStmt& insert);
    QString update(const UpdateStmt& update);
    QString deleteSql(const DeleteStmt& del);
    Translation transform(const TransformStmt& transform);
    SelectResult transformFinal(const TransformStmt& transform,
                                const std::vector<QString>& pivotValues);

    const Catalog& catalog() const { return catalog_; }

  private:
    Typed expressionValue(const Expr& expr, Scope& scope, const Place& place);
    Typed binary(const Expr& expr, Scope& scope, const Place& place);
    Typed concat(const Expr& expr, Scope& scope, const Place& place);
    Typed comparison(const QString& op, Typed lhs, Typed rhs);
    static Typed dateArithmetic(const QString& op, const Typed& lhs, const Typed& rhs);
    Typed like(const Expr& expr, Scope& scope, const Place& place);
    Typed in(const Expr& expr, Scope& scope, const Place& place);
    Typed subSelect(const SelectStmt& select, Scope& scope);
    QString toDateColumn(const Typed& value) const;

    const Catalog& catalog_;
    int derivedCount_ = 0;
};

// A condition used as a value (in arithmetic, comparisons, function
// arguments, aggregates) counts True as -1, as in Jet; conditions keep
// SQLite's own form where they decide (WHERE, ON, IIf), so indexes apply.
void asValue(Typed& t);

// Text for a value joined or cut as text: dates in the general date form,
// doubles in VB's general number form.
QString asText(const Typed& t);

}  // namespace tw::jet::detail
