#include "report/VariantArithmetic.h"

namespace tw {

Variant subtractVariants(const Variant& left, const Variant& right) {
    if (left.isNull() || right.isNull()) {
        return Variant::null();
    }
    if (left.type() == Variant::Type::Integer && right.type() == Variant::Type::Integer) {
        return Variant(left.toLong() - right.toLong());
    }
    return Variant(left.toDouble() - right.toDouble());
}

}  // namespace tw
