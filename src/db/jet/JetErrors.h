#pragma once
// The numbered errors the Jet layer raises, with Jet's own numbers and texts.

#include <QString>

#include "db/AppError.h"

namespace tw::jet {

inline constexpr int kInvalidProcedureCall = 5;  // e.g. Log of a number <= 0
inline constexpr int kInvalidStatement = 3129;   // not SELECT/INSERT/UPDATE/DELETE/TRANSFORM
inline constexpr int kUndefinedFunction = 3085;
inline constexpr int kAmbiguousField = 3079;
inline constexpr int kUnknownInsertField = 3127;
inline constexpr int kDeleteTableMissing = 3128;  // DELETE without a table to delete from
inline constexpr int kDataTypeMismatch = 3464;
inline constexpr int kTooComplex = 3360;
inline constexpr int kMaxNesting = 300;       // parentheses, signs, sub-selects
inline constexpr int kMaxChainHeight = 1000;  // a + b + c ... operators in a row

[[noreturn]] inline void raiseTooComplex() {
    throw AppError(kTooComplex, QStringLiteral("Jet SQL"), QStringLiteral("Query is too complex."));
}

inline const QString kSource = QStringLiteral("Jet SQL");

[[noreturn]] inline void raise(int number, const QString& description) {
    throw AppError(number, kSource, description);
}

[[noreturn]] inline void raiseSyntax(const QString& near) {
    raise(
        err::kSyntaxError,
        QStringLiteral("Syntax error (missing operator) in query expression near '%1'.").arg(near));
}

}  // namespace tw::jet
