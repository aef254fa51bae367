#pragma once
// One prepared SQLite statement, finalized on destruction. Preparing refuses
// text after the first statement.

#include <QString>

#include "db/Variant.h"

struct sqlite3;
struct sqlite3_stmt;

namespace tw::sqlite {

class Statement {
  public:
    Statement() = default;
    Statement(sqlite3* db, const QString& sql, const QString& errorSource);
    ~Statement();
    Statement(Statement&& other) noexcept;
    Statement& operator=(Statement&& other) noexcept;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool isValid() const { return statement_ != nullptr; }
    sqlite3_stmt* get() const { return statement_; }

    void bind(int index, const Variant& value);
    // True while a row is current; false when done. Errors raise.
    bool step();
    void reset();
    // Reset for a caller that binds every parameter again before the next
    // step: the old bindings are left to be replaced, not cleared first.
    void rewind();
    void finalize();
    int columnCount() const;

  private:
    sqlite3* db_ = nullptr;
    sqlite3_stmt* statement_ = nullptr;
    QString source_;
};

// Runs a statement that yields no rows we need (PRAGMA, BEGIN, COMMIT ...).
void exec(sqlite3* db, const char* sql, const QString& errorSource);

}  // namespace tw::sqlite
