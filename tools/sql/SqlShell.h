#pragma once
// The statement runner of tallywick-sql: one statement of our Jet dialect on
// an open database, its rows or its count of changed rows written as text.

#include <QString>
#include <QTextStream>

namespace tw {

class Database;

// A table name or a row-returning statement prints a header line and one line
// per row, tab-separated (Null empty, dates in the general date format); an
// action statement prints the number of rows it changed. Errors raise.
void runStatement(Database& db, const QString& statement, QTextStream& out);

}  // namespace tw
