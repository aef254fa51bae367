#include "db/SqliteCatalog.h"

#include <sqlite3.h>

#include "db/SqliteErrors.h"
#include "db/SqliteStatement.h"

namespace tw::sqlite {

namespace {

QString textColumn(sqlite3_stmt* statement, int column) {
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, column)));
}

std::vector<jet::ColumnInfo> columnsOf(sqlite3* db, const QString& table) {
    Statement info(db, QStringLiteral("SELECT name, type FROM pragma_table_info(?1)"),
                   kDatabaseSource);
    info.bind(1, Variant(table));
    std::vector<jet::ColumnInfo> columns;
    while (info.step()) {
        columns.push_back(
            {textColumn(info.get(), 0), columnTypeOfDeclared(textColumn(info.get(), 1))});
    }
    return columns;
}

}  // namespace

jet::ColumnType columnTypeOfDeclared(const QString& declared) {
    const QString type = declared.trimmed().toUpper();
    if (type == QLatin1String("TEXT") || type.startsWith(QLatin1String("VARCHAR")) ||
        type.startsWith(QLatin1String("CHAR"))) {
        return jet::ColumnType::Text;
    }
    if (type == QLatin1String("INTEGER") || type == QLatin1String("INT") ||
        type == QLatin1String("BIGINT") || type == QLatin1String("SMALLINT")) {
        return jet::ColumnType::Integer;
    }
    if (type == QLatin1String("DOUBLE") || type == QLatin1String("REAL") ||
        type == QLatin1String("FLOAT")) {
        return jet::ColumnType::Double;
    }
    if (type == QLatin1String("DATETIME") || type == QLatin1String("DATE")) {
        return jet::ColumnType::Date;
    }
    return jet::ColumnType::Unknown;
}

jet::Catalog buildCatalog(sqlite3* db) {
    Statement objects(db,
                      QStringLiteral("SELECT name, type FROM sqlite_schema WHERE type IN "
                                     "('table', 'view') AND name NOT LIKE 'sqlite\\_%' ESCAPE "
                                     "'\\' ORDER BY rowid"),
                      kDatabaseSource);
    std::vector<jet::TableInfo> found;
    while (objects.step()) {
        jet::TableInfo table;
        table.name = textColumn(objects.get(), 0);
        table.isView = textColumn(objects.get(), 1) == QLatin1String("view");
        found.push_back(std::move(table));
    }
    objects.finalize();
    jet::Catalog catalog;
    for (jet::TableInfo& table : found) {
        table.columns = columnsOf(db, table.name);
        catalog.addTable(std::move(table));
    }
    return catalog;
}

QStringList userTableNames(sqlite3* db) {
    Statement tables(db,
                     QStringLiteral("SELECT name FROM sqlite_schema WHERE type = 'table' AND "
                                    "name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY rowid"),
                     kDatabaseSource);
    QStringList names;
    while (tables.step()) {
        names << textColumn(tables.get(), 0);
    }
    return names;
}

}  // namespace tw::sqlite
