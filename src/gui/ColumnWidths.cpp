#include "gui/ColumnWidths.h"

#include <algorithm>

namespace tw {
namespace {

// Latin letters, digits and punctuation: shaped one glyph per character.
constexpr char16_t kBoundedChars = 0x0250;
// Room for the rounding of the measured width and for kerning per character.
constexpr double kRoundingRoom = 1.5;
constexpr double kKerningRoomPerChar = 0.25;

}  // namespace

ColumnWidths::ColumnWidths(const QFont& font, int columns)
    : metrics_(font),
      exactMetrics_(font),
      columns_(static_cast<size_t>(std::max(columns, 0))),
      advances_(kBoundedChars, -1.0) {}

void ColumnWidths::track(int col, const QString& text) {
    Column& column = columns_[static_cast<size_t>(col)];
    if (column.tracked && text == column.lastText) {
        return;
    }
    column.tracked = true;
    column.lastText = text;
    const double bound = widthBound(text);
    if (bound >= 0 && bound <= column.widest) {
        return;  // cannot be wider than one already measured
    }
    column.widest = std::max(column.widest, metrics_.horizontalAdvance(text));
}

int ColumnWidths::widestPixels(int col) const {
    return columns_[static_cast<size_t>(col)].widest;
}

double ColumnWidths::widthBound(const QString& text) {
    double sum = kRoundingRoom;
    for (const QChar c : text) {
        if (c.unicode() >= kBoundedChars) {
            return -1;
        }
        double& advance = advances_[c.unicode()];
        if (advance < 0) {
            advance = exactMetrics_.horizontalAdvance(c);
        }
        sum += advance + kKerningRoomPerChar;
    }
    return sum;
}

}  // namespace tw
