// Date functions. Dates are stored as text "yyyy-MM-dd HH:mm:ss"; Year, Month,
// Day, ... read that form directly and any other date text through the US
// reading. Now and Date give the local time in the storage form.

#include "db/jet/FunctionSupport.h"
#include "db/jet/JetErrors.h"

namespace tw::jet::functions {

namespace {

void typeMismatch(sqlite3_context* context) {
    resultError(context, err::kTypeMismatch, "Type mismatch");
}

// Text or a serial number written into a date column, in the storage form.
void toDate(sqlite3_context* context, int, sqlite3_value** argv) {
    if (isNull(argv[0])) {
        sqlite3_result_null(context);
        return;
    }
    const QDateTime when = dateTimeOf(argv[0]);
    if (!when.isValid()) {
        typeMismatch(context);
        return;
    }
    resultText(context, toStorageDateText(when));
}

int digits(const unsigned char* text, int from, int count) {
    int value = 0;
    for (int i = from; i < from + count; ++i) {
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

bool isStorageForm(const unsigned char* t, int n) {
    if (n != 19 || t[4] != '-' || t[7] != '-' || t[10] != ' ' || t[13] != ':' || t[16] != ':') {
        return false;
    }
    for (int i : {0, 1, 2, 3, 5, 6, 8, 9, 11, 12, 14, 15, 17, 18}) {
        if (t[i] < '0' || t[i] > '9') {
            return false;
        }
    }
    return true;
}

// jet_datepart(value, part): 1 year, 2 month, 3 day, 4 hour, 5 minute,
// 6 second, 7 weekday (Sunday = 1).
void datePart(sqlite3_context* context, int, sqlite3_value** argv) {
    if (isNull(argv[0])) {
        sqlite3_result_null(context);
        return;
    }
    const int part = sqlite3_value_int(argv[1]);
    if (sqlite3_value_type(argv[0]) == SQLITE_TEXT && part != 7) {
        const unsigned char* t = sqlite3_value_text(argv[0]);
        if (isStorageForm(t, sqlite3_value_bytes(argv[0]))) {
            static constexpr int kOffsets[] = {0, 0, 5, 8, 11, 14, 17};
            sqlite3_result_int(context, digits(t, kOffsets[part], part == 1 ? 4 : 2));
            return;
        }
    }
    const QDateTime when = dateTimeOf(argv[0]);
    if (!when.isValid()) {
        typeMismatch(context);
        return;
    }
    const QDate d = when.date();
    const QTime time = when.time();
    const int values[] = {0,           d.year(),      d.month(),     d.day(),
                          time.hour(), time.minute(), time.second(), d.dayOfWeek() % 7 + 1};
    sqlite3_result_int(context, part >= 1 && part <= 7 ? values[part] : 0);
}

void now(sqlite3_context* context, int, sqlite3_value**) {
    resultText(context, toStorageDateText(QDateTime::currentDateTime()));
}

void today(sqlite3_context* context, int, sqlite3_value**) {
    resultText(context, toStorageDateText(QDateTime(QDate::currentDate(), QTime(0, 0))));
}

}  // namespace

void registerDateFunctions(sqlite3* db) {
    sqlite3_create_function_v2(db, "jet_cdate", 1, kDeterministic, nullptr, toDate, nullptr,
                               nullptr, nullptr);
    sqlite3_create_function_v2(db, "jet_datepart", 2, kDeterministic, nullptr, datePart, nullptr,
                               nullptr, nullptr);
    sqlite3_create_function_v2(db, "jet_now", 0, SQLITE_UTF8, nullptr, now, nullptr, nullptr,
                               nullptr);
    sqlite3_create_function_v2(db, "jet_today", 0, SQLITE_UTF8, nullptr, today, nullptr, nullptr,
                               nullptr);
}

}  // namespace tw::jet::functions
