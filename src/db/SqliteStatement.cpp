#include "db/SqliteStatement.h"

#include <sqlite3.h>

#include <utility>

#include "db/SqliteErrors.h"
#include "db/SqliteValues.h"

namespace tw::sqlite {

namespace {

bool onlySpaceOrSemicolons(const char* tail) {
    for (; tail && *tail; ++tail) {
        if (*tail != ';' && *tail != ' ' && *tail != '\t' && *tail != '\r' && *tail != '\n') {
            return false;
        }
    }
    return true;
}

}  // namespace

Statement::Statement(sqlite3* db, const QString& sql, const QString& errorSource)
    : db_(db), source_(errorSource) {
    const QByteArray text = sql.toUtf8();
    const char* tail = nullptr;
    const int rc = sqlite3_prepare_v3(db, text.constData(), static_cast<int>(text.size()) + 1,
                                      SQLITE_PREPARE_PERSISTENT, &statement_, &tail);
    if (rc != SQLITE_OK) {
        throw errorFromResult(db, rc, source_);
    }
    if (!onlySpaceOrSemicolons(tail)) {
        finalize();
        throw AppError(err::kMoreThanOneStatement, source_,
                       QStringLiteral("Characters found after end of SQL statement."));
    }
}

Statement::~Statement() {
    finalize();
}

Statement::Statement(Statement&& other) noexcept
    : db_(other.db_),
      statement_(std::exchange(other.statement_, nullptr)),
      source_(std::move(other.source_)) {}

Statement& Statement::operator=(Statement&& other) noexcept {
    if (this != &other) {
        finalize();
        db_ = other.db_;
        statement_ = std::exchange(other.statement_, nullptr);
        source_ = std::move(other.source_);
    }
    return *this;
}

void Statement::bind(int index, const Variant& value) {
    bindValue(statement_, index, value);
}

bool Statement::step() {
    const int rc = sqlite3_step(statement_);
    if (rc == SQLITE_ROW) {
        return true;
    }
    if (rc == SQLITE_DONE) {
        return false;
    }
    AppError error = errorFromResult(db_, rc, source_);
    sqlite3_reset(statement_);
    throw error;
}

void Statement::reset() {
    if (statement_) {
        sqlite3_reset(statement_);
        sqlite3_clear_bindings(statement_);
    }
}

void Statement::rewind() {
    if (statement_) {
        sqlite3_reset(statement_);
    }
}

void Statement::finalize() {
    if (statement_) {
        sqlite3_finalize(statement_);
        statement_ = nullptr;
    }
}

int Statement::columnCount() const {
    return statement_ ? sqlite3_column_count(statement_) : 0;
}

void exec(sqlite3* db, const char* sql, const QString& errorSource) {
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        throw errorFromResult(db, rc, errorSource);
    }
}

}  // namespace tw::sqlite
