// Function calls: the aggregates, and Jet's functions as native SQLite
// expressions (CASE for IIf, substr for Left/Mid) or application functions.

#include <functional>
#include <map>

#include "db/jet/JetErrors.h"
#include "db/jet/TranslatorImpl.h"

namespace tw::jet::detail {

namespace {

[[noreturn]] void raiseArgumentCount(const QString& name) {
    raise(err::kSyntaxError,
          QStringLiteral("Wrong number of arguments used with function '%1' in query expression.")
              .arg(name));
}

ColumnType keepWholeNumber(ColumnType type) {
    return type == ColumnType::Integer ? ColumnType::Integer
                                       : (type == ColumnType::Unknown ? type : ColumnType::Double);
}

using Args = std::vector<Typed>;
struct FunctionForm {
    int minArgs;
    int maxArgs;
    std::function<Typed(const Args&)> build;
};

Typed make(QString sql, ColumnType type) {
    Typed t;
    t.sql = std::move(sql);
    t.type = type;
    return t;
}

QString join(const Args& args) {
    QStringList parts;
    for (const Typed& a : args) {
        parts << a.sql;
    }
    return parts.join(QStringLiteral(", "));
}

// name(args...) of an application function.
FunctionForm simple(const char* sqlName, int minArgs, int maxArgs, ColumnType type) {
    return {minArgs, maxArgs, [sqlName, type](const Args& a) {
                return make(QStringLiteral("%1(%2)").arg(QLatin1String(sqlName), join(a)), type);
            }};
}

FunctionForm datePart(int code) {
    return {1, 1, [code](const Args& a) {
                return make(
                    QStringLiteral("jet_datepart(%1, %2)").arg(a[0].sql, QString::number(code)),
                    ColumnType::Integer);
            }};
}

FunctionForm textFunction(const char* format, ColumnType type) {
    return {1, 1, [format, type](const Args& a) {
                return make(QString::fromLatin1(format).arg(asText(a[0])), type);
            }};
}

const std::map<QString, FunctionForm>& functionForms() {
    static const std::map<QString, FunctionForm> kFunctions = {
        {"IIF",
         {3, 3,
          [](const Args& a) {
              const ColumnType type = a[1].sql == u"NULL" ? a[2].type : a[1].type;
              return make(QStringLiteral("(CASE WHEN %1 THEN %2 ELSE %3 END)")
                              .arg(a[0].sql, a[1].sql, a[2].sql),
                          type);
          }}},
        {"INSTR",
         {2, 4,
          [](const Args& a) {
              if (a.size() == 2) {
                  return make(
                      QStringLiteral("jet_instr(1, %1, %2, 1)").arg(asText(a[0]), asText(a[1])),
                      ColumnType::Integer);
              }
              return make(QStringLiteral("jet_instr(%1, %2, %3, %4)")
                              .arg(a[0].sql, asText(a[1]), asText(a[2]),
                                   a.size() == 4 ? a[3].sql : QStringLiteral("1")),
                          ColumnType::Integer);
          }}},
        {"LEFT",
         {2, 2,
          [](const Args& a) {
              return make(QStringLiteral("substr(%1, 1, %2)").arg(asText(a[0]), a[1].sql),
                          ColumnType::Text);
          }}},
        {"RIGHT",
         {2, 2,
          [](const Args& a) {
              return make(QStringLiteral("jet_right(%1, %2)").arg(asText(a[0]), a[1].sql),
                          ColumnType::Text);
          }}},
        {"MID",
         {2, 3,
          [](const Args& a) {
              return make(
                  QStringLiteral("substr(%1, %2)")
                      .arg(asText(a[0]),
                           a.size() == 3 ? a[1].sql + QStringLiteral(", ") + a[2].sql : a[1].sql),
                  ColumnType::Text);
          }}},
        {"LEN", textFunction("length(%1)", ColumnType::Integer)},
        {"UCASE", textFunction("upper(%1)", ColumnType::Text)},
        {"LCASE", textFunction("lower(%1)", ColumnType::Text)},
        {"TRIM", textFunction("trim(%1, ' ')", ColumnType::Text)},
        {"LTRIM", textFunction("ltrim(%1, ' ')", ColumnType::Text)},
        {"RTRIM", textFunction("rtrim(%1, ' ')", ColumnType::Text)},
        {"INT",
         {1, 1,
          [](const Args& a) {
              return make(QStringLiteral("jet_int(%1)").arg(a[0].sql), keepWholeNumber(a[0].type));
          }}},
        {"FIX",
         {1, 1,
          [](const Args& a) {
              return make(QStringLiteral("jet_fix(%1)").arg(a[0].sql), keepWholeNumber(a[0].type));
          }}},
        {"ABS",
         {1, 1,
          [](const Args& a) { return make(QStringLiteral("abs(%1)").arg(a[0].sql), a[0].type); }}},
        {"SGN", simple("jet_sgn", 1, 1, ColumnType::Integer)},
        {"SQR", simple("jet_sqr", 1, 1, ColumnType::Double)},
        {"EXP", simple("jet_exp", 1, 1, ColumnType::Double)},
        {"LOG", simple("jet_log", 1, 1, ColumnType::Double)},
        {"ROUND", simple("jet_round", 1, 2, ColumnType::Double)},
        {"FORMAT",
         {1, 2,
          [](const Args& a) {
              return make(QStringLiteral("jet_format(%1, %2, %3)")
                              .arg(a[0].sql, a.size() == 2 ? a[1].sql : QStringLiteral("''"),
                                   a[0].type == ColumnType::Date ? QStringLiteral("1")
                                                                 : QStringLiteral("0")),
                          ColumnType::Text);
          }}},
        {"YEAR", datePart(1)},
        {"MONTH", datePart(2)},
        {"DAY", datePart(3)},
        {"HOUR", datePart(4)},
        {"MINUTE", datePart(5)},
        {"SECOND", datePart(6)},
        {"WEEKDAY", datePart(7)},
        {"NOW", simple("jet_now", 0, 0, ColumnType::Date)},
        {"DATEADD", simple("jet_dateadd", 3, 3, ColumnType::Date)},
        {"DATEDIFF", simple("jet_datediff", 3, 3, ColumnType::Integer)},
        {"DATEPART", simple("jet_datepartof", 2, 2, ColumnType::Integer)},
        {"DATE", simple("jet_today", 0, 0, ColumnType::Date)},
        {"VAL", textFunction("jet_val(%1)", ColumnType::Double)},
        {"CSTR",
         {1, 1,
          [](const Args& a) {
              return make(a[0].type == ColumnType::Date
                              ? asText(a[0])
                              : QStringLiteral("jet_cstr(%1)").arg(a[0].sql),
                          ColumnType::Text);
          }}},
        {"CLNG", simple("jet_clng", 1, 1, ColumnType::Integer)},
        {"CINT", simple("jet_cint", 1, 1, ColumnType::Integer)},
        {"CDBL", simple("jet_cdbl", 1, 1, ColumnType::Double)},
        {"CDATE",
         {1, 1,
          [](const Args& a) {
              return make(a[0].type == ColumnType::Date
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
              return make(QStringLiteral("coalesce(%1, %2)").arg(a[0].sql, fallback), a[0].type);
          }}},
        {"ISNULL",
         {1, 1,
          [](const Args& a) {
              return make(QStringLiteral("(%1 IS NULL)").arg(a[0].sql), ColumnType::Integer);
          }}},
    };
    return kFunctions;
}

// Aggregates SQLite lacks, as application functions.
const std::map<QString, QString>& ownAggregates() {
    static const std::map<QString, QString> kOwn = {
        {"FIRST", "jet_first"},   {"LAST", "jet_last"}, {"STDEV", "jet_stdev"},
        {"STDEVP", "jet_stdevp"}, {"VAR", "jet_var"},   {"VARP", "jet_varp"}};
    return kOwn;
}

}  // namespace

bool isAggregateName(const QString& upper) {
    return upper == u"COUNT" || upper == u"SUM" || upper == u"AVG" || upper == u"MIN" ||
           upper == u"MAX" || ownAggregates().count(upper) > 0;
}

Typed Translator::call(const Expr& expr, Scope& scope, const Place& place) {
    const QString upper = expr.text.toUpper();
    if (isAggregateName(upper)) {
        return aggregate(upper, expr, scope, place);
    }
    const auto& functions = functionForms();
    const auto found = functions.find(upper);
    if (found == functions.end() || expr.star) {
        raise(kUndefinedFunction,
              QStringLiteral("Undefined function '%1' in expression.").arg(expr.text));
    }
    const FunctionForm& form = found->second;
    const int count = static_cast<int>(expr.args.size());
    if (count < form.minArgs || count > form.maxArgs) {
        raiseArgumentCount(expr.text);
    }
    Args args;
    bool aggregate = false;
    for (const ExprPtr& arg : expr.args) {
        args.push_back(expression(*arg, scope, place));
        aggregate = aggregate || args.back().aggregate;
        // IIf's condition decides; every other argument is a value
        if (!(upper == u"IIF" && args.size() == 1)) {
            asValue(args.back());
        }
    }
    Typed t = form.build(args);
    t.aggregate = aggregate;
    return t;
}

// Inside a crosstab cell each aggregate only sees the rows of its pivot value.
Typed Translator::aggregate(const QString& upper, const Expr& expr, Scope& scope,
                            const Place& place) {
    const QString sqlName = upper.toLower();
    const QString* condition = place.pivotCondition;
    Typed t;
    t.aggregate = true;
    if (expr.star) {
        if (upper != u"COUNT") {
            raiseSyntax(expr.text + QStringLiteral("(*)"));
        }
        t.sql = condition ? QStringLiteral("count(CASE WHEN %1 THEN 1 END)").arg(*condition)
                          : QStringLiteral("count(*)");
        t.type = ColumnType::Integer;
        return t;
    }
    if (expr.args.size() != 1) {
        raiseArgumentCount(expr.text);
    }
    Place inner = place;
    ++inner.aggregateDepth;
    Typed arg = expression(*expr.args[0], scope, inner);
    asValue(arg);
    const auto own = ownAggregates().find(upper);
    if (own != ownAggregates().end()) {
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
