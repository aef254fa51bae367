#include "db/Variant.h"

#include <cmath>
#include <limits>

#include "db/AppError.h"
#include "db/Format.h"
#include "db/VariantNumbers.h"

namespace tw {

namespace {

// CLng/CInt: round half to even, then the range check of the target type.
int64_t roundIntoRange(double value, double lowest, double highest) {
    if (!std::isfinite(value)) {
        throwOverflow();
    }
    const double rounded = roundHalfEven(value);
    if (rounded < lowest || rounded > highest) {
        throwOverflow();
    }
    return static_cast<int64_t>(rounded);
}

}  // namespace

Variant::Variant(const QString& text) : value_(text) {}
Variant::Variant(const char* text) : value_(QString::fromUtf8(text)) {}
Variant::Variant(int64_t whole) : value_(whole) {}
Variant::Variant(double number) : value_(number) {}

Variant Variant::fromDate(const QDateTime& dateTime) {
    if (!dateTime.isValid()) {
        return Variant();
    }
    return fromSerialDate(serialFromDateTime(dateTime));
}

Variant Variant::fromSerialDate(double serial) {
    Variant v;
    v.value_ = DateValue{serial};
    return v;
}

Variant::Type Variant::type() const {
    switch (value_.index()) {
        case 1:
            return Type::Text;
        case 2:
            return Type::Integer;
        case 3:
            return Type::Double;
        case 4:
            return Type::Date;
        default:
            return Type::Null;
    }
}

QString Variant::toText() const {
    switch (type()) {
        case Type::Null:
            throwInvalidUseOfNull();
        case Type::Text:
            return std::get<QString>(value_);
        case Type::Integer:
            return QString::number(std::get<int64_t>(value_));
        case Type::Double:
            return generalNumber(std::get<double>(value_));
        case Type::Date:
            return generalDate(toDateTime());
    }
    return QString();
}

double Variant::toDouble() const {
    switch (type()) {
        case Type::Null:
            throwInvalidUseOfNull();
        case Type::Text: {
            const auto number = parseNumberText(std::get<QString>(value_));
            if (!number) {
                throwTypeMismatch();
            }
            return *number;
        }
        case Type::Integer:
            return static_cast<double>(std::get<int64_t>(value_));
        case Type::Double:
            return std::get<double>(value_);
        case Type::Date:
            return std::get<DateValue>(value_).serial;
    }
    return 0;
}

int64_t Variant::toLong() const {
    if (type() == Type::Integer) {
        const int64_t whole = std::get<int64_t>(value_);
        if (whole < std::numeric_limits<int32_t>::min() ||
            whole > std::numeric_limits<int32_t>::max()) {
            throwOverflow();
        }
        return whole;
    }
    return roundIntoRange(toDouble(), std::numeric_limits<int32_t>::min(),
                          std::numeric_limits<int32_t>::max());
}

int16_t Variant::toInt16() const {
    return static_cast<int16_t>(roundIntoRange(toDouble(), std::numeric_limits<int16_t>::min(),
                                               std::numeric_limits<int16_t>::max()));
}

QDateTime Variant::toDateTime() const {
    if (type() == Type::Text) {
        QDateTime parsed = parseDateText(std::get<QString>(value_));
        if (!parsed.isValid()) {
            throwTypeMismatch();
        }
        return parsed;
    }
    QDateTime dateTime = dateTimeFromSerial(toDouble());
    if (!dateTime.isValid()) {
        throwOverflow();
    }
    return dateTime;
}

double Variant::toSerialDate() const {
    if (type() == Type::Text) {
        return serialFromDateTime(toDateTime());
    }
    toDateTime();  // range check
    return toDouble();
}

QString Variant::joinText() const {
    return isNull() ? QString() : toText();
}

bool Variant::operator==(const Variant& other) const {
    return value_ == other.value_;
}

}  // namespace tw
