#pragma once
// A numbered run-time error, the program's one kind of failure. Handlers catch
// it and test `number` exactly where a known error has its own answer (3022
// duplicate key, 3024 missing database, 3356 database held, 481 bad picture,
// 32755 cancelled save dialog); every other number goes to the diagnostic log.

#include <QString>
#include <stdexcept>

namespace tw {

class AppError : public std::runtime_error {
  public:
    AppError(int number, QString source, QString description)
        : std::runtime_error(description.toStdString()),
          number_(number),
          source_(std::move(source)),
          description_(std::move(description)) {}

    int number() const { return number_; }
    const QString& source() const { return source_; }
    const QString& description() const { return description_; }

  private:
    int number_;
    QString source_;
    QString description_;
};

// Error numbers used across the program. Jet's own numbers where one exists;
// the documented rest live in src/db/README.md.
namespace err {
inline constexpr int kOverflow = 6;
inline constexpr int kDivisionByZero = 11;
inline constexpr int kTypeMismatch = 13;
inline constexpr int kInvalidUseOfNull = 94;
inline constexpr int kInvalidPicture = 481;
inline constexpr int kNoCurrentRecord = 3021;
inline constexpr int kDuplicateKey = 3022;
inline constexpr int kDatabaseNotFound = 3024;
inline constexpr int kSyntaxError = 3075;  // syntax error in a statement
inline constexpr int kTableExists = 3010;  // outside table (sheet/file) already exists
inline constexpr int kNotUpdatable = 3027;
inline constexpr int kUnknownName = 3061;   // too few parameters: unknown column name
inline constexpr int kUnknownTable = 3078;  // table or query not found
inline constexpr int kItemNotFound = 3265;  // no field of that name
inline constexpr int kNotADatabase = 3343;  // unrecognised database format
inline constexpr int kDatabaseLocked = 3356;
inline constexpr int kMoreThanOneStatement = 3142;  // characters found after end of statement
inline constexpr int kNoOutsideWriter = 3170;       // could not find installable ISAM
inline constexpr int kEngineFailure = 3000;  // any other engine failure; description says which
inline constexpr int kSaveCancelled = 32755;
}  // namespace err

}  // namespace tw
