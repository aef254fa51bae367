#include "db/SqliteConnection.h"

#include <sqlite3.h>

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QUrl>
#include <algorithm>
#include <optional>

#include "db/SqliteCatalog.h"
#include "db/SqliteErrors.h"
#include "db/SqliteStatement.h"
#include "db/jet/Translator.h"

namespace tw::sqlite {

namespace {

constexpr int kBatchRowLimit = 20000;
constexpr qint64 kBatchAgeLimitMs = 1000;

// The tables of schema.sql. A database of the program holds them all, one of
// an older release (or one the user pruned) some of them; a file with none of
// them is someone else's.
constexpr const char* kOurTables[] = {"Player",
                                      "Clan",
                                      "Color",
                                      "Medal",
                                      "Game",
                                      "Game_Player",
                                      "Game_Player_Medal",
                                      "Player_Playlist",
                                      "zLoad_Panel_1",
                                      "zLoad_Panel_2",
                                      "zLoad_Panel_4",
                                      "zLoad_Panel_5"};

// Steps `sql` to its end, handing each row's first column to `row`; a failure
// raises the open error naming `path`.
template <typename OnRow>
void readRows(sqlite3* db, const QByteArray& sql, const QString& path, OnRow row) {
    sqlite3_stmt* statement = nullptr;
    int rc = sqlite3_prepare_v2(db, sql.constData(), -1, &statement, nullptr);
    while (rc == SQLITE_OK || rc == SQLITE_ROW) {
        rc = sqlite3_step(statement);
        if (rc == SQLITE_ROW) {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
            row(QString::fromUtf8(text ? text : ""));
        }
    }
    sqlite3_finalize(statement);
    if (rc != SQLITE_DONE) {
        throw errorFromResult(db, rc, kDatabaseSource, path);
    }
}

// The address SQLite opens a file by for reading only. A file whose header
// says WAL holds all its pages itself once its "-wal" file is gone (it was
// closed cleanly), yet SQLite would make -wal and -shm files beside it to
// read it: such a file is read as immutable. With a "-wal" file present its
// last writes are there, another program may be writing it: it is refused.
QByteArray readOnlyAddress(const QString& path) {
    QByteArray address =
        QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toEncoded() + "?mode=ro";
    QFile file(path);
    QByteArray header;
    if (file.open(QIODevice::ReadOnly)) {
        header = file.read(20);
    }
    const bool wal = header.startsWith(QByteArrayView("SQLite format 3\0", 16)) &&
                     header.size() == 20 && header[18] == 2 && header[19] == 2;
    if (wal) {
        if (QFileInfo::exists(path + QStringLiteral("-wal"))) {
            throw errorFromResult(nullptr, SQLITE_CANTOPEN, kDatabaseSource, path);
        }
        address += "&immutable=1";
    }
    return address;
}

}  // namespace

std::shared_ptr<Connection> Connection::open(const QString& path, Access access) {
    if (!QFileInfo::exists(path)) {
        throw AppError(err::kDatabaseNotFound, kDatabaseSource,
                       QStringLiteral("Could not find file '%1'.").arg(path));
    }
    // SQLite would take an empty file for an empty database and write to it.
    if (QFileInfo(path).isFile() && QFileInfo(path).size() == 0) {
        throw errorFromResult(nullptr, SQLITE_NOTADB, kDatabaseSource, path);
    }
    std::shared_ptr<Connection> connection(new Connection(path));
    const int rc =
        access == Access::ReadWrite
            ? sqlite3_open_v2(path.toUtf8().constData(), &connection->db_,
                              SQLITE_OPEN_READWRITE | SQLITE_OPEN_EXRESCODE, nullptr)
            : sqlite3_open_v2(readOnlyAddress(path).constData(), &connection->db_,
                              SQLITE_OPEN_READONLY | SQLITE_OPEN_URI | SQLITE_OPEN_EXRESCODE,
                              nullptr);
    if (rc != SQLITE_OK) {
        AppError error = errorFromResult(connection->db_, rc, kDatabaseSource, path);
        sqlite3_close(connection->db_);
        connection->db_ = nullptr;
        throw error;
    }
    try {
        connection->configure(access);
    } catch (const AppError&) {
        sqlite3_close(connection->db_);
        connection->db_ = nullptr;
        throw;
    }
    return connection;
}

void Connection::configure(Access access) {
    // Errors here name the file, as the engine's open errors do.
    const auto run = [this](const char* sql) {
        const int rc = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK) {
            throw errorFromResult(db_, rc, kDatabaseSource, path_);
        }
    };
    // Exclusive before the first read, so WAL keeps its index in private
    // memory and the file lock is held until the connection closes.
    run("PRAGMA locking_mode=EXCLUSIVE");
    // Before anything that writes: switching the journal mode rewrites the
    // header, and a file that is not ours must be refused as it was found.
    requireOurFile();
    if (access == Access::ReadOnly) {
        jet::registerFunctions(db_);
        catalog_ = buildCatalog(db_);
        return;
    }
    run("PRAGMA journal_mode=WAL");
    run("PRAGMA synchronous=NORMAL");
    run("PRAGMA secure_delete=OFF");
    // A download's staging and merge touch more pages than the default 2 MB
    // cache holds; 16 MB keeps them in memory instead of re-reading them.
    run("PRAGMA cache_size=-16384");
    // A write transaction takes the exclusive lock now rather than at the
    // first write, so a second process is refused at open.
    run("BEGIN IMMEDIATE");
    run("COMMIT");
    jet::registerFunctions(db_);
    catalog_ = buildCatalog(db_);
}

void Connection::requireOurFile() {
    // Reading the schema refuses a file that is no database (3343) or whose
    // schema is damaged (3049), and one another process holds (3356).
    QStringList tables;
    readRows(db_, "SELECT name FROM sqlite_schema WHERE type = 'table'", path_,
             [&tables](const QString& name) { tables << name; });
    bool ours = false;
    for (const char* table : kOurTables) {
        if (!tables.contains(QLatin1String(table), Qt::CaseInsensitive)) {
            continue;
        }
        ours = true;
        // The first page of each table itself, not of an index on it: a
        // damaged one is refused now rather than after the file has changed.
        readRows(db_, QByteArray("SELECT 1 FROM \"") + table + "\" NOT INDEXED LIMIT 1", path_,
                 [](const QString&) {});
    }
    if (!ours) {
        throw errorFromResult(nullptr, SQLITE_NOTADB, kDatabaseSource, path_);
    }
}

Connection::~Connection() {
    try {
        close();
    } catch (const AppError&) {
        // Destruction cannot report; an explicit Close() does.
    }
}

void Connection::requireOpen(const QString& source) const {
    if (!db_) {
        throw objectClosedError(source);
    }
}

void Connection::close() {
    if (!db_) {
        return;
    }
    const std::vector<Attachment*> attached = attachments_;
    attachments_.clear();
    for (Attachment* attachment : attached) {
        attachment->detach();
    }
    std::optional<AppError> failure;
    if (unitOpen_) {
        rollbackUnit();  // an unfinished unit never reaches the file
    }
    try {
        commitPending();
    } catch (const AppError& error) {
        failure = error;
    }
    if (sqlite3_close(db_) != SQLITE_OK) {
        sqlite3_close_v2(db_);
    }
    db_ = nullptr;
    if (failure) {
        throw *failure;
    }
}

void Connection::beginWrite() {
    requireOpen(kDatabaseSource);
    if (sqlite3_get_autocommit(db_)) {
        exec(db_, "BEGIN", kDatabaseSource);
        batchRows_ = 0;
        batchAge_.start();
    }
}

void Connection::noteRecordsetWrite() {
    ++batchRows_;
    if (batchRows_ >= kBatchRowLimit || batchAge_.elapsed() >= kBatchAgeLimitMs) {
        commitPending();
    }
}

void Connection::commitPending() {
    if (unitOpen_) {
        return;
    }
    if (db_ && !sqlite3_get_autocommit(db_)) {
        exec(db_, "COMMIT", kDatabaseSource);
    }
    batchRows_ = 0;
}

void Connection::beginUnit() {
    requireOpen(kDatabaseSource);
    commitPending();
    // Opened at once, so that a transaction the engine undid can be told
    // from one that never began.
    exec(db_, "BEGIN", kDatabaseSource);
    unitOpen_ = true;
}

void Connection::commitUnit() {
    requireOpen(kDatabaseSource);
    unitOpen_ = false;
    if (sqlite3_get_autocommit(db_)) {
        throw AppError(
            kDiskError, kDatabaseSource,
            QStringLiteral("Disk or network error. The writes of this step were undone."));
    }
    try {
        exec(db_, "COMMIT", kDatabaseSource);
    } catch (const AppError&) {
        rollbackUnit();
        throw;
    }
    batchRows_ = 0;
}

void Connection::rollbackUnit() {
    unitOpen_ = false;
    if (db_ && !sqlite3_get_autocommit(db_)) {
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    batchRows_ = 0;
}

void Connection::attach(Attachment* attachment) {
    attachments_.push_back(attachment);
}

void Connection::detach(Attachment* attachment) {
    attachments_.erase(std::remove(attachments_.begin(), attachments_.end(), attachment),
                       attachments_.end());
}

}  // namespace tw::sqlite
