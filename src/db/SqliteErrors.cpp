#include "db/SqliteErrors.h"

#include <sqlite3.h>

#include <QRegularExpression>
#include <optional>

#include "db/jet/Translator.h"

namespace tw::sqlite {

namespace {

const QString kDuplicateText = QStringLiteral(
    "The changes you requested to the table were not successful because they would create "
    "duplicate values in the index, primary key, or relationship. Change the data in the field "
    "or fields that contain duplicate data, remove the index, or redefine the index to permit "
    "duplicate entries and try again.");

AppError constraintError(int extended, const QString& message, const QString& source) {
    switch (extended) {
        case SQLITE_CONSTRAINT_PRIMARYKEY:
        case SQLITE_CONSTRAINT_UNIQUE:
        case SQLITE_CONSTRAINT_ROWID:
            return duplicateKeyError(source);
        case SQLITE_CONSTRAINT_NOTNULL:
            return AppError(kNullInKey, source,
                            QStringLiteral("Index or primary key cannot contain a Null value."));
        default:
            return AppError(err::kEngineFailure, source, message);
    }
}

AppError generalError(const QString& message, const QString& source) {
    // Application functions (Jet's Log, /, ...) report numbered errors.
    if (const std::optional<AppError> numbered = jet::errorFromEngineMessage(message)) {
        return AppError(numbered->number(), source, numbered->description());
    }
    static const QRegularExpression noTable(QStringLiteral("^no such table: (?:main\\.)?(.*)$"));
    const QRegularExpressionMatch table = noTable.match(message);
    if (table.hasMatch()) {
        return AppError(err::kUnknownTable, source,
                        QStringLiteral("The database engine cannot find the input table or query "
                                       "'%1'. Make sure it exists and that its name is spelled "
                                       "correctly.")
                            .arg(table.captured(1)));
    }
    if (message.startsWith(QStringLiteral("no such column"))) {
        return AppError(err::kUnknownName, source,
                        QStringLiteral("Too few parameters. Expected 1."));
    }
    return AppError(err::kEngineFailure, source, message);
}

}  // namespace

AppError duplicateKeyError(const QString& source) {
    return AppError(err::kDuplicateKey, source, kDuplicateText);
}

AppError noCurrentRecordError() {
    return AppError(err::kNoCurrentRecord, kRecordsetSource, QStringLiteral("No current record."));
}

AppError objectClosedError(const QString& source) {
    return AppError(kObjectClosed, source, QStringLiteral("Object invalid or no longer set."));
}

AppError errorFromResult(sqlite3* db, int rc, const QString& source, const QString& path) {
    const int extended = db ? sqlite3_extended_errcode(db) : rc;
    const QString message =
        db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(rc));
    switch (rc & 0xff) {
        case SQLITE_CONSTRAINT:
            return constraintError(extended, message, source);
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return AppError(err::kDatabaseLocked, source,
                            QStringLiteral("You attempted to open a database that is already "
                                           "opened exclusively by another process. Try again when "
                                           "the database is available."));
        case SQLITE_NOTADB:
            return AppError(err::kNotADatabase, source,
                            QStringLiteral("Unrecognized database format '%1'.").arg(path));
        case SQLITE_CORRUPT:
            return AppError(kCorruptDatabase, source,
                            QStringLiteral("Cannot open database '%1'. It may not be a database "
                                           "that your application recognizes, or the file may be "
                                           "corrupt.")
                                .arg(path));
        case SQLITE_CANTOPEN:
        case SQLITE_PERM:
        case SQLITE_AUTH:
            return AppError(kCannotOpenFile, source,
                            QStringLiteral("The database engine cannot open the file '%1'. It is "
                                           "already opened exclusively by another user, or you "
                                           "need permission to view its data.")
                                .arg(path));
        case SQLITE_READONLY:
            return AppError(err::kNotUpdatable, source,
                            QStringLiteral("Cannot update. Database or object is read-only."));
        case SQLITE_FULL:
            return AppError(kOutOfSpace, source,
                            QStringLiteral("The query cannot be completed. Either the size of the "
                                           "query result is larger than the maximum size of a "
                                           "database, or there is not enough temporary storage "
                                           "space on the disk to store the query result."));
        case SQLITE_IOERR:
            return AppError(kDiskError, source, QStringLiteral("Disk or network error."));
        case SQLITE_MISMATCH:
            return AppError(kConversionError, source,
                            QStringLiteral("Data type conversion error."));
        default:
            return generalError(message, source);
    }
}

void check(sqlite3* db, int rc, const QString& source) {
    if (rc != SQLITE_OK && rc != SQLITE_ROW && rc != SQLITE_DONE) {
        throw errorFromResult(db, rc, source);
    }
}

}  // namespace tw::sqlite
