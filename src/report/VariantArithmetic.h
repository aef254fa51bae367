#pragma once
// The report's arithmetic on database values the way its expressions work:
// a missing operand (Null) makes the result missing.

#include "db/Variant.h"

namespace tw {

Variant subtractVariants(const Variant& left, const Variant& right);

}  // namespace tw
