#pragma once
// What the translator and the recordsets need to know of an open database,
// read from sqlite_schema and pragma_table_info.

#include <QStringList>

#include "db/jet/Catalog.h"

struct sqlite3;

namespace tw::sqlite {

// TEXT -> Text, INTEGER/INT -> Integer, DOUBLE/REAL/FLOAT -> Double,
// DATETIME/DATE -> Date; anything else Unknown.
jet::ColumnType columnTypeOfDeclared(const QString& declared);

// Every table and view the program made (not SQLite's own "sqlite_" tables).
jet::Catalog buildCatalog(sqlite3* db);

// Names of the tables (not views), in the order they were created.
QStringList userTableNames(sqlite3* db);

}  // namespace tw::sqlite
