#pragma once
// The grid path of a query run: field names in the header row, one grid row
// per record, pictures for "Level" and "Medal" columns, colours for "Color"
// columns, the selected player's rows highlighted, and column widths from the
// widest text of each column.

#include <QString>
#include <cstdint>

namespace tw {

class FlexGrid;
class Recordset;

// Background of a highlighted cell: RGB(0, 255, 128).
inline constexpr uint32_t kHighlightColor = 0x0080FF00;
// Extra room beside the widest text of a column, in twips.
inline constexpr int kColumnPadTwips = 200;

struct GridFillOptions {
    QString programDir;  // Level and Medal values are paths relative to it ("/level/L05.bmp")
    bool highlight = false;
    QString gamertag;  // rows whose first field equals it are highlighted
};

// Fills `grid` from `rows` (positioned on its first record, not empty).
// Leaves drawing suspended; the caller resumes it. Raises the errors of the
// pictures (53, 481), of a "Color" text that is not hexadecimal (13) and of
// the recordset; rows placed before a failure stay.
void FillGrid(FlexGrid& grid, Recordset& rows, const GridFillOptions& options);

// The colour of a "Color" cell: six hexadecimal digits RRGGBB as &H00BBGGRR.
uint32_t ColorCellBackground(const QString& text);

}  // namespace tw
