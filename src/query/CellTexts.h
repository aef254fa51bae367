#pragma once
// The text of each value a result grid shows, and the widest text of each
// column in pixels. A result repeats values a lot (each game's date on every
// player's row, small numbers, maps, playlists), so each distinct value of a
// column is formatted once. Widths: a text is shaped and measured only when
// the sum of its characters' advances, with room for kerning and rounding,
// could exceed the widest measured so far; the widest equals measuring every
// cell.

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QHash>
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

#include "db/Variant.h"

namespace tw {

class CellTexts {
  public:
    CellTexts(const QFont& font, int columns);

    // The text of a value (not Null) shown in column `col`; the column's
    // widest text takes it into account.
    QString Of(int col, const Variant& value);
    // Takes a text of column `col` into account (the header).
    void Track(int col, const QString& text);
    // The widest text of column `col`, in pixels (0: none).
    int WidestPixels(int col) const;

  private:
    struct Column {
        // Integer, Double and Date values by the bits of their number.
        std::array<QHash<quint64, QString>, 3> numbers;
        QString lastText;  // text values often repeat on consecutive rows
        bool tracked = false;
        int widest = 0;
    };
    QString TextOf(Column& column, const Variant& value);
    void TrackIn(Column& column, const QString& text);
    // An upper bound of the measured width, or a negative value if the text
    // has characters whose shaping the bound does not cover.
    double WidthBound(const QString& text);

    QFontMetrics metrics_;
    QFontMetricsF exactMetrics_;
    std::vector<Column> columns_;
    std::vector<double> advances_;  // per character below kBoundedChars; < 0 unknown
};

}  // namespace tw
