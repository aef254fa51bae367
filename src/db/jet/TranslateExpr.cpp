// Expressions: literals, names (with the select-list alias rule), operators
// and predicates. Native SQLite operators are used wherever their meaning is
// Jet's; the rest call the application functions of Functions*.cpp.

#include "db/Variant.h"
#include "db/jet/JetErrors.h"
#include "db/jet/TranslatorImpl.h"

namespace tw::jet::detail {

QString quoteName(const QString& name) {
    QString quoted = name;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString quoteText(const QString& text) {
    QString quoted = text;
    quoted.replace(u'\'', QStringLiteral("''"));
    return u'\'' + quoted + u'\'';
}

bool isTextType(const Typed& t) {
    return t.type == ColumnType::Text;
}

void asValue(Typed& t) {
    if (t.boolean) {
        t.sql = QStringLiteral("(- %1)").arg(t.sql);
        t.boolean = false;
    }
}

QString asText(const Typed& t) {
    if (t.type == ColumnType::Date) {
        return QStringLiteral("jet_datetext(%1)").arg(t.sql);
    }
    if (t.type == ColumnType::Double) {
        return QStringLiteral("jet_cstr(%1)").arg(t.sql);
    }
    return t.sql;
}

namespace {

Typed literal(QString sql, ColumnType type) {
    Typed t;
    t.sql = std::move(sql);
    t.type = type;
    return t;
}

ColumnType arithmeticType(const Typed& a, const Typed& b) {
    if (a.type == ColumnType::Double || b.type == ColumnType::Double) {
        return ColumnType::Double;
    }
    if (a.type == ColumnType::Integer && b.type == ColumnType::Integer) {
        return ColumnType::Integer;
    }
    return ColumnType::Unknown;
}

// A text literal compared with a date becomes the date's storage form, so
// Date_Time_Stamp > '1/15/2005' compares dates, not texts.
void literalAsDate(Typed& literal, const Typed& other) {
    if (other.type != ColumnType::Date || !literal.textLiteral) {
        return;
    }
    const QDateTime when = parseDateText(literal.literalText);
    if (when.isValid()) {
        literal.sql = quoteText(toStorageDateText(when));
        literal.type = ColumnType::Date;
    }
}

QString collated(const Typed& t) {
    return isTextType(t) ? t.sql + QStringLiteral(" COLLATE NOCASE") : t.sql;
}

}  // namespace

namespace {

bool isBooleanForm(const Expr& expr) {
    switch (expr.kind) {
        case ExprKind::IsNull:
        case ExprKind::In:
        case ExprKind::Between:
        case ExprKind::Like:
        case ExprKind::Exists:
            return true;
        case ExprKind::Unary:
            return expr.text == u"NOT";
        case ExprKind::Binary:
            return expr.text == u"=" || expr.text == u"<>" || expr.text == u"<" ||
                   expr.text == u">" || expr.text == u"<=" || expr.text == u">=" ||
                   expr.text == u"AND" || expr.text == u"OR";
        default:
            return false;
    }
}

}  // namespace

Typed Translator::expression(const Expr& expr, Scope& scope, const Place& place) {
    Typed t = expressionValue(expr, scope, place);
    // An alias of a condition stays a condition.
    t.boolean = isBooleanForm(expr) || (expr.kind == ExprKind::Column && t.boolean);
    return t;
}

Typed Translator::expressionValue(const Expr& expr, Scope& scope, const Place& place) {
    switch (expr.kind) {
        case ExprKind::Null:
            return literal(QStringLiteral("NULL"), ColumnType::Unknown);
        case ExprKind::Integer:
        case ExprKind::Boolean:
            return literal(expr.text, ColumnType::Integer);
        case ExprKind::Double:
            return literal(expr.text, ColumnType::Double);
        case ExprKind::Date:
            return literal(quoteText(expr.text), ColumnType::Date);
        case ExprKind::Text: {
            Typed t = literal(quoteText(expr.text), ColumnType::Text);
            t.textLiteral = true;
            t.literalText = expr.text;
            return t;
        }
        case ExprKind::Column:
            return columnReference(expr, scope, place);
        case ExprKind::Star:
            raiseSyntax(QStringLiteral("*"));
        case ExprKind::Unary: {
            Typed operand = expression(*expr.args[0], scope, place);
            if (expr.text != u"NOT") {
                asValue(operand);
            }
            if (expr.text == u"NOT") {
                operand.sql = QStringLiteral("(NOT %1)").arg(operand.sql);
                operand.type = ColumnType::Integer;
            } else if (expr.text == u"-") {
                operand.sql = QStringLiteral("(- %1)").arg(operand.sql);
            }
            operand.textLiteral = false;
            operand.column.clear();
            return operand;
        }
        case ExprKind::Binary:
            return expr.text == u"&" ? concat(expr, scope, place) : binary(expr, scope, place);
        case ExprKind::Call:
            return call(expr, scope, place);
        case ExprKind::IsNull: {
            Typed operand = expression(*expr.args[0], scope, place);
            Typed t =
                literal(QStringLiteral("(%1 IS %2NULL)")
                            .arg(operand.sql, expr.negated ? QStringLiteral("NOT ") : QString()),
                        ColumnType::Integer);
            t.aggregate = operand.aggregate;
            return t;
        }
        case ExprKind::In:
            return in(expr, scope, place);
        case ExprKind::Between: {
            Typed subject = expression(*expr.args[0], scope, place);
            Typed low = expression(*expr.args[1], scope, place);
            Typed high = expression(*expr.args[2], scope, place);
            asValue(subject);
            asValue(low);
            asValue(high);
            literalAsDate(low, subject);
            literalAsDate(high, subject);
            const bool text = isTextType(subject) || isTextType(low) || isTextType(high);
            Typed t = literal(
                QStringLiteral("(%1%2 %3BETWEEN %4 AND %5)")
                    .arg(subject.sql, text ? QStringLiteral(" COLLATE NOCASE") : QString(),
                         expr.negated ? QStringLiteral("NOT ") : QString(), low.sql, high.sql),
                ColumnType::Integer);
            t.aggregate = subject.aggregate || low.aggregate || high.aggregate;
            return t;
        }
        case ExprKind::Like:
            return like(expr, scope, place);
        case ExprKind::Subquery:
            return subSelect(*expr.select, scope);
        case ExprKind::Exists: {
            const SelectResult result = selectSql(*expr.select, &scope, false);
            return literal(QStringLiteral("(EXISTS (%1))").arg(result.sql), ColumnType::Integer);
        }
    }
    raiseSyntax(expr.text);
}

Typed Translator::subSelect(const SelectStmt& select, Scope& scope) {
    const SelectResult result = selectSql(select, &scope, false);
    Typed t = literal(QStringLiteral("(%1)").arg(result.sql), ColumnType::Unknown);
    if (!result.columns.empty()) {
        t.type = result.columns.front().type;
    }
    return t;
}

Typed Translator::binary(const Expr& expr, Scope& scope, const Place& place) {
    Typed lhs = expression(*expr.args[0], scope, place);
    Typed rhs = expression(*expr.args[1], scope, place);
    const QString& op = expr.text;
    if (op != u"AND" && op != u"OR") {
        asValue(lhs);
        asValue(rhs);
    }
    Typed t;
    if (op == u"=" || op == u"<>" || op == u"<" || op == u">" || op == u"<=" || op == u">=") {
        t = comparison(op, lhs, rhs);
    } else if (op == u"AND" || op == u"OR") {
        t = literal(QStringLiteral("(%1 %2 %3)").arg(lhs.sql, op, rhs.sql), ColumnType::Integer);
    } else if ((op == u"+" || op == u"-") &&
               (lhs.type == ColumnType::Date || rhs.type == ColumnType::Date)) {
        t = dateArithmetic(op, lhs, rhs);
    } else if (op == u"+" && isTextType(lhs) && isTextType(rhs)) {
        t = literal(QStringLiteral("(%1 || %2)").arg(lhs.sql, rhs.sql), ColumnType::Text);
    } else if (op == u"+" || op == u"-" || op == u"*") {
        t = literal(QStringLiteral("(%1 %2 %3)").arg(lhs.sql, op, rhs.sql),
                    arithmeticType(lhs, rhs));
    } else if (op == u"/") {
        t = literal(QStringLiteral("jet_div(%1, %2)").arg(lhs.sql, rhs.sql), ColumnType::Double);
    } else if (op == u"\\") {
        t = literal(QStringLiteral("jet_intdiv(%1, %2)").arg(lhs.sql, rhs.sql),
                    ColumnType::Integer);
    } else if (op == u"MOD") {
        t = literal(QStringLiteral("jet_mod(%1, %2)").arg(lhs.sql, rhs.sql), ColumnType::Integer);
    } else if (op == u"^") {
        t = literal(QStringLiteral("jet_pow(%1, %2)").arg(lhs.sql, rhs.sql), ColumnType::Double);
    } else {
        raiseSyntax(op);
    }
    t.aggregate = lhs.aggregate || rhs.aggregate;
    return t;
}

// A date plus or minus days is a date; a date minus a date is the days
// between them (a Double), as with VB's date serials.
Typed Translator::dateArithmetic(const QString& op, const Typed& lhs, const Typed& rhs) {
    const auto serial = [](const Typed& t) {
        return t.type == ColumnType::Date ? QStringLiteral("jet_serial(%1)").arg(t.sql) : t.sql;
    };
    const QString sum = QStringLiteral("(%1 %2 %3)").arg(serial(lhs), op, serial(rhs));
    if (lhs.type == ColumnType::Date && rhs.type == ColumnType::Date) {
        return op == u"-"
                   ? literal(sum, ColumnType::Double)
                   : literal(QStringLiteral("jet_fromserial(%1)").arg(sum), ColumnType::Date);
    }
    return literal(QStringLiteral("jet_fromserial(%1)").arg(sum), ColumnType::Date);
}

Typed Translator::comparison(const QString& op, Typed lhs, Typed rhs) {
    literalAsDate(lhs, rhs);
    literalAsDate(rhs, lhs);
    const bool text = isTextType(lhs) || isTextType(rhs);
    Typed t = literal(
        QStringLiteral("(%1 %2 %3%4)")
            .arg(lhs.sql, op, rhs.sql, text ? QStringLiteral(" COLLATE NOCASE") : QString()),
        ColumnType::Integer);
    t.aggregate = lhs.aggregate || rhs.aggregate;
    return t;
}

// a & b & c: one call joining every operand; Null only when all are Null.
Typed Translator::concat(const Expr& expr, Scope& scope, const Place& place) {
    std::vector<const Expr*> operands;
    std::vector<const Expr*> pending{&expr};
    while (!pending.empty()) {
        const Expr* e = pending.back();
        pending.pop_back();
        if (e->kind == ExprKind::Binary && e->text == u"&") {
            pending.push_back(e->args[1].get());
            pending.push_back(e->args[0].get());
        } else {
            operands.push_back(e);
        }
    }
    QStringList parts;
    bool aggregate = false;
    for (const Expr* operand : operands) {
        Typed t = expression(*operand, scope, place);
        asValue(t);
        aggregate = aggregate || t.aggregate;
        parts << (t.type == ColumnType::Date ? asText(t) : t.sql);
    }
    Typed t = literal(QStringLiteral("jet_concat(%1)").arg(parts.join(QStringLiteral(", "))),
                      ColumnType::Text);
    t.aggregate = aggregate;
    return t;
}

Typed Translator::in(const Expr& expr, Scope& scope, const Place& place) {
    Typed subject = expression(*expr.args[0], scope, place);
    asValue(subject);
    QString list;
    bool text = isTextType(subject);
    if (expr.select) {
        const SelectResult result = selectSql(*expr.select, &scope, false);
        list = result.sql;
        text = text || (!result.columns.empty() && result.columns[0].type == ColumnType::Text);
    } else {
        QStringList items;
        for (size_t i = 1; i < expr.args.size(); ++i) {
            Typed item = expression(*expr.args[i], scope, place);
            asValue(item);
            literalAsDate(item, subject);
            text = text || isTextType(item);
            items << item.sql;
        }
        list = items.join(QStringLiteral(", "));
    }
    Typed t = literal(QStringLiteral("(%1%2 %3IN (%4))")
                          .arg(subject.sql, text ? QStringLiteral(" COLLATE NOCASE") : QString(),
                               expr.negated ? QStringLiteral("NOT ") : QString(), list),
                      ColumnType::Integer);
    t.aggregate = subject.aggregate;
    return t;
}

namespace {

// Jet's * and ? as SQLite's % and _, Jet's literal % and _ escaped. Patterns
// with # or [..] have no LIKE form and go to jet_like.
std::optional<QString> nativeLikePattern(const QString& pattern) {
    QString out;
    for (const QChar c : pattern) {
        if (c == u'#' || c == u'[') {
            return std::nullopt;
        }
        if (c == u'*') {
            out += u'%';
        } else if (c == u'?') {
            out += u'_';
        } else if (c == u'%' || c == u'_' || c == u'\\') {
            out += u'\\';
            out += c;
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

Typed Translator::like(const Expr& expr, Scope& scope, const Place& place) {
    Typed subject = expression(*expr.args[0], scope, place);
    asValue(subject);
    const Typed pattern = expression(*expr.args[1], scope, place);
    const QString negation = expr.negated ? QStringLiteral("NOT ") : QString();
    QString sql;
    const std::optional<QString> native =
        pattern.textLiteral ? nativeLikePattern(pattern.literalText) : std::nullopt;
    if (native) {
        sql = QStringLiteral("(%1 %2LIKE %3 ESCAPE '\\')")
                  .arg(asText(subject), negation, quoteText(*native));
    } else {
        sql = QStringLiteral("(%1jet_like(%2, %3))").arg(negation, asText(subject), pattern.sql);
    }
    Typed t = literal(sql, ColumnType::Integer);
    t.aggregate = subject.aggregate;
    return t;
}

QString Translator::toDateColumn(const Typed& value) const {
    if (value.type == ColumnType::Date) {
        return value.sql;
    }
    return QStringLiteral("jet_cdate(%1)").arg(value.sql);
}

// Collation helper shared by ORDER BY / GROUP BY in TranslateSelect.cpp.
QString collatedSql(const Typed& t) {
    return collated(t);
}

}  // namespace tw::jet::detail
