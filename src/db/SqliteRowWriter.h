#pragma once
// Stores the edit buffer of an updatable recordset: INSERT for addNew, UPDATE
// by row id for Edit. Prepared statements are kept per set of changed fields,
// so a loop of addNew/Update that sets the same fields prepares once.

#include <QString>
#include <cstdint>
#include <vector>

#include "db/SqliteStatement.h"
#include "db/Variant.h"

struct sqlite3;

namespace tw::sqlite {

QString quoteName(const QString& name);

class RowWriter {
  public:
    // columnOfField[i]: the base-table column field i stores into, or the
    // empty text when the field cannot be updated.
    RowWriter(sqlite3* db, QString table, std::vector<QString> columnOfField);

    bool canUpdate(int field) const { return !columnOfField_[field].isEmpty(); }

    // Raise the engine's errors: 3022 duplicate key, 3058 Null in a key.
    void insert(const std::vector<Variant>& values, const std::vector<bool>& changed);
    void update(int64_t rowId, const std::vector<Variant>& values,
                const std::vector<bool>& changed);

  private:
    struct Cached {
        bool insert;
        std::vector<bool> changed;
        Statement statement;
    };
    Statement& statementFor(bool insert, const std::vector<bool>& changed);
    QString insertSql(const std::vector<bool>& changed) const;
    QString updateSql(const std::vector<bool>& changed) const;
    void requireKeys(const std::vector<Variant>& values, const std::vector<bool>& changed) const;

    sqlite3* db_;
    QString table_;
    std::vector<QString> columnOfField_;
    std::vector<int> keyFields_;
    std::vector<Cached> cache_;
};

}  // namespace tw::sqlite
