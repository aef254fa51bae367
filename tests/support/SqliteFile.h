#pragma once
// Statements run on a closed database file through SQLite itself, so that a
// test's seed or damage does not depend on the engine layer under test.

#include <sqlite3.h>

#include <QString>
#include <string>

namespace tw::test_support {

// Runs `sql` (one or more statements) on the file at `path`. Returns SQLite's
// error text, or an empty string when every statement ran.
inline std::string runSql(const QString& path, const char* sql) {
    sqlite3* db = nullptr;
    std::string error;
    if (sqlite3_open(path.toUtf8().constData(), &db) != SQLITE_OK) {
        error = "cannot open " + path.toStdString() + ": " + sqlite3_errmsg(db);
    } else {
        char* message = nullptr;
        if (sqlite3_exec(db, sql, nullptr, nullptr, &message) != SQLITE_OK) {
            error = message ? message : sqlite3_errmsg(db);
        }
        sqlite3_free(message);
    }
    sqlite3_close(db);
    return error;
}

}  // namespace tw::test_support
