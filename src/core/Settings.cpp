#include "core/Settings.h"

#include <cmath>
#include <limits>

#include "db/Variant.h"

namespace tw {
namespace {

template <typename Whole>
Whole clampedWhole(const QString& text) {
    double value = roundHalfEven(val(text));
    if (std::isnan(value)) {
        return 0;
    }
    if (value <= static_cast<double>(std::numeric_limits<Whole>::min())) {
        return std::numeric_limits<Whole>::min();
    }
    if (value >= static_cast<double>(std::numeric_limits<Whole>::max())) {
        return std::numeric_limits<Whole>::max();
    }
    return static_cast<Whole>(value);
}

}  // namespace

int16_t settingInt16(const QString& text) {
    return clampedWhole<int16_t>(text);
}

int32_t settingInt32(const QString& text) {
    return clampedWhole<int32_t>(text);
}

std::optional<int32_t> settingPort(const QString& text) {
    if (text.trimmed().isEmpty()) {
        return 0;
    }
    const double number = roundHalfEven(val(text));
    if (std::isnan(number) || number < kLowestPort || number > kHighestPort) {
        return std::nullopt;
    }
    return static_cast<int32_t>(number);
}

QString noPortText(const QString& key, const QString& value) {
    return key + QStringLiteral(" \"") + value +
           QStringLiteral("\" is not a TCP port: a port is a whole number from ") +
           QString::number(kLowestPort) + QStringLiteral(" to ") + QString::number(kHighestPort) +
           QStringLiteral(".");
}

bool settingBool(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) {
        return true;
    }
    if (trimmed.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) {
        return false;
    }
    bool isNumber = false;
    double number = trimmed.toDouble(&isNumber);
    return isNumber && number != 0.0;
}

float settingSingle(const QString& text) {
    double value = val(text);
    constexpr double kMax = std::numeric_limits<float>::max();
    if (std::isnan(value)) {
        return 0.0f;
    }
    return static_cast<float>(value < -kMax ? -kMax : (value > kMax ? kMax : value));
}

QString settingText(double number) {
    return QString::number(static_cast<float>(number), 'g', 7);
}

}  // namespace tw
