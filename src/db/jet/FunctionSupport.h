#pragma once
// Helpers shared by the application functions: reading SQLite values the way
// VB converts them, and reporting a numbered error as "N: text"
// (read back by errorFromEngineMessage).

#include <sqlite3.h>

#include <QString>
#include <optional>

#include "db/Variant.h"

namespace tw::jet::functions {

inline constexpr int kDeterministic = SQLITE_UTF8 | SQLITE_DETERMINISTIC;

void resultError(sqlite3_context* context, int number, const char* description);
void resultText(sqlite3_context* context, const QString& text);

inline bool isNull(sqlite3_value* value) {
    return sqlite3_value_type(value) == SQLITE_NULL;
}
inline bool anyNull(int argc, sqlite3_value** argv) {
    for (int i = 0; i < argc; ++i) {
        if (isNull(argv[i])) {
            return true;
        }
    }
    return false;
}

QString textOf(sqlite3_value* value);

// A number as VB reads it; text that is no number is error 13 (reported on
// `context`, then nullopt). The caller has ruled out Null.
std::optional<double> numberOf(sqlite3_context* context, sqlite3_value* value);

// The value as a Variant; text of a date column (isDate) becomes a date.
Variant variantOf(sqlite3_value* value, bool isDate);

// A date-time from storage text, US text or a serial number; invalid when
// the value is no date.
QDateTime dateTimeOf(sqlite3_value* value);

void registerTextFunctions(sqlite3* db);
void registerNumberFunctions(sqlite3* db);
void registerDateFunctions(sqlite3* db);
void registerDateMathFunctions(sqlite3* db);
void registerAggregateFunctions(sqlite3* db);

}  // namespace tw::jet::functions
