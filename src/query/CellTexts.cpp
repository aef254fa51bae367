#include "query/CellTexts.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace tw {
namespace {

// Whole numbers beyond this do not survive the trip through a double.
constexpr double kExactWholeLimit = 9007199254740992.0;  // 2^53

int numberSlot(Variant::Type type) {
    switch (type) {
        case Variant::Type::Integer:
            return 0;
        case Variant::Type::Double:
            return 1;
        case Variant::Type::Date:
            return 2;
        default:
            return -1;
    }
}

}  // namespace

CellTexts::CellTexts(int columns) : columns_(static_cast<size_t>(std::max(columns, 0))) {}

QString CellTexts::of(int col, const Variant& value) {
    const int slot = numberSlot(value.type());
    if (slot < 0) {
        return value.toText();
    }
    const double number = value.toDouble();
    if (slot == 0 && std::fabs(number) >= kExactWholeLimit) {
        return value.toText();
    }
    QHash<quint64, QString>& known =
        columns_[static_cast<size_t>(col)].numbers[static_cast<size_t>(slot)];
    const quint64 key = std::bit_cast<quint64>(number);
    auto found = known.find(key);
    if (found == known.end()) {
        found = known.insert(key, value.toText());
    }
    return found.value();
}

}  // namespace tw
