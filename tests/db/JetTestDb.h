#pragma once
// A real in-memory SQLite database with a small copy of the program's tables,
// the application functions registered, and Jet statements run through the
// translator. Results come back as Variants.

#include <sqlite3.h>

#include <QString>
#include <vector>

#include "db/AppError.h"
#include "db/Variant.h"
#include "db/jet/Translator.h"

namespace tw::jettest {

using Row = std::vector<Variant>;

struct Result {
    std::vector<QString> names;
    std::vector<jet::ColumnType> types;
    std::vector<Row> rows;
};

class JetTestDb {
  public:
    JetTestDb();
    ~JetTestDb();
    JetTestDb(const JetTestDb&) = delete;
    JetTestDb& operator=(const JetTestDb&) = delete;

    // Raw SQLite SQL (fixture data); fails the test on error.
    void raw(const QString& sql);

    // A Jet SELECT or TRANSFORM, translated and run. Engine errors raised by
    // the application functions come back as their AppError.
    Result query(const QString& jetSql);
    // A Jet action statement; returns the rows changed.
    int execute(const QString& jetSql);
    // The first column of the first row of a Jet SELECT.
    Variant scalar(const QString& jetSql);
    // A raw SQLite query's first value (to look at what was stored).
    Variant rawScalar(const QString& sql);

    const jet::Catalog& catalog() const { return catalog_; }

  private:
    Result run(const jet::Translation& translation);
    void loadCatalog();

    sqlite3* db_ = nullptr;
    jet::Catalog catalog_;
};

// Runs `action` and returns the number of the AppError it throws, or 0.
template <typename F>
int errorNumberOf(F&& action) {
    try {
        action();
    } catch (const AppError& error) {
        return error.number();
    }
    return 0;
}

}  // namespace tw::jettest

namespace tw {
void PrintTo(const Variant& value, std::ostream* os);
}
