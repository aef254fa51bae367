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
QString BareName(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.size() > 2 && trimmed.startsWith(u'[') && trimmed.endsWith(u']')) {
        return trimmed.mid(1, trimmed.size() - 2);
    }
    return trimmed;
}

std::vector<QString> PivotValues(sqlite3* db, const QString& sql) {
    sqlite::Statement pivot(db, sql, sqlite::kRecordsetSource);
    std::vector<QString> values;
    while (pivot.Step()) {
        // The translator wants the engine's own text of each value.
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(pivot.get(), 0));
        values.push_back(text ? QString::fromUtf8(text) : QString());
    }
    return values;
}

// The SELECT and its columns that read `source`, as OpenRecordset would.
sqlite::CursorSpec SourceCursor(const QString& source, const jet::Catalog& catalog) {
    if (const jet::TableInfo* table = catalog.FindTable(BareName(source))) {
        return sqlite::TableCursor(*table);
    }
    const jet::Translation translation = jet::Translate(source, catalog);
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
const Column* Named(const std::vector<Column>& columns, const QString& name) {
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
QString CopySql(const sqlite::CursorSpec& from, const jet::TableInfo& into,
                const QStringList& columns) {
    QStringList targets;
    QStringList picked;
    for (const QString& name : columns) {
        const jet::ColumnInfo* target = Named(into.columns, name);
        const jet::ResultColumn* source = Named(from.columns, name);
        if (source->type != jet::ColumnType::Unknown && source->type != target->type) {
            throw AppError(sqlite::kConversionError, kDatabaseSource,
                           QStringLiteral("Data type conversion error."));
        }
        targets << sqlite::QuoteName(target->name);
        picked << QStringLiteral("\"_source\".") + sqlite::QuoteName(source->name);
    }
    return QStringLiteral(
               "INSERT INTO %1 (%2) SELECT %3 FROM (%4) AS \"_source\" WHERE true "
               "ON CONFLICT DO NOTHING")
        .arg(sqlite::QuoteName(into.name), targets.join(u','), picked.join(u','), from.sql);
}

}  // namespace

std::unique_ptr<Database> Database::Open(const QString& path) {
    std::unique_ptr<Database> database(new Database());
    database->connection_ = sqlite::Connection::Open(path);
    database->path_ = path;
    return database;
}

std::unique_ptr<Database> Database::OpenReadOnly(const QString& path) {
    std::unique_ptr<Database> database(new Database());
    database->connection_ = sqlite::Connection::Open(path, sqlite::Connection::Access::ReadOnly);
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
        connection_->Close();
    } catch (const AppError&) {
        // Destruction cannot report; an explicit Close() does.
    }
}

void Database::Close() {
    connection_->Close();
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

void Database::BeginUnit() {
    connection_->BeginUnit();
}

void Database::CommitUnit() {
    connection_->CommitUnit();
}

void Database::RollbackUnit() {
    connection_->RollbackUnit();
}

int64_t Database::Execute(const QString& jetSql) {
    return Run(jetSql, true);
}

int64_t Database::ExecuteInBatch(const QString& jetSql) {
    return Run(jetSql, false);
}

int64_t Database::Run(const QString& jetSql, bool commitAfter) {
    connection_->RequireOpen(kDatabaseSource);
    const jet::Translation translation = jet::Translate(jetSql, catalog());
    switch (translation.kind) {
        case jet::Translation::Kind::Action:
            break;
        case jet::Translation::Kind::SelectInto:
            return WriteOutside(translation);
        default:
            throw AppError(sqlite::kCannotExecuteSelect, kDatabaseSource,
                           QStringLiteral("Cannot execute a select query."));
    }
    return Step(translation.sql, commitAfter);
}

// Runs one translated action statement in the batch; commits after it, or
// leaves it to the batch's limits.
int64_t Database::Step(const QString& sql, bool commitAfter) {
    sqlite::Statement statement(handle(), sql, kDatabaseSource);
    connection_->BeginWrite();
    try {
        statement.Step();
    } catch (const AppError&) {
        // The failed statement undid itself; earlier recordset writes stay.
        try {
            connection_->CommitPending();
        } catch (const AppError&) {
            // The statement's own error is the one to report.
        }
        throw;
    }
    const int64_t changed = sqlite3_changes64(handle());
    if (commitAfter) {
        connection_->CommitPending();
    } else {
        connection_->NoteRecordsetWrite();
    }
    return changed;
}

int64_t Database::CopyRows(const QString& source, const QString& target,
                           const QStringList& columns) {
    connection_->RequireOpen(kDatabaseSource);
    const jet::TableInfo* into = catalog().FindTable(BareName(target));
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
    return Step(CopySql(SourceCursor(source, catalog()), *into, columns), false);
}

int64_t Database::WriteOutside(const jet::Translation& translation) {
    if (!connection_->externalWriter) {
        throw AppError(err::kNoOutsideWriter, kDatabaseSource,
                       QStringLiteral("Could not find installable ISAM."));
    }
    connection_->CommitPending();
    sqlite::CursorSpec spec;
    spec.sql = translation.sql;
    spec.columns = translation.columns;
    sqlite::SqliteRecordset rows(connection_, spec);
    return connection_->externalWriter->WriteTable(*translation.target, rows);
}

std::unique_ptr<Recordset> Database::OpenRecordset(const QString& tableQueryOrSql) {
    connection_->RequireOpen(kDatabaseSource);
    connection_->CommitPending();
    if (const jet::TableInfo* table = catalog().FindTable(BareName(tableQueryOrSql))) {
        return std::make_unique<sqlite::SqliteRecordset>(connection_, sqlite::TableCursor(*table));
    }
    return OpenSelect(tableQueryOrSql);
}

std::unique_ptr<Recordset> Database::OpenSelect(const QString& jetSql) {
    jet::Translation translation = jet::Translate(jetSql, catalog());
    if (translation.kind == jet::Translation::Kind::Transform) {
        translation = translation.finalSql(PivotValues(handle(), translation.pivotValuesSql));
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

QStringList Database::TableNames() const {
    connection_->RequireOpen(kDatabaseSource);
    return sqlite::UserTableNames(handle());
}

void Database::SetExternalWriter(std::shared_ptr<ExternalWriter> writer) {
    connection_->externalWriter = std::move(writer);
}

}  // namespace tw
