#pragma once
// What one run of a saved query gives: the header and cell texts a grid shows,
// per cell what it carries beside its text (a background colour, a picture),
// the heights picture rows want, or the chart's table for a graph query. It is
// plain data, so the window, the command line and the exports read the same.

#include <QImage>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

#include "db/AppError.h"
#include "query/ChartTable.h"

namespace tw {

// Background of a highlighted cell: RGB(0, 255, 128).
inline constexpr uint32_t kHighlightColor = 0x0080FF00;
// Rows holding a Level or a Medal column are this high, in pixels.
inline constexpr int kLevelRowPixels = 30;
inline constexpr int kMedalRowPixels = 25;
// A column that shows pictures is as wide as they are.
inline constexpr int kPictureColumnPixels = 30;

// What a grid cell shows: text alone, a picture, or a colour.
enum class CellKind { Text, Picture, Color };

// A cell with more than its text. backColor 0 is the grid's default
// background (&H00BBGGRR otherwise); picture indexes QueryResult::pictures.
struct CellMark {
    int row = 0;  // 1 is the first record (row 0 is the header)
    int col = 0;
    CellKind kind = CellKind::Text;
    uint32_t backColor = 0;
    int picture = -1;
    QString text;  // a Color cell's value, which the cell does not show
};

struct QueryResult {
    QString statement;              // what ran: the saved statement narrowed by the filters
    bool ran = false;               // false: nothing was run (no query chosen)
    std::optional<AppError> error;  // the run failed; the rows read before stay
    int64_t records = 0;            // the count the record label shows
    int64_t elapsedMilliseconds = 0;

    // The grid: `rows` rows of `columns` texts, row 0 the header; empty when
    // the query returned nothing or drew a chart.
    int rows = 0;
    int columns = 0;
    std::vector<QString> texts;  // row by row
    std::vector<CellMark> marks;
    std::vector<std::pair<int, int>> rowPixels;  // (row, pixels), later ones win
    std::vector<bool> pictureColumns;            // a picture was placed in it
    std::vector<QImage> pictures;

    std::optional<ChartTable> chart;  // a graph query's lines

    const QString& text(int row, int col) const {
        return texts[static_cast<size_t>(row) * static_cast<size_t>(columns) +
                     static_cast<size_t>(col)];
    }
    // The texts row by row, header first (picture and colour cells empty).
    QList<QStringList> textRows() const;
};

}  // namespace tw
