#pragma once
// The report's arithmetic on database values the way its expressions work:
// a missing operand (Null) makes the result missing, which shows as empty
// text when joined or formatted; dividing a value by zero is error 11.

#include "db/Variant.h"

namespace tw {

Variant VbSubtract(const Variant& left, const Variant& right);
Variant VbDivide(const Variant& dividend, const Variant& divisor);

}  // namespace tw
