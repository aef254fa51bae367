#include "db/SqliteConnection.h"

#include <sqlite3.h>

#include <QFileInfo>
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

}  // namespace

std::shared_ptr<Connection> Connection::Open(const QString& path) {
    if (!QFileInfo::exists(path)) {
        throw AppError(err::kDatabaseNotFound, kDatabaseSource,
                       QStringLiteral("Could not find file '%1'.").arg(path));
    }
    // SQLite would take an empty file for an empty database and write to it.
    if (QFileInfo(path).isFile() && QFileInfo(path).size() == 0) {
        throw ErrorFromResult(nullptr, SQLITE_NOTADB, kDatabaseSource, path);
    }
    std::shared_ptr<Connection> connection(new Connection(path));
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &connection->db_,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_EXRESCODE, nullptr);
    if (rc != SQLITE_OK) {
        AppError error = ErrorFromResult(connection->db_, rc, kDatabaseSource, path);
        sqlite3_close(connection->db_);
        connection->db_ = nullptr;
        throw error;
    }
    try {
        connection->Configure();
    } catch (const AppError&) {
        sqlite3_close(connection->db_);
        connection->db_ = nullptr;
        throw;
    }
    return connection;
}

void Connection::Configure() {
    // Errors here name the file, as the engine's open errors do.
    const auto run = [this](const char* sql) {
        const int rc = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK) {
            throw ErrorFromResult(db_, rc, kDatabaseSource, path_);
        }
    };
    // Exclusive before the first read, so WAL keeps its index in private
    // memory and the file lock is held until the connection closes.
    run("PRAGMA locking_mode=EXCLUSIVE");
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
    jet::RegisterFunctions(db_);
    catalog_ = BuildCatalog(db_);
}

Connection::~Connection() {
    try {
        Close();
    } catch (const AppError&) {
        // Destruction cannot report; an explicit Close() does.
    }
}

void Connection::RequireOpen(const QString& source) const {
    if (!db_) {
        throw ObjectClosedError(source);
    }
}

void Connection::Close() {
    if (!db_) {
        return;
    }
    const std::vector<Attachment*> attached = attachments_;
    attachments_.clear();
    for (Attachment* attachment : attached) {
        attachment->Detach();
    }
    std::optional<AppError> failure;
    try {
        CommitPending();
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

void Connection::BeginWrite() {
    RequireOpen(kDatabaseSource);
    if (sqlite3_get_autocommit(db_)) {
        Exec(db_, "BEGIN", kDatabaseSource);
        batchRows_ = 0;
        batchAge_.start();
    }
}

void Connection::NoteRecordsetWrite() {
    ++batchRows_;
    if (batchRows_ >= kBatchRowLimit || batchAge_.elapsed() >= kBatchAgeLimitMs) {
        CommitPending();
    }
}

void Connection::CommitPending() {
    if (db_ && !sqlite3_get_autocommit(db_)) {
        Exec(db_, "COMMIT", kDatabaseSource);
    }
    batchRows_ = 0;
}

void Connection::Attach(Attachment* attachment) {
    attachments_.push_back(attachment);
}

void Connection::Detach(Attachment* attachment) {
    attachments_.erase(std::remove(attachments_.begin(), attachments_.end(), attachment),
                       attachments_.end());
}

}  // namespace tw::sqlite
