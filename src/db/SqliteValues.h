#pragma once
// Moving values between tw::Variant and SQLite: reading a result column,
// binding a parameter, and converting a value to the form a column of a
// given declared type stores (dates as 'yyyy-mm-dd hh:mm:ss' text).

#include "db/Variant.h"
#include "db/jet/Catalog.h"

struct sqlite3_stmt;

namespace tw::sqlite {

// The column's value by its storage class; a Date column's stored text
// becomes a date (text that is no date is handed back unchanged).
Variant readColumn(sqlite3_stmt* statement, int column, jet::ColumnType type);

// Binds `value` to parameter `index` (1-based) as it is: dates in storage form.
void bindValue(sqlite3_stmt* statement, int index, const Variant& value);

// The value a column of `type` stores for `value`: text given to a date
// column is read as a date, text given to a number column as a number.
// A value that cannot be converted is error 3421.
Variant toColumnType(const Variant& value, jet::ColumnType type);

// Storage text -> date, for the fast common form; false when `text` is not
// exactly 'yyyy-mm-dd hh:mm:ss' (or 'yyyy-mm-dd').
bool readStorageDate(const char* text, int length, double* serial);

}  // namespace tw::sqlite
