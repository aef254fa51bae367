#include "db/jet/Catalog.h"

namespace tw::jet {

void Catalog::addTable(TableInfo table) {
    tables_.push_back(std::move(table));
}

const TableInfo* Catalog::findTable(const QString& name) const {
    for (const TableInfo& table : tables_) {
        if (table.name.compare(name, Qt::CaseInsensitive) == 0) {
            return &table;
        }
    }
    return nullptr;
}

std::optional<ColumnInfo> Catalog::findColumn(const QString& table, const QString& column) const {
    const TableInfo* info = findTable(table);
    if (info == nullptr) {
        return std::nullopt;
    }
    for (const ColumnInfo& c : info->columns) {
        if (c.name.compare(column, Qt::CaseInsensitive) == 0) {
            return c;
        }
    }
    return std::nullopt;
}

}  // namespace tw::jet
