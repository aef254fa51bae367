#pragma once
// The syntax tree of one Jet SQL statement, as the parser builds it and the
// translator walks it. Names keep the letter case they were written in.

#include <QString>
#include <memory>
#include <optional>
#include <vector>

namespace tw::jet {

struct SelectStmt;
struct Expr;
using ExprPtr = std::unique_ptr<Expr>;

enum class ExprKind {
    Null,
    Integer,   // text: the digits
    Double,    // text: the number as written
    Text,      // text: the value, quotes removed
    Date,      // text: storage form "yyyy-MM-dd HH:mm:ss"
    Boolean,   // text: "-1" or "0"
    Column,    // qualifier (may be empty) + text; bracketed when written [..]
    Star,      // * or qualifier.*
    Unary,     // text: "-", "+", "NOT"; args[0]
    Binary,    // text: operator upper-cased; args[0], args[1]
    Call,      // text: function name; args; star for Count(*)
    IsNull,    // args[0]; negated for Is Not Null
    In,        // args[0] In (args[1..]) or In (select); negated for Not In
    Between,   // args[0] Between args[1] And args[2]
    Like,      // args[0] Like args[1]
    Subquery,  // (select ...)
    Exists,    // Exists (select ...)
};

struct Expr {
    ExprKind kind = ExprKind::Null;
    QString text;
    QString qualifier;
    std::vector<ExprPtr> args;
    std::unique_ptr<SelectStmt> select;
    bool negated = false;
    bool bracketed = false;
    bool star = false;
    int height = 1;  // of an operator chain (Binary)
};

enum class JoinKind { Inner, Left, Right };

struct TableRef {
    enum class Kind { Named, Join, Derived };
    Kind kind = Kind::Named;
    QString name;   // Named
    QString alias;  // Named, Derived
    JoinKind join = JoinKind::Inner;
    std::unique_ptr<TableRef> left, right;  // Join
    ExprPtr on;                             // Join
    std::unique_ptr<SelectStmt> derived;    // Derived
};
using TableRefPtr = std::unique_ptr<TableRef>;

struct SelectItem {
    ExprPtr expr;
    QString alias;  // empty when none was written
};

struct OrderItem {
    ExprPtr expr;
    bool descending = false;
};

// INTO target as written: the parts of a dotted name, e.g.
// {"Excel 8.0;DATABASE=c:\x.xls", "Query"}.
struct IntoTarget {
    std::vector<QString> parts;
};

struct SelectStmt {
    bool distinct = false;
    std::optional<qint64> top;
    bool topPercent = false;
    std::vector<SelectItem> items;
    std::optional<IntoTarget> into;
    std::vector<TableRefPtr> from;
    ExprPtr where;
    std::vector<ExprPtr> groupBy;
    ExprPtr having;
    std::vector<OrderItem> orderBy;
};

struct InsertStmt {
    QString table;
    std::vector<QString> columns;  // empty: all columns in stored order
    std::vector<ExprPtr> values;
    std::unique_ptr<SelectStmt> select;  // INSERT INTO ... SELECT
};

struct Assignment {
    ExprPtr column;  // a Column expression
    ExprPtr value;
};

struct UpdateStmt {
    TableRefPtr target;
    std::vector<Assignment> assignments;
    ExprPtr where;
};

struct DeleteStmt {
    QString target;  // "T" of DELETE T.* ...; empty for DELETE * / DELETE FROM
    std::vector<TableRefPtr> from;
    ExprPtr where;
};

struct TransformStmt {
    ExprPtr value;
    QString valueAlias;
    std::unique_ptr<SelectStmt> select;
    ExprPtr pivot;
    std::vector<ExprPtr> pivotIn;  // empty: every value found
};

// One more SELECT of SELECT ... UNION [ALL] SELECT ...; the ORDER BY written
// after the last one sorts the whole result.
struct UnionPart {
    bool all = false;
    std::unique_ptr<SelectStmt> select;
};

struct Statement {
    enum class Kind { Select, Insert, Update, Delete, Transform };
    Kind kind = Kind::Select;
    std::unique_ptr<SelectStmt> select;
    std::vector<UnionPart> unions;
    std::unique_ptr<InsertStmt> insert;
    std::unique_ptr<UpdateStmt> update;
    std::unique_ptr<DeleteStmt> del;
    std::unique_ptr<TransformStmt> transform;
};

}  // namespace tw::jet
