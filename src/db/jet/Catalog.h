#pragma once
// What the translator needs to know of the database: tables and stored
// queries, their columns in stored order and each column's type.

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace tw::jet {

enum class ColumnType { Unknown, Text, Integer, Double, Date };

struct ColumnInfo {
    QString name;
    ColumnType type = ColumnType::Unknown;
};

struct TableInfo {
    QString name;                     // as stored
    bool isView = false;              // a stored query
    std::vector<ColumnInfo> columns;  // in stored order
};

class Catalog {
  public:
    void addTable(TableInfo table);
    // Case-insensitive look-ups; nullptr / nullopt when unknown.
    const TableInfo* findTable(const QString& name) const;
    std::optional<ColumnInfo> findColumn(const QString& table, const QString& column) const;
    const std::vector<TableInfo>& tables() const { return tables_; }

  private:
    std::vector<TableInfo> tables_;
};

}  // namespace tw::jet
