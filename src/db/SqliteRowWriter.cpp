#include "db/SqliteRowWriter.h"

#include <sqlite3.h>

#include <QStringList>

#include "db/SqliteErrors.h"

namespace tw::sqlite {

QString quoteName(const QString& name) {
    QString quoted = name;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

RowWriter::RowWriter(sqlite3* db, QString table, std::vector<QString> columnOfField)
    : db_(db), table_(std::move(table)), columnOfField_(std::move(columnOfField)) {
    Statement keys(db_, QStringLiteral("SELECT name FROM pragma_table_info(?1) WHERE pk > 0"),
                   kRecordsetSource);
    keys.bind(1, Variant(table_));
    while (keys.step()) {
        const QString key =
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(keys.get(), 0)));
        for (size_t i = 0; i < columnOfField_.size(); ++i) {
            if (columnOfField_[i].compare(key, Qt::CaseInsensitive) == 0) {
                keyFields_.push_back(static_cast<int>(i));
            }
        }
    }
}

QString RowWriter::insertSql(const std::vector<bool>& changed) const {
    QStringList names;
    QStringList marks;
    for (size_t i = 0; i < changed.size(); ++i) {
        if (changed[i]) {
            names << quoteName(columnOfField_[i]);
            marks << QStringLiteral("?");
        }
    }
    if (names.isEmpty()) {
        return QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quoteName(table_));
    }
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
        .arg(quoteName(table_), names.join(u','), marks.join(u','));
}

QString RowWriter::updateSql(const std::vector<bool>& changed) const {
    QStringList sets;
    for (size_t i = 0; i < changed.size(); ++i) {
        if (changed[i]) {
            sets << quoteName(columnOfField_[i]) + QStringLiteral("=?");
        }
    }
    return QStringLiteral("UPDATE %1 SET %2 WHERE rowid=?").arg(quoteName(table_), sets.join(u','));
}

Statement& RowWriter::statementFor(bool insert, const std::vector<bool>& changed) {
    for (Cached& cached : cache_) {
        if (cached.insert == insert && cached.changed == changed) {
            return cached.statement;
        }
    }
    Statement statement(db_, insert ? insertSql(changed) : updateSql(changed), kRecordsetSource);
    cache_.push_back({insert, changed, std::move(statement)});
    return cache_.back().statement;
}

void RowWriter::requireKeys(const std::vector<Variant>& values,
                            const std::vector<bool>& changed) const {
    // An INTEGER PRIMARY KEY would silently number a Null key; Jet refused it.
    for (int field : keyFields_) {
        if (!changed[field] || values[field].isNull()) {
            throw AppError(kNullInKey, kRecordsetSource,
                           QStringLiteral("Index or primary key cannot contain a Null value."));
        }
    }
}

void RowWriter::insert(const std::vector<Variant>& values, const std::vector<bool>& changed) {
    requireKeys(values, changed);
    Statement& statement = statementFor(true, changed);
    int parameter = 1;
    for (size_t i = 0; i < changed.size(); ++i) {
        if (changed[i]) {
            statement.bind(parameter++, values[i]);
        }
    }
    statement.step();
    statement.rewind();
}

void RowWriter::update(int64_t rowId, const std::vector<Variant>& values,
                       const std::vector<bool>& changed) {
    bool any = false;
    for (size_t i = 0; i < changed.size(); ++i) {
        if (changed[i] &&
            std::find(keyFields_.begin(), keyFields_.end(), static_cast<int>(i)) !=
                keyFields_.end() &&
            values[i].isNull()) {
            throw AppError(kNullInKey, kRecordsetSource,
                           QStringLiteral("Index or primary key cannot contain a Null value."));
        }
        any = any || changed[i];
    }
    if (!any) {
        return;
    }
    Statement& statement = statementFor(false, changed);
    int parameter = 1;
    for (size_t i = 0; i < changed.size(); ++i) {
        if (changed[i]) {
            statement.bind(parameter++, values[i]);
        }
    }
    sqlite3_bind_int64(statement.get(), parameter, rowId);
    statement.step();
    statement.rewind();
}

}  // namespace tw::sqlite
