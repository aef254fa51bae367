#include "gui/ResultGridFill.h"

#include <QPixmap>
#include <vector>

#include "gui/ColumnWidths.h"
#include "gui/ResultGrid.h"
#include "gui/Twips.h"

namespace tw {
namespace {

// The pixel width of each column: a column that shows pictures is as wide as
// they are, any other as its widest text (a colour cell's value counts).
std::vector<int> columnPixels(const ResultGrid& grid, const QueryResult& result) {
    ColumnWidths widths(grid.font(), result.columns);
    for (int r = 0; r < result.rows; ++r) {
        for (int c = 0; c < result.columns; ++c) {
            widths.track(c, result.text(r, c));
        }
    }
    for (const CellMark& mark : result.marks) {
        if (mark.kind == CellKind::Color) {
            widths.track(mark.col, mark.text);
        }
    }
    std::vector<int> pixels;
    pixels.reserve(static_cast<size_t>(result.columns));
    for (int c = 0; c < result.columns; ++c) {
        pixels.push_back(result.pictureColumns[static_cast<size_t>(c)] ? kPictureColumnPixels
                                                                       : widths.widestPixels(c));
    }
    return pixels;
}

void placeMarks(ResultGrid& grid, const QueryResult& result, const TwipsScale& scale) {
    for (const auto& [row, pixels] : result.rowPixels) {
        grid.setRowHeightTwips(row, scale.yToTwips(pixels));
    }
    std::vector<QPixmap> pictures;
    pictures.reserve(result.pictures.size());
    for (const QImage& image : result.pictures) {
        pictures.push_back(QPixmap::fromImage(image));
    }
    for (const CellMark& cell : result.marks) {
        grid.setRow(cell.row);
        grid.setCol(cell.col);
        if (cell.backColor != 0) {
            grid.setCellBackColor(cell.backColor);
        }
        if (cell.picture >= 0) {
            grid.setCellPicture(pictures[static_cast<size_t>(cell.picture)]);
            grid.setCellPictureAlignment(ResultGrid::CenterCenter);
        }
    }
}

void setWidths(ResultGrid& grid, const std::vector<int>& pixels, const TwipsScale& scale) {
    grid.setRow(0);
    for (int col = 0; col < grid.cols(); ++col) {
        grid.setCol(col);
        grid.setColWidthTwips(col,
                              scale.xToTwips(pixels[static_cast<size_t>(col)]) + kColumnPadTwips);
        grid.setCellAlignment(ResultGrid::CenterCenter);
    }
}

}  // namespace

void fillResultGrid(ResultGrid& grid, QueryResult& result) {
    if (result.rows == 0) {
        return;
    }
    const TwipsScale scale = TwipsScale::forWidget(grid);
    const bool complete = !result.error;
    const std::vector<int> pixels = complete ? columnPixels(grid, result) : std::vector<int>();
    grid.setRedraw(false);
    grid.setFixedCols(0);
    grid.setFixedRows(0);
    grid.setContents(result.rows, result.columns, std::move(result.texts));
    placeMarks(grid, result, scale);
    if (!complete) {
        return;
    }
    setWidths(grid, pixels, scale);
    // Fixed last: the fixed-row overlay follows every change of width.
    grid.setFixedRows(1);
}

QList<QStringList> gridTexts(const ResultGrid& grid) {
    QList<QStringList> rows;
    for (int r = 0; r < grid.rows(); ++r) {
        QStringList row;
        for (int c = 0; c < grid.cols(); ++c) {
            row << grid.textMatrix(r, c);
        }
        rows << row;
    }
    return rows;
}

}  // namespace tw
