#pragma once
// Colours are kept as the program's 24-bit values written &H00BBGGRR (blue in
// the high byte); these turn them into Qt colours and back.

#include <QColor>
#include <cstdint>

namespace tw {

constexpr uint32_t bgrValue(int red, int green, int blue) {
    return static_cast<uint32_t>((blue & 0xFF) << 16 | (green & 0xFF) << 8 | (red & 0xFF));
}

inline QColor colorFromBgr(uint32_t value) {
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

inline uint32_t bgrFromColor(const QColor& color) {
    return bgrValue(color.red(), color.green(), color.blue());
}

}  // namespace tw
