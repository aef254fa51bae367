#include "report/VbArithmetic.h"

#include "db/AppError.h"

namespace tw {

Variant VbSubtract(const Variant& left, const Variant& right) {
    if (left.isNull() || right.isNull()) {
        return Variant::Null();
    }
    if (left.type() == Variant::Type::Integer && right.type() == Variant::Type::Integer) {
        return Variant(left.toLong() - right.toLong());
    }
    return Variant(left.toDouble() - right.toDouble());
}

Variant VbDivide(const Variant& dividend, const Variant& divisor) {
    if (dividend.isNull() || divisor.isNull()) {
        return Variant::Null();
    }
    const double by = divisor.toDouble();
    if (by == 0.0) {
        throw AppError(err::kDivisionByZero, QStringLiteral("Tallywick"),
                       QStringLiteral("Division by zero"));
    }
    return Variant(dividend.toDouble() / by);
}

}  // namespace tw
