#pragma once
// Stores the edit buffer of an updatable recordset: INSERT for AddNew, UPDATE
// by row id for Edit. Prepared statements are kept per set of changed fields,
// so a loop of AddNew/Update that sets the same fields prepares once.

#include <QString>
#include <cstdint>
#include <vector>

#include "db/SqliteStatement.h"
#include "db/Variant.h"

struct sqlite3;

namespace tw::sqlite {

QString QuoteName(const QString& name);

class RowWriter {
  public:
    // columnOfField[i]: the base-table column field i stores into, or the
    // empty text when the field cannot be updated.
    RowWriter(sqlite3* db, QString table, std::vector<QString> columnOfField);

    bool CanUpdate(int field) const { return !columnOfField_[field].isEmpty(); }

    // Raise the engine's errors: 3022 duplicate key, 3058 Null in a key.
    void Insert(const std::vector<Variant>& values, const std::vector<bool>& changed);
    void Update(int64_t rowId, const std::vector<Variant>& values,
                const std::vector<bool>& changed);

  private:
    struct Cached {
        bool insert;
        std::vector<bool> changed;
        Statement statement;
    };
    Statement& StatementFor(bool insert, const std::vector<bool>& changed);
    QString InsertSql(const std::vector<bool>& changed) const;
    QString UpdateSql(const std::vector<bool>& changed) const;
    void RequireKeys(const std::vector<Variant>& values, const std::vector<bool>& changed) const;

    sqlite3* db_;
    QString table_;
    std::vector<QString> columnOfField_;
    std::vector<int> keyFields_;
    std::vector<Cached> cache_;
};

}  // namespace tw::sqlite
