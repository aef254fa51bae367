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

Interval intervalOf(const QString& name) {
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

void invalidArgument(sqlite3_context* context) {
    resultError(context, kInvalidProcedureCall, "Invalid procedure call or argument");
}

// The date of argument `index`; false (with the result set) for Null or no date.
bool dateArgument(sqlite3_context* context, sqlite3_value** argv, int index, QDateTime& out) {
    if (isNull(argv[index])) {
        sqlite3_result_null(context);
        return false;
    }
    out = dateTimeOf(argv[index]);
    if (!out.isValid()) {
        resultError(context, err::kTypeMismatch, "Type mismatch");
        return false;
    }
    return true;
}

void serialOf(sqlite3_context* context, int, sqlite3_value** argv) {
    QDateTime when;
    if (dateArgument(context, argv, 0, when)) {
        sqlite3_result_double(context, serialFromDateTime(when));
    }
}

void fromSerial(sqlite3_context* context, int, sqlite3_value** argv) {
    if (isNull(argv[0])) {
        sqlite3_result_null(context);
        return;
    }
    if (const std::optional<double> serial = numberOf(context, argv[0])) {
        resultText(context, toStorageDateText(dateTimeFromSerial(*serial)));
    }
}

// jet_dateadd(interval, number, date)
void dateAdd(sqlite3_context* context, int, sqlite3_value** argv) {
    if (isNull(argv[1])) {
        sqlite3_result_null(context);
        return;
    }
    QDateTime when;
    if (!dateArgument(context, argv, 2, when)) {
        return;
    }
    const std::optional<double> number = numberOf(context, argv[1]);
    if (!number) {
        return;
    }
    const qint64 n = static_cast<qint64>(std::trunc(*number));
    QDateTime result;
    switch (intervalOf(textOf(argv[0]))) {
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
            invalidArgument(context);
            return;
    }
    resultText(context, toStorageDateText(result));
}

qint64 floorDiv(qint64 a, qint64 b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

// Seconds since the serial epoch, for the boundary counts of DateDiff.
qint64 seconds(const QDateTime& when) {
    return static_cast<qint64>(std::llround(serialFromDateTime(when) * 86400.0));
}

// jet_datediff(interval, first, second): the interval boundaries crossed.
void dateDiff(sqlite3_context* context, int, sqlite3_value** argv) {
    QDateTime a;
    QDateTime b;
    if (!dateArgument(context, argv, 1, a) || !dateArgument(context, argv, 2, b)) {
        return;
    }
    const qint64 days = a.date().daysTo(b.date());
    const qint64 months =
        (b.date().year() - a.date().year()) * 12LL + b.date().month() - a.date().month();
    qint64 result = 0;
    switch (intervalOf(textOf(argv[0]))) {
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
            result = floorDiv(seconds(b), 3600) - floorDiv(seconds(a), 3600);
            break;
        case Interval::Minute:
            result = floorDiv(seconds(b), 60) - floorDiv(seconds(a), 60);
            break;
        case Interval::Second:
            result = seconds(b) - seconds(a);
            break;
        case Interval::Bad:
            invalidArgument(context);
            return;
    }
    sqlite3_result_int64(context, result);
}

// jet_datepartof(interval, date)
void datePartOf(sqlite3_context* context, int, sqlite3_value** argv) {
    QDateTime when;
    if (!dateArgument(context, argv, 1, when)) {
        return;
    }
    const QDate d = when.date();
    qint64 result = 0;
    switch (intervalOf(textOf(argv[0]))) {
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
            invalidArgument(context);
            return;
    }
    sqlite3_result_int64(context, result);
}

}  // namespace

void registerDateMathFunctions(sqlite3* db) {
    struct Entry {
        const char* name;
        int argc;
        void (*function)(sqlite3_context*, int, sqlite3_value**);
    };
    static constexpr Entry kEntries[] = {
        {"jet_serial", 1, serialOf},       {"jet_fromserial", 1, fromSerial},
        {"jet_dateadd", 3, dateAdd},       {"jet_datediff", 3, dateDiff},
        {"jet_datepartof", 2, datePartOf},
    };
    for (const Entry& e : kEntries) {
        sqlite3_create_function_v2(db, e.name, e.argc, kDeterministic, nullptr, e.function, nullptr,
                                   nullptr, nullptr);
    }
}

}  // namespace tw::jet::functions
