#include "db/SqliteSchemaBuilder.h"

#include <sqlite3.h>

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <optional>
#include <vector>

#include "db/SqliteCatalog.h"
#include "db/SqliteErrors.h"
#include "db/SqliteRowWriter.h"
#include "db/SqliteStatement.h"

namespace tw::sqlite {

namespace {

const QString kSource = QStringLiteral("Schema");

QByteArray readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw AppError(err::kDatabaseNotFound, kSource,
                       QStringLiteral("Could not find file '%1'.").arg(path));
    }
    return file.readAll();
}

Variant typedValue(const QString& text, jet::ColumnType type) {
    bool ok = false;
    if (type == jet::ColumnType::Integer) {
        const qlonglong whole = text.toLongLong(&ok);
        if (ok) {
            return Variant(static_cast<int64_t>(whole));
        }
    } else if (type == jet::ColumnType::Double) {
        const double number = text.toDouble(&ok);
        if (ok) {
            return Variant(number);
        }
    }
    return Variant(text);
}

// Header line names the columns; columns the table lacks (a colour's name
// for people) are left out.
void insertReferenceRows(sqlite3* db, const jet::TableInfo& table, const QString& tsvPath) {
    const QStringList lines = QString::fromUtf8(readFile(tsvPath)).split(u'\n');
    const QStringList header = lines.value(0).trimmed().split(u'\t');
    QStringList names;
    QStringList marks;
    for (const jet::ColumnInfo& column : table.columns) {
        const int field = static_cast<int>(header.indexOf(column.name));
        if (field >= 0) {
            names << quoteName(column.name);
            marks << QStringLiteral("?");
        }
    }
    Statement insert(db,
                     QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                         .arg(quoteName(table.name), names.join(u','), marks.join(u',')),
                     kSource);
    for (int line = 1; line < lines.size(); ++line) {
        QString text = lines[line];
        if (text.endsWith(u'\r')) {
            text.chop(1);
        }
        if (text.trimmed().isEmpty()) {
            continue;
        }
        const QStringList cells = text.split(u'\t');
        int parameter = 1;
        for (const jet::ColumnInfo& info : table.columns) {
            const int field = static_cast<int>(header.indexOf(info.name));
            if (field >= 0) {
                insert.bind(parameter++, typedValue(cells.value(field), info.type));
            }
        }
        insert.step();
        insert.reset();
    }
}

void build(sqlite3* db, const QString& sourceDir) {
    exec(db, "PRAGMA journal_mode=WAL", kSource);
    exec(db, "BEGIN", kSource);
    const QByteArray schema = readFile(sourceDir + QStringLiteral("/schema.sql"));
    exec(db, schema.constData(), kSource);
    const jet::Catalog catalog = buildCatalog(db);
    for (const QString& name : {QStringLiteral("Medal"), QStringLiteral("Color")}) {
        const jet::TableInfo* table = catalog.findTable(name);
        if (!table) {
            throw AppError(err::kUnknownTable, kSource,
                           QStringLiteral("schema.sql makes no table %1.").arg(name));
        }
        insertReferenceRows(
            db, *table, sourceDir + QStringLiteral("/reference/") + name + QStringLiteral(".tsv"));
    }
    exec(db, "COMMIT", kSource);
}

}  // namespace

void createStatisticsDatabase(const QString& target, const QString& sourceDir) {
    if (QFileInfo::exists(target)) {
        throw AppError(kDatabaseExists, kSource, QStringLiteral("Database already exists."));
    }
    const QString building = target + QStringLiteral(".building");
    QFile::remove(building);
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(building.toUtf8().constData(), &db,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    std::optional<AppError> failure;
    if (rc != SQLITE_OK) {
        failure = errorFromResult(db, rc, kSource, building);
    } else {
        try {
            build(db, sourceDir);
        } catch (const AppError& error) {
            failure = error;
        }
    }
    // Closing the last connection folds the WAL back into the file.
    sqlite3_close(db);
    if (failure || !QFile::rename(building, target)) {
        QFile::remove(building);
        throw failure ? *failure
                      : AppError(kDiskError, kSource, QStringLiteral("Disk or network error."));
    }
}

}  // namespace tw::sqlite
