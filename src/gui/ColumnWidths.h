#pragma once
// The widest text of each column of a result grid, in pixels. A text is shaped
// and measured only when the sum of its characters' advances, with room for
// kerning and rounding, could exceed the widest measured so far; the widest
// equals measuring every cell.

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QString>
#include <vector>

namespace tw {

class ColumnWidths {
  public:
    ColumnWidths(const QFont& font, int columns);

    // Takes a text of column `col` into account.
    void track(int col, const QString& text);
    // The widest text of column `col`, in pixels (0: none).
    int widestPixels(int col) const;

  private:
    struct Column {
        QString lastText;  // texts often repeat on consecutive rows
        bool tracked = false;
        int widest = 0;
    };
    // An upper bound of the measured width, or a negative value if the text
    // has characters whose shaping the bound does not cover.
    double widthBound(const QString& text);

    QFontMetrics metrics_;
    QFontMetricsF exactMetrics_;
    std::vector<Column> columns_;
    std::vector<double> advances_;  // per character below kBoundedChars; < 0 unknown
};

}  // namespace tw
