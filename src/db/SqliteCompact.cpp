// Compaction: VACUUM INTO a new file, and in place through a file beside the
// original that replaces it by one atomic rename.
#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <optional>

#include "db/Database.h"
#include "db/SqliteErrors.h"

namespace tw {

namespace {

using sqlite::kDatabaseSource;

// The copy must be on disk before it replaces the original.
void syncPath(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

void vacuumInto(const QString& source, const QString& target) {
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(source.toUtf8().constData(), &db,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_EXRESCODE, nullptr);
    if (rc == SQLITE_OK) {
        rc = sqlite3_exec(db, "PRAGMA locking_mode=EXCLUSIVE", nullptr, nullptr, nullptr);
    }
    sqlite3_stmt* vacuum = nullptr;
    if (rc == SQLITE_OK) {
        rc = sqlite3_prepare_v2(db, "VACUUM INTO ?1", -1, &vacuum, nullptr);
    }
    if (rc == SQLITE_OK) {
        const QByteArray name = target.toUtf8();
        sqlite3_bind_text(vacuum, 1, name.constData(), static_cast<int>(name.size()),
                          SQLITE_TRANSIENT);
        rc = sqlite3_step(vacuum);
        rc = rc == SQLITE_DONE ? SQLITE_OK : rc;
    }
    std::optional<AppError> failure;
    if (rc != SQLITE_OK) {
        failure = sqlite::errorFromResult(db, rc, kDatabaseSource, source);
    }
    sqlite3_finalize(vacuum);
    sqlite3_close(db);
    if (failure) {
        throw *failure;
    }
}

bool renameOver(const QString& from, const QString& to) {
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

}  // namespace

void Database::compactDatabase(const QString& source, const QString& target) {
    if (!QFileInfo::exists(source)) {
        throw AppError(err::kDatabaseNotFound, kDatabaseSource,
                       QStringLiteral("Could not find file '%1'.").arg(source));
    }
    if (QFileInfo(source).isFile() && QFileInfo(source).size() == 0) {
        throw sqlite::errorFromResult(nullptr, SQLITE_NOTADB, kDatabaseSource, source);
    }
    if (QFileInfo::exists(target)) {
        throw AppError(sqlite::kDatabaseExists, kDatabaseSource,
                       QStringLiteral("Database already exists."));
    }
    try {
        vacuumInto(source, target);
    } catch (const AppError&) {
        QFile::remove(target);
        throw;
    }
    syncPath(target);
}

void Database::compactInPlace(const QString& path) {
    compactInPlace(path, renameOver);
}

void Database::compactInPlace(const QString& path, const RenameFile& renameFile) {
    const QString temporary = path + u'x';
    // A copy left by an interrupted compaction is ours to replace.
    if (QFileInfo(temporary).isFile()) {
        QFile::remove(temporary);
    }
    compactDatabase(path, temporary);
    if (!renameFile(temporary, path)) {
        QFile::remove(temporary);
        throw AppError(sqlite::kDiskError, kDatabaseSource,
                       QStringLiteral("Disk or network error."));
    }
    syncPath(QFileInfo(path).absolutePath());
}

}  // namespace tw
