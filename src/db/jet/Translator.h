#pragma once
// Jet SQL -> SQLite SQL. A real lexer, parser and AST (not text rewriting):
// Lexer.h, Parser.h, Ast.h, Translator.cpp, Functions.cpp in this folder.
// One call translates exactly one statement; text after it is error 3142.

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

#include "db/AppError.h"
#include "db/ExternalWriter.h"
#include "db/jet/Catalog.h"

struct sqlite3;

namespace tw::jet {

struct ResultColumn {
    QString name;                           // as the recordset names the field
    ColumnType type = ColumnType::Unknown;  // Date makes the recordset hand back dates
};

struct Translation {
    enum class Kind {
        Select,      // sql yields rows; columns describes them
        Action,      // sql changes rows
        Transform,   // crosstab: see pivotValuesSql / finalSql
        SelectInto,  // SELECT * INTO an outside file: sql is the source query
    };
    Kind kind = Kind::Select;
    QString sql;
    std::vector<ResultColumn> columns;

    // For an updatable cursor over a SELECT of one table: that table's name;
    // sql then carries the row id as a last, hidden column named "_rowid_".
    std::optional<QString> baseTable;

    // Transform: run pivotValuesSql (one column, distinct values, ascending),
    // then finalSql(those values) yields the crosstab; its columns are the row
    // headings followed by one column per pivot value (named by its text,
    // "<>" for Null). An empty combination is Null. Pass each value as the
    // engine's text of it (sqlite3_column_text), a null QString for NULL.
    QString pivotValuesSql;
    std::function<Translation(const std::vector<QString>& pivotValues)> finalSql;

    // SelectInto: where the rows go.
    std::optional<ExternalTarget> target;
};

// Throws AppError (3075 syntax, 3142 trailing text, 3078 unknown table, ...).
Translation translate(const QString& jetSql, const Catalog& catalog);

// The application functions report a numbered error (11 division by zero, 5
// invalid argument, 13 type mismatch, ...) as the SQLite error message
// "<number>: <description>". This reads such a message back into
// the AppError to raise; other messages give nullopt.
std::optional<AppError> errorFromEngineMessage(const QString& message);

// Registers the application functions the translated SQL calls (Jet's IIf,
// InStr, Mid, Format, Int, Log, date parts, the & join, / and \ and Mod, ...).
void registerFunctions(sqlite3* db);

}  // namespace tw::jet
