#pragma once
// Shared by the engine tests: a fresh statistics database in a temporary
// folder, a way to look at it through SQLite directly, and the paths of the
// built tools.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <memory>
#include <ostream>

#include "db/AppError.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "db/SqliteSchemaBuilder.h"
#include "support/QtPrinters.h"

namespace tw {
inline void PrintTo(const Variant& value, std::ostream* out) {
    *out << (value.isNull() ? std::string("Null") : value.joinText().toStdString()) << " (type "
         << static_cast<int>(value.type()) << ')';
}
}  // namespace tw

namespace tw::test {

inline QString sqlToolPath() {
    return QStringLiteral(TALLYWICK_BINARY_DIR "/tools/sql/tallywick-sql");
}

inline QString deliveredDatabasePath() {
    return QStringLiteral(TALLYWICK_PROGRAM_DIR "/tallywick110.mdb");
}

// A new database as the build makes it; built once per test run, copied.
inline void createFreshDatabase(const QString& path) {
    static QTemporaryDir folder;
    static const QString made = [] {
        QString file = folder.filePath(QStringLiteral("made.mdb"));
        sqlite::createStatisticsDatabase(file, QStringLiteral(TALLYWICK_SOURCE_DIR "/src/db"));
        return file;
    }();
    ASSERT_TRUE(QFile::copy(made, path));
}

inline QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Runs `call` and returns the number of the AppError it raised (0: none).
template <typename Call>
int errorNumberOf(Call&& call) {
    try {
        call();
    } catch (const AppError& error) {
        return error.number();
    }
    return 0;
}

template <typename Call>
QString errorTextOf(Call&& call) {
    try {
        call();
    } catch (const AppError& error) {
        return QStringLiteral("%1: %2").arg(error.number()).arg(error.description());
    }
    return QString();
}

// One value through SQLite itself (the database must be closed): what is
// really stored, independent of the engine layer under test.
inline QString storedText(const QString& path, const char* sql) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* statement = nullptr;
    QString result = QStringLiteral("<error>");
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
        result = text ? QString::fromUtf8(text) : QStringLiteral("<null>");
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return result;
}

// The rows from the current one to the end as "v|v|..." (Null as "Null").
inline QStringList rowsOf(Recordset& rows) {
    QStringList lines;
    for (; !rows.isEof(); rows.moveNext()) {
        QStringList cells;
        for (int i = 0; i < rows.fieldCount(); ++i) {
            const Variant value = rows.field(i);
            cells << (value.isNull() ? QStringLiteral("Null") : value.toText());
        }
        lines << cells.join(u'|');
    }
    return lines;
}

class EngineTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        path_ = dir_.filePath(QStringLiteral("tallywick110.mdb"));
        createFreshDatabase(path_);
        db_ = Database::open(path_);
    }

    void Run(const QString& sql) { db_->execute(sql); }

    void reopen() {
        db_->close();
        db_ = Database::open(path_);
    }

    QTemporaryDir dir_;
    QString path_;
    std::unique_ptr<Database> db_;
};

}  // namespace tw::test
