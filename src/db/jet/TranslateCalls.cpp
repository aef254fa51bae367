// Function calls: the aggregates, and Jet's functions as native SQLite
// expressions (CASE for IIf, substr for Left/Mid) or application functions.

#include <functional>
#include <map>

#include "db/jet/JetErrors.h"
#include "db/jet/TranslatorImpl.h"

namespace tw::jet::detail {

namespace {

[[noreturn]] void RaiseArgumentCount(const QString& name) {
    Raise(err::kSyntaxError,
          QStringLiteral("Wrong number of arguments used with function '%1' in query expression.")
              .arg(name));
}

ColumnType KeepWholeNumber(ColumnType type) {
    return type == ColumnType::Integer ? ColumnType::Integer
                                       : (type == ColumnType::Unknown ? type : ColumnType::Double);
}

using Args = std::vector<Typed>;
struct FunctionForm {
    int minArgs;
    int maxArgs;
    std::function<Typed(const Args&)> build;
};

Typed Make(QString sql, ColumnType type) {
    Typed t;
    t.sql = std::move(sql);
    t.type = type;
    return t;
}

QString Join(const Args& args) {
    QStringList parts;
    for (const Typed& a : args) {
        parts << a.sql;
    }
    return parts.join(QStringLiteral(", "));
}

// name(args...) of an application function.
FunctionForm Simple(const char* sqlName, int minArgs, int maxArgs, ColumnType type) {
    return {minArgs, maxArgs, [sqlName, type](const Args& a) {
                return Make(QStringLiteral("%1(%2)").arg(QLatin1String(sqlName), Join(a)), type);
            }};
}

FunctionForm DatePart(int code) {
    return {1, 1, [code](const Args& a) {
                return Make(
                    QStringLiteral("jet_datepart(%1, %2)").arg(a[0].sql, QString::number(code)),
                    ColumnType::Integer);
            }};
}

FunctionForm TextFunction(const char* format, ColumnType type) {
    return {1, 1, [format, type](const Args& a) {
                return Make(QString::fromLatin1(format).arg(AsText(a[0])), type);
            }};
}

const std::map<QString, FunctionForm>& Functions() {
    static const std::map<QString, FunctionForm> kFunctions = {
        {"IIF",
         {3, 3,
          [](const Args& a) {
              const ColumnType type = a[1].sql == u"NULL" ? a[2].type : a[1].type;
              return Make(QStringLiteral("(CASE WHEN %1 THEN %2 ELSE %3 END)")
                              .arg(a[0].sql, a[1].sql, a[2].sql),
                          type);
          }}},
        {"INSTR",
         {2, 4,
          [](const Args& a) {
              if (a.size() == 2) {
                  return Make(
                      QStringLiteral("jet_instr(1, %1, %2, 1)").arg(AsText(a[0]), AsText(a[1])),
                      ColumnType::Integer);
              }
              return Make(QStringLiteral("jet_instr(%1, %2, %3, %4)")
                              .arg(a[0].sql, AsText(a[1]), AsText(a[2]),
                                   a.size() == 4 ? a[3].sql : QStringLiteral("1")),
                          ColumnType::Integer);
          }}},
        {"LEFT",
         {2, 2,
          [](const Args& a) {
              return Make(QStringLiteral("substr(%1, 1, %2)").arg(AsText(a[0]), a[1].sql),
                          ColumnType::Text);
          }}},
        {"RIGHT",
         {2, 2,
          [](const Args& a) {
              return Make(QStringLiteral("jet_right(%1, %2)").arg(AsText(a[0]), a[1].sql),
                          ColumnType::Text);
          }}},
        {"MID",
         {2, 3,
          [](const Args& a) {
              return Make(
                  QStringLiteral("substr(%1, %2)")
                      .arg(AsText(a[0]),
                           a.size() == 3 ? a[1].sql + QStringLiteral(", ") + a[2].sql : a[1].sql),
                  ColumnType::Text);
          }}},
        {"LEN", TextFunction("length(%1)", ColumnType::Integer)},
        {"UCASE", TextFunction("upper(%1)", ColumnType::Text)},
        {"LCASE", TextFunction("lower(%1)", ColumnType::Text)},
        {"TRIM", TextFunction("trim(%1, ' ')", ColumnType::Text)},
        {"LTRIM", TextFunction("ltrim(%1, ' ')", ColumnType::Text)},
        {"RTRIM", TextFunction("rtrim(%1, ' ')", ColumnType::Text)},
        {"INT",
         {1, 1,
          [](const Args& a) {
              return Make(QStringLiteral("jet_int(%1)").arg(a[0].sql), KeepWholeNumber(a[0].type));
          }}},
        {"FIX",
         {1, 1,
          [](const Args& a) {
              return Make(QStringLiteral("jet_fix(%1)").arg(a[0].sql), KeepWholeNumber(a[0].type));
          }}},
        {"ABS",
         {1, 1,
          [](const Args& a) { return Make(QStringLiteral("abs(%1)").arg(a[0].sql), a[0].type); }}},
        {"SGN", Simple("jet_sgn", 1, 1, ColumnType::Integer)},
        {"SQR", Simple("jet_sqr", 1, 1, ColumnType::Double)},
        {"EXP", Simple("jet_exp", 1, 1, ColumnType::Double)},
        {"LOG", Simple("jet_log", 1, 1, ColumnType::Double)},
        {"ROUND", Simple("jet_round", 1, 2, ColumnType::Double)},
        {"FORMAT",
         {1, 2,
          [](const Args& a) {
              return Make(QStringLiteral("jet_format(%1, %2, %3)")
                              .arg(a[0].sql, a.size() == 2 ? a[1].sql : QStringLiteral("''"),
                                   a[0].type == ColumnType::Date ? QStringLiteral("1")
                                                                 : QStringLiteral("0")),
                          ColumnType::Text);
          }}},
        {"YEAR", DatePart(1)},
        {"MONTH", DatePart(2)},
        {"DAY", DatePart(3)},
        {"HOUR", DatePart(4)},
        {"MINUTE", DatePart(5)},
        {"SECOND", DatePart(6)},
        {"WEEKDAY", DatePart(7)},
        {"NOW", Simple("jet_now", 0, 0, ColumnType::Date)},
        {"DATEADD", Simple("jet_dateadd", 3, 3, ColumnType::Date)},
        {"DATEDIFF", Simple("jet_datediff", 3, 3, ColumnType::Integer)},
        {"DATEPART", Simple("jet_datepartof", 2, 2, ColumnType::Integer)},
        {"DATE", Simple("jet_today", 0, 0, ColumnType::Date)},
        {"VAL", TextFunction("jet_val(%1)", ColumnType::Double)},
        {"CSTR",
         {1, 1,
          [](const Args& a) {
              return Make(a[0].type == ColumnType::Date
                              ? AsText(a[0])
                              : QStringLiteral("jet_cstr(%1)").arg(a[0].sql),
                          ColumnType::Text);
          }}},
        {"CLNG", Simple("jet_clng", 1, 1, ColumnType::Integer)},
        {"CINT", Simple("jet_cint", 1, 1, ColumnType::Integer)},
        {"CDBL", Simple("jet_cdbl", 1, 1, ColumnType::Double)},
        {"CDATE",
         {1, 1,
          [](const Args& a) {
              return Make(a[0].type == ColumnType::Date
                              ? a[0].sql
                              : QStringLiteral("jet_cdate(%1)").arg(a[0].sql),
                          ColumnType::Date);
          }}},
        {"NZ",
         {1, 2,
          [](const Args& a) {
              const QString fallback = a.size() == 2
                                           ? a[1].sql
                                           : (a[0].type == ColumnType::Text ? QStringLiteral("''")
                                                                            : QStringLiteral("0"));
              return Make(QStringLiteral("coalesce(%1, %2)").arg(a[0].sql, fallback), a[0].type);
          }}},
        {"ISNULL",
         {1, 1,
          [](const Args& a) {
              return Make(QStringLiteral("(%1 IS NULL)").arg(a[0].sql), ColumnType::Integer);
          }}},
    };
    return kFunctions;
}

// Aggregates SQLite lacks, as application functions.
const std::map<QString, QString>& OwnAggregates() {
    static const std::map<QString, QString> kOwn = {
        {"FIRST", "jet_first"},   {"LAST", "jet_last"}, {"STDEV", "jet_stdev"},
        {"STDEVP", "jet_stdevp"}, {"VAR", "jet_var"},   {"VARP", "jet_varp"}};
    return kOwn;
}

}  // namespace

bool IsAggregateName(const QString& upper) {
    return upper == u"COUNT" || upper == u"SUM" || upper == u"AVG" || upper == u"MIN" ||
           upper == u"MAX" || OwnAggregates().count(upper) > 0;
}

Typed Translator::Call(const Expr& expr, Scope& scope, const Place& place) {
    const QString upper = expr.text.toUpper();
    if (IsAggregateName(upper)) {
        return Aggregate(upper, expr, scope, place);
    }
    const auto& functions = Functions();
    const auto found = functions.find(upper);
    if (found == functions.end() || expr.star) {
        Raise(kUndefinedFunction,
              QStringLiteral("Undefined function '%1' in expression.").arg(expr.text));
    }
    const FunctionForm& form = found->second;
    const int count = static_cast<int>(expr.args.size());
    if (count < form.minArgs || count > form.maxArgs) {
        RaiseArgumentCount(expr.text);
    }
    Args args;
    bool aggregate = false;
    for (const ExprPtr& arg : expr.args) {
        args.push_back(Expression(*arg, scope, place));
        aggregate = aggregate || args.back().aggregate;
        // IIf's condition decides; every other argument is a value
        if (!(upper == u"IIF" && args.size() == 1)) {
            AsValue(args.back());
        }
    }
    Typed t = form.build(args);
    t.aggregate = aggregate;
    return t;
}

// Inside a crosstab cell each aggregate only sees the rows of its pivot value.
Typed Translator::Aggregate(const QString& upper, const Expr& expr, Scope& scope,
                            const Place& place) {
    const QString sqlName = upper.toLower();
    const QString* condition = place.pivotCondition;
    Typed t;
    t.aggregate = true;
    if (expr.star) {
        if (upper != u"COUNT") {
            RaiseSyntax(expr.text + QStringLiteral("(*)"));
        }
        t.sql = condition ? QStringLiteral("count(CASE WHEN %1 THEN 1 END)").arg(*condition)
                          : QStringLiteral("count(*)");
        t.type = ColumnType::Integer;
        return t;
    }
    if (expr.args.size() != 1) {
        RaiseArgumentCount(expr.text);
    }
    Place inner = place;
    ++inner.aggregateDepth;
    Typed arg = Expression(*expr.args[0], scope, inner);
    AsValue(arg);
    const auto own = OwnAggregates().find(upper);
    if (own != OwnAggregates().end()) {
        const bool picks = upper == u"FIRST" || upper == u"LAST";
        if (picks && condition) {
            t.sql = QStringLiteral("%1(%2, %3)").arg(own->second, arg.sql, *condition);
        } else {
            t.sql = QStringLiteral("%1(%2)").arg(
                own->second,
                condition ? QStringLiteral("CASE WHEN %1 THEN %2 END").arg(*condition, arg.sql)
                          : arg.sql);
        }
        t.type = picks ? arg.type : ColumnType::Double;
        return t;
    }
    const QString argSql =
        condition ? QStringLiteral("CASE WHEN %1 THEN %2 END").arg(*condition, arg.sql) : arg.sql;
    t.sql = QStringLiteral("%1(%2)").arg(sqlName, argSql);
    if (upper == u"COUNT") {
        t.type = ColumnType::Integer;
    } else if (upper == u"AVG") {
        t.type = ColumnType::Double;
    } else if (upper == u"SUM") {
        t.type = arg.type == ColumnType::Date ? ColumnType::Double : arg.type;
    } else {
        t.type = arg.type;
    }
    return t;
}

}  // namespace tw::jet::detail
