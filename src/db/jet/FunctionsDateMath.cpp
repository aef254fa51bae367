// Date arithmetic: a date plus or minus days, the difference of two dates,
// and VB's DateAdd, DateDiff and DatePart with their interval names ("yyyy",
// "q", "m", "y", "d", "w", "ww", "h", "n", "s"). Results that are dates come
// back in the storage form.

#include <cmath>

#include "db/jet/FunctionSupport.h"
#include "db/jet/JetErrors.h"

namespace tw::jet::functions {

namespace {

enum class Interval {
    Year,
    Quarter,
    Month,
    DayOfYear,
    Day,
    Weekday,
    Week,
    Hour,
    Minute,
    Second,
    Bad
};

Interval IntervalOf(const QString& name) {
    static const std::pair<const char*, Interval> kNames[] = {
        {"yyyy", Interval::Year},   {"q", Interval::Quarter}, {"m", Interval::Month},
        {"y", Interval::DayOfYear}, {"d", Interval::Day},     {"w", Interval::Weekday},
        {"ww", Interval::Week},     {"h", Interval::Hour},    {"n", Interval::Minute},
        {"s", Interval::Second}};
    for (const auto& [text, interval] : kNames) {
        if (name.compare(QLatin1String(text), Qt::CaseInsensitive) == 0) {
            return interval;
        }
    }
    return Interval::Bad;
}

void InvalidArgument(sqlite3_context* context) {
    ResultError(context, kInvalidProcedureCall, "Invalid procedure call or argument");
}

// The date of argument `index`; false (with the result set) for Null or no date.
bool DateArgument(sqlite3_context* context, sqlite3_value** argv, int index, QDateTime& out) {
    if (IsNull(argv[index])) {
        sqlite3_result_null(context);
        return false;
    }
    out = DateTimeOf(argv[index]);
    if (!out.isValid()) {
        ResultError(context, err::kTypeMismatch, "Type mismatch");
        return false;
    }
    return true;
}

void SerialOf(sqlite3_context* context, int, sqlite3_value** argv) {
    QDateTime when;
    if (DateArgument(context, argv, 0, when)) {
        sqlite3_result_double(context, SerialFromDateTime(when));
    }
}

void FromSerial(sqlite3_context* context, int, sqlite3_value** argv) {
    if (IsNull(argv[0])) {
        sqlite3_result_null(context);
        return;
    }
    if (const std::optional<double> serial = NumberOf(context, argv[0])) {
        ResultText(context, ToStorageDateText(DateTimeFromSerial(*serial)));
    }
}

// jet_dateadd(interval, number, date)
void DateAdd(sqlite3_context* context, int, sqlite3_value** argv) {
    if (IsNull(argv[1])) {
        sqlite3_result_null(context);
        return;
    }
    QDateTime when;
    if (!DateArgument(context, argv, 2, when)) {
        return;
    }
    const std::optional<double> number = NumberOf(context, argv[1]);
    if (!number) {
        return;
    }
    const qint64 n = static_cast<qint64>(std::trunc(*number));
    QDateTime result;
    switch (IntervalOf(TextOf(argv[0]))) {
        case Interval::Year:
            result = when.addYears(static_cast<int>(n));
            break;
        case Interval::Quarter:
            result = when.addMonths(static_cast<int>(n * 3));
            break;
        case Interval::Month:
            result = when.addMonths(static_cast<int>(n));
            break;
        case Interval::DayOfYear:
        case Interval::Day:
        case Interval::Weekday:
            result = when.addDays(n);
            break;
        case Interval::Week:
            result = when.addDays(n * 7);
            break;
        case Interval::Hour:
            result = when.addSecs(n * 3600);
            break;
        case Interval::Minute:
            result = when.addSecs(n * 60);
            break;
        case Interval::Second:
            result = when.addSecs(n);
            break;
        case Interval::Bad:
            InvalidArgument(context);
            return;
    }
    ResultText(context, ToStorageDateText(result));
}

qint64 FloorDiv(qint64 a, qint64 b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

// Seconds since the serial epoch, for the boundary counts of DateDiff.
qint64 Seconds(const QDateTime& when) {
    return static_cast<qint64>(std::llround(SerialFromDateTime(when) * 86400.0));
}

// jet_datediff(interval, first, second): the interval boundaries crossed.
void DateDiff(sqlite3_context* context, int, sqlite3_value** argv) {
    QDateTime a;
    QDateTime b;
    if (!DateArgument(context, argv, 1, a) || !DateArgument(context, argv, 2, b)) {
        return;
    }
    const qint64 days = a.date().daysTo(b.date());
    const qint64 months =
        (b.date().year() - a.date().year()) * 12LL + b.date().month() - a.date().month();
    qint64 result = 0;
    switch (IntervalOf(TextOf(argv[0]))) {
        case Interval::Year:
            result = b.date().year() - a.date().year();
            break;
        case Interval::Quarter:
            result = (b.date().year() - a.date().year()) * 4LL + (b.date().month() - 1) / 3 -
                     (a.date().month() - 1) / 3;
            break;
        case Interval::Month:
            result = months;
            break;
        case Interval::DayOfYear:
        case Interval::Day:
            result = days;
            break;
        case Interval::Weekday:
            result = days / 7;
            break;
        case Interval::Week: {
            // Sundays crossed: weeks counted from the Sunday on or before each date
            const qint64 sundayA = a.date().toJulianDay() - a.date().dayOfWeek() % 7;
            const qint64 sundayB = b.date().toJulianDay() - b.date().dayOfWeek() % 7;
            result = (sundayB - sundayA) / 7;
            break;
        }
        case Interval::Hour:
            result = FloorDiv(Seconds(b), 3600) - FloorDiv(Seconds(a), 3600);
            break;
        case Interval::Minute:
            result = FloorDiv(Seconds(b), 60) - FloorDiv(Seconds(a), 60);
            break;
        case Interval::Second:
            result = Seconds(b) - Seconds(a);
            break;
        case Interval::Bad:
            InvalidArgument(context);
            return;
    }
    sqlite3_result_int64(context, result);
}

// jet_datepartof(interval, date)
void DatePartOf(sqlite3_context* context, int, sqlite3_value** argv) {
    QDateTime when;
    if (!DateArgument(context, argv, 1, when)) {
        return;
    }
    const QDate d = when.date();
    qint64 result = 0;
    switch (IntervalOf(TextOf(argv[0]))) {
        case Interval::Year:
            result = d.year();
            break;
        case Interval::Quarter:
            result = (d.month() - 1) / 3 + 1;
            break;
        case Interval::Month:
            result = d.month();
            break;
        case Interval::DayOfYear:
            result = d.dayOfYear();
            break;
        case Interval::Day:
            result = d.day();
            break;
        case Interval::Weekday:
            result = d.dayOfWeek() % 7 + 1;
            break;
        case Interval::Week: {
            // week 1 holds January 1st; weeks begin on Sunday
            const QDate first(d.year(), 1, 1);
            result = (d.dayOfYear() - 1 + first.dayOfWeek() % 7) / 7 + 1;
            break;
        }
        case Interval::Hour:
            result = when.time().hour();
            break;
        case Interval::Minute:
            result = when.time().minute();
            break;
        case Interval::Second:
            result = when.time().second();
            break;
        case Interval::Bad:
            InvalidArgument(context);
            return;
    }
    sqlite3_result_int64(context, result);
}

}  // namespace

void RegisterDateMathFunctions(sqlite3* db) {
    struct Entry {
        const char* name;
        int argc;
        void (*function)(sqlite3_context*, int, sqlite3_value**);
    };
    static constexpr Entry kEntries[] = {
        {"jet_serial", 1, SerialOf},       {"jet_fromserial", 1, FromSerial},
        {"jet_dateadd", 3, DateAdd},       {"jet_datediff", 3, DateDiff},
        {"jet_datepartof", 2, DatePartOf},
    };
    for (const Entry& e : kEntries) {
        sqlite3_create_function_v2(db, e.name, e.argc, kDeterministic, nullptr, e.function, nullptr,
                                   nullptr, nullptr);
    }
}

}  // namespace tw::jet::functions
