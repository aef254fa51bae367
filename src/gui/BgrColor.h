#pragma once
// Colours are kept as the program's 24-bit values written &H00BBGGRR (blue in
// the high byte); these turn them into Qt colours and back.

#include <QColor>
#include <cmath>
#include <cstdint>

namespace tw {

constexpr uint32_t bgrValue(int red, int green, int blue) {
    return static_cast<uint32_t>((blue & 0xFF) << 16 | (green & 0xFF) << 8 | (red & 0xFF));
}

inline QColor colorFromBgr(uint32_t value) {
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

inline uint32_t bgrFromColor(const QColor& color) {
    return bgrValue(color.red(), color.green(), color.blue());
}

// Black or white, whichever reads better on `background` (by its relative
// luminance): a cell's own colour stays readable in a light or a dark palette.
inline QColor readableTextOn(const QColor& background) {
    auto linear = [](double c) {
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    const double luminance = 0.2126 * linear(background.redF()) +
                             0.7152 * linear(background.greenF()) +
                             0.0722 * linear(background.blueF());
    return luminance > 0.179 ? QColor(Qt::black) : QColor(Qt::white);
}

}  // namespace tw
