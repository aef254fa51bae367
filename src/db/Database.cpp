#include "db/Database.h"

#include <sqlite3.h>

#include "db/SqliteCatalog.h"
#include "db/SqliteConnection.h"
#include "db/SqliteErrors.h"
#include "db/SqliteRecordset.h"
#include "db/SqliteRowWriter.h"
#include "db/SqliteStatement.h"
#include "db/jet/Translator.h"

namespace tw {

using sqlite::kDatabaseSource;

namespace {

// "[Game]" and "Game" name the same table.
QString bareName(const QString& text) {
    QString trimmed = text.trimmed();
    if (trimmed.size() > 2 && trimmed.startsWith(u'[') && trimmed.endsWith(u']')) {
        return trimmed.mid(1, trimmed.size() - 2);
    }
    return trimmed;
}

std::vector<QString> pivotValues(sqlite3* db, const QString& sql) {
    sqlite::Statement pivot(db, sql, sqlite::kRecordsetSource);
    std::vector<QString> values;
    while (pivot.step()) {
        // The translator wants the engine's own text of each value.
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(pivot.get(), 0));
        values.push_back(text ? QString::fromUtf8(text) : QString());
    }
    return values;
}

// The SELECT and its columns that read `source`, as openRecordset would.
sqlite::CursorSpec sourceCursor(const QString& source, const jet::Catalog& catalog) {
    if (const jet::TableInfo* table = catalog.findTable(bareName(source))) {
        return sqlite::tableCursor(*table);
    }
    const jet::Translation translation = jet::translate(source, catalog);
    if (translation.kind != jet::Translation::Kind::Select) {
        throw AppError(sqlite::kInvalidOperation, kDatabaseSource,
                       QStringLiteral("Invalid operation."));
    }
    sqlite::CursorSpec spec;
    spec.sql = translation.sql;
    spec.columns = translation.columns;
    return spec;
}

template <typename Column>
const Column* named(const std::vector<Column>& columns, const QString& name) {
    for (const Column& column : columns) {
        if (column.name.compare(name, Qt::CaseInsensitive) == 0) {
            return &column;
        }
    }
    throw AppError(err::kItemNotFound, kDatabaseSource,
                   QStringLiteral("Item not found in this collection."));
}

// INSERT ... SELECT that skips rows with a key already present ("WHERE true"
// keeps SQLite from reading ON CONFLICT as a join's ON).
QString copySql(const sqlite::CursorSpec& from, const jet::TableInfo& into,
                const QStringList& columns) {
    QStringList targets;
    QStringList picked;
    for (const QString& name : columns) {
        const jet::ColumnInfo* target = named(into.columns, name);
        const jet::ResultColumn* source = named(from.columns, name);
        if (source->type != jet::ColumnType::Unknown && source->type != target->type) {
            throw AppError(sqlite::kConversionError, kDatabaseSource,
                           QStringLiteral("Data type conversion error."));
        }
        targets << sqlite::quoteName(target->name);
        picked << QStringLiteral("\"_source\".") + sqlite::quoteName(source->name);
    }
    return QStringLiteral(
               "INSERT INTO %1 (%2) SELECT %3 FROM (%4) AS \"_source\" WHERE true "
               "ON CONFLICT DO NOTHING")
        .arg(sqlite::quoteName(into.name), targets.join(u','), picked.join(u','), from.sql);
}

}  // namespace

std::unique_ptr<Database> Database::open(const QString& path) {
    std::unique_ptr<Database> database(new Database());
    database->connection_ = sqlite::Connection::open(path);
    database->path_ = path;
    return database;
}

std::unique_ptr<Database> Database::openReadOnly(const QString& path) {
    std::unique_ptr<Database> database(new Database());
    database->connection_ = sqlite::Connection::open(path, sqlite::Connection::Access::ReadOnly);
    database->path_ = path;
    return database;
}

// Letting go of the Database lets go of the file, as releasing DAO's did;
// recordsets still held become unusable.
Database::~Database() {
    if (!connection_) {
        return;
    }
    try {
        connection_->close();
    } catch (const AppError&) {
        // Destruction cannot report; an explicit Close() does.
    }
}

void Database::close() {
    connection_->close();
}

bool Database::isOpen() const {
    return connection_->isOpen();
}

sqlite3* Database::handle() const {
    return connection_->db();
}

const jet::Catalog& Database::catalog() const {
    return connection_->catalog();
}

void Database::beginUnit() {
    connection_->beginUnit();
}

void Database::commitUnit() {
    connection_->commitUnit();
}

void Database::rollbackUnit() {
    connection_->rollbackUnit();
}

int64_t Database::execute(const QString& jetSql) {
    return run(jetSql, true);
}

int64_t Database::executeInBatch(const QString& jetSql) {
    return run(jetSql, false);
}

int64_t Database::run(const QString& jetSql, bool commitAfter) {
    connection_->requireOpen(kDatabaseSource);
    const jet::Translation translation = jet::translate(jetSql, catalog());
    switch (translation.kind) {
        case jet::Translation::Kind::Action:
            break;
        case jet::Translation::Kind::SelectInto:
            return writeOutside(translation);
        default:
            throw AppError(sqlite::kCannotExecuteSelect, kDatabaseSource,
                           QStringLiteral("Cannot execute a select query."));
    }
    return step(translation.sql, commitAfter);
}

// Runs one translated action statement in the batch; commits after it, or
// leaves it to the batch's limits.
int64_t Database::step(const QString& sql, bool commitAfter) {
    sqlite::Statement statement(handle(), sql, kDatabaseSource);
    connection_->beginWrite();
    try {
        statement.step();
    } catch (const AppError&) {
        // The failed statement undid itself; earlier recordset writes stay.
        try {
            connection_->commitPending();
        } catch (const AppError&) {
            // The statement's own error is the one to report.
        }
        throw;
    }
    const int64_t changed = sqlite3_changes64(handle());
    if (commitAfter) {
        connection_->commitPending();
    } else {
        connection_->noteRecordsetWrite();
    }
    return changed;
}

int64_t Database::copyRows(const QString& source, const QString& target,
                           const QStringList& columns) {
    connection_->requireOpen(kDatabaseSource);
    const jet::TableInfo* into = catalog().findTable(bareName(target));
    if (into == nullptr) {
        throw AppError(err::kUnknownTable, kDatabaseSource,
                       QStringLiteral("The database engine cannot find the input table or query "
                                      "'%1'. Make sure it exists and that its name is spelled "
                                      "correctly.")
                           .arg(target));
    }
    if (into->isView) {
        throw AppError(err::kNotUpdatable, kDatabaseSource,
                       QStringLiteral("Cannot update. Database or object is read-only."));
    }
    return step(copySql(sourceCursor(source, catalog()), *into, columns), false);
}

int64_t Database::writeOutside(const jet::Translation& translation) {
    if (!connection_->externalWriter) {
        throw AppError(err::kNoOutsideWriter, kDatabaseSource,
                       QStringLiteral("Could not find installable ISAM."));
    }
    connection_->commitPending();
    sqlite::CursorSpec spec;
    spec.sql = translation.sql;
    spec.columns = translation.columns;
    sqlite::SqliteRecordset rows(connection_, spec);
    return connection_->externalWriter->writeTable(*translation.target, rows);
}

std::unique_ptr<Recordset> Database::openRecordset(const QString& tableQueryOrSql) {
    connection_->requireOpen(kDatabaseSource);
    connection_->commitPending();
    if (const jet::TableInfo* table = catalog().findTable(bareName(tableQueryOrSql))) {
        return std::make_unique<sqlite::SqliteRecordset>(connection_, sqlite::tableCursor(*table));
    }
    return openSelect(tableQueryOrSql);
}

std::unique_ptr<Recordset> Database::openSelect(const QString& jetSql) {
    jet::Translation translation = jet::translate(jetSql, catalog());
    if (translation.kind == jet::Translation::Kind::Transform) {
        translation = translation.finalSql(pivotValues(handle(), translation.pivotValuesSql));
    } else if (translation.kind != jet::Translation::Kind::Select) {
        throw AppError(sqlite::kInvalidOperation, kDatabaseSource,
                       QStringLiteral("Invalid operation."));
    }
    sqlite::CursorSpec spec;
    spec.sql = translation.sql;
    spec.columns = translation.columns;
    spec.baseTable = translation.baseTable;
    return std::make_unique<sqlite::SqliteRecordset>(connection_, spec);
}

QStringList Database::tableNames() const {
    connection_->requireOpen(kDatabaseSource);
    return sqlite::userTableNames(handle());
}

void Database::setExternalWriter(std::shared_ptr<ExternalWriter> writer) {
    connection_->externalWriter = std::move(writer);
}

}  // namespace tw
