#include "query/CellTexts.h"

#include <bit>
#include <cmath>

namespace tw {
namespace {

// Whole numbers beyond this do not survive the trip through a double.
constexpr double kExactWholeLimit = 9007199254740992.0;  // 2^53
// Latin letters, digits and punctuation: shaped one glyph per character.
constexpr char16_t kBoundedChars = 0x0250;
// Room for the rounding of the measured width and for kerning per character.
constexpr double kRoundingRoom = 1.5;
constexpr double kKerningRoomPerChar = 0.25;

int NumberSlot(Variant::Type type) {
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

CellTexts::CellTexts(const QFont& font, int columns)
    : metrics_(font),
      exactMetrics_(font),
      columns_(static_cast<size_t>(std::max(columns, 0))),
      advances_(kBoundedChars, -1.0) {}

QString CellTexts::Of(int col, const Variant& value) {
    Column& column = columns_[static_cast<size_t>(col)];
    QString text = TextOf(column, value);
    TrackIn(column, text);
    return text;
}

void CellTexts::Track(int col, const QString& text) {
    TrackIn(columns_[static_cast<size_t>(col)], text);
}

int CellTexts::WidestPixels(int col) const {
    return columns_[static_cast<size_t>(col)].widest;
}

QString CellTexts::TextOf(Column& column, const Variant& value) {
    const int slot = NumberSlot(value.type());
    if (slot < 0) {
        return value.toText();
    }
    const double number = value.toDouble();
    if (slot == 0 && std::fabs(number) >= kExactWholeLimit) {
        return value.toText();
    }
    QHash<quint64, QString>& known = column.numbers[static_cast<size_t>(slot)];
    const quint64 key = std::bit_cast<quint64>(number);
    auto found = known.find(key);
    if (found == known.end()) {
        found = known.insert(key, value.toText());
    }
    return found.value();
}

void CellTexts::TrackIn(Column& column, const QString& text) {
    if (column.tracked && text == column.lastText) {
        return;
    }
    column.tracked = true;
    column.lastText = text;
    const double bound = WidthBound(text);
    if (bound >= 0 && bound <= column.widest) {
        return;  // cannot be wider than one already measured
    }
    column.widest = std::max(column.widest, metrics_.horizontalAdvance(text));
}

double CellTexts::WidthBound(const QString& text) {
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
