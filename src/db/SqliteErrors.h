#pragma once
// SQLite result codes as the program's numbered engine errors. The numbers
// and texts are Jet's where Jet had one (README of this folder, "Engine").

#include <QString>

#include "db/AppError.h"

struct sqlite3;

namespace tw::sqlite {

inline const QString kDatabaseSource = QStringLiteral("DAO.Database");
inline const QString kRecordsetSource = QStringLiteral("DAO.Recordset");
inline const QString kFieldSource = QStringLiteral("DAO.Field");

// Engine numbers beyond those shared in AppError.h.
inline constexpr int kUpdateWithoutEdit = 3020;
inline constexpr int kDiskError = 3043;
inline constexpr int kCorruptDatabase = 3049;
inline constexpr int kCannotOpenFile = 3051;
inline constexpr int kNullInKey = 3058;
inline constexpr int kCannotExecuteSelect = 3065;
inline constexpr int kFieldNotUpdatable = 3164;
inline constexpr int kOutOfSpace = 3183;
inline constexpr int kDatabaseExists = 3204;
inline constexpr int kInvalidOperation = 3219;
inline constexpr int kObjectClosed = 3420;
inline constexpr int kConversionError = 3421;

// The error for result code `rc` of a call on `db` (the connection's own
// message is used where it says more). `path` names the file for open-time
// errors.
AppError errorFromResult(sqlite3* db, int rc, const QString& source,
                         const QString& path = QString());

// Raises errorFromResult unless rc is SQLITE_OK, SQLITE_ROW or SQLITE_DONE.
void check(sqlite3* db, int rc, const QString& source);

AppError duplicateKeyError(const QString& source);
AppError noCurrentRecordError();
AppError objectClosedError(const QString& source);

}  // namespace tw::sqlite
