#pragma once
// Error numbers and texts of the outside-file writers (SELECT ... INTO an
// Excel workbook or a folder of text files), Jet's numbers and wording.

#include <QString>

#include "db/AppError.h"

namespace tw {

namespace err {
inline constexpr int kNotValidPath = 3044;       // the folder of a text table is missing
inline constexpr int kCannotOpenFile = 3051;     // the file cannot be read or written
inline constexpr int kInvalidName = 3125;        // sheet or file name not allowed
inline constexpr int kNotExpectedFormat = 3274;  // existing file is no workbook of ours
}  // namespace err

inline const QString kExternalErrorSource = QStringLiteral("DAO.Database");

[[noreturn]] inline void throwExternal(int number, const QString& description) {
    throw AppError(number, kExternalErrorSource, description);
}

[[noreturn]] inline void throwTableExists(const QString& name) {
    throwExternal(err::kTableExists, QStringLiteral("Table '%1' already exists.").arg(name));
}

[[noreturn]] inline void throwNotExpectedFormat() {
    throwExternal(err::kNotExpectedFormat,
                  QStringLiteral("External table is not in the expected format."));
}

[[noreturn]] inline void throwInvalidName(const QString& name) {
    throwExternal(err::kInvalidName,
                  QStringLiteral("'%1' is not a valid name. Make sure that it does not include "
                                 "invalid characters or punctuation and that it is not too long.")
                      .arg(name));
}

[[noreturn]] inline void throwCannotOpen(const QString& path) {
    throwExternal(err::kCannotOpenFile, QStringLiteral("Cannot open the file '%1'.").arg(path));
}

}  // namespace tw
