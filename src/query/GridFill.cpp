#include "query/GridFill.h"

#include <QHash>
#include <QPixmap>
#include <cmath>
#include <optional>
#include <vector>

#include "core/LoadPicture.h"
#include "db/AppError.h"
#include "db/Recordset.h"
#include "query/CellTexts.h"
#include "gui/FlexGrid.h"
#include "gui/Twips.h"
#include "gui/VbColor.h"

namespace tw {
namespace {

constexpr int kLevelRowPixels = 30;
constexpr int kMedalRowPixels = 25;
constexpr int kPictureColumnPixels = 30;

enum class ColumnKind { Plain, Level, Medal, Color };

ColumnKind KindOf(const QString& header) {
    if (header == QLatin1String("Level")) {
        return ColumnKind::Level;
    }
    if (header == QLatin1String("Medal")) {
        return ColumnKind::Medal;
    }
    return header == QLatin1String("Color") ? ColumnKind::Color : ColumnKind::Plain;
}

int HexByte(const QString& digits) {
    bool ok = false;
    const int value = digits.toInt(&ok, 16);
    if (digits.isEmpty() || !ok || digits.startsWith(QLatin1Char('+')) ||
        digits.startsWith(QLatin1Char('-'))) {
        throw AppError(err::kTypeMismatch, QStringLiteral("Tallywick"),
                       QStringLiteral("Type mismatch"));
    }
    return value;
}

// What a cell carries beside its text, placed once the texts are in.
struct CellDecoration {
    int row = 0;
    int col = 0;
    uint32_t backColor = 0;
    const QPixmap* picture = nullptr;
};

// One fill: the texts gathered row by row into one array handed to the grid
// in one step, the font's measures and the pictures met so far.
class GridFiller {
  public:
    GridFiller(FlexGrid& grid, const GridFillOptions& options)
        : grid_(grid), options_(options), scale_(TwipsScale::ForWidget(grid)) {}

    void Fill(Recordset& rows);

  private:
    void ReadHeader(const Recordset& rows);
    void ReadRecord(const Recordset& rows, int row);
    void ReadCell(int row, int col, QString text, bool highlighted);
    void ReadPicture(CellDecoration& cell, QString& text, int rowPixels);
    const QPixmap& Picture(const QString& relativePath);
    void Place(int rowCount);
    void SetWidths();

    FlexGrid& grid_;
    const GridFillOptions& options_;
    TwipsScale scale_;
    std::optional<CellTexts> cellTexts_;
    int fields_ = 0;
    std::vector<ColumnKind> kinds_;
    // A picture column is as wide as its pictures.
    std::vector<bool> picturePlaced_;
    std::vector<QString> texts_;
    std::vector<CellDecoration> decorations_;
    std::vector<std::pair<int, int>> rowPixels_;
    QHash<QString, QPixmap> pictures_;
};

void GridFiller::Fill(Recordset& rows) {
    rows.MoveLast();
    rows.MoveFirst();
    fields_ = rows.FieldCount();
    cellTexts_.emplace(grid_.font(), fields_);
    kinds_.assign(static_cast<size_t>(fields_), ColumnKind::Plain);
    picturePlaced_.assign(static_cast<size_t>(fields_), false);
    grid_.SetRedraw(false);
    grid_.SetFixedCols(0);
    grid_.SetFixedRows(0);
    texts_.reserve(static_cast<size_t>(rows.RecordCount() + 1) * static_cast<size_t>(fields_));
    ReadHeader(rows);
    int row = 1;
    try {
        for (; !rows.IsEOF(); ++row, rows.MoveNext()) {
            ReadRecord(rows, row);
        }
    } catch (...) {
        // The rows read so far stay, the failing one as far as it got.
        Place(row + 1);
        throw;
    }
    Place(row);
    SetWidths();
    // Fixed last: the fixed-row overlay follows every change of width.
    grid_.SetFixedRows(1);
}

void GridFiller::ReadHeader(const Recordset& rows) {
    for (int col = 0; col < fields_; ++col) {
        QString name = rows.FieldName(col);
        kinds_[static_cast<size_t>(col)] = KindOf(name);
        cellTexts_->Track(col, name);
        texts_.push_back(std::move(name));
    }
}

void GridFiller::ReadRecord(const Recordset& rows, int row) {
    const Variant first = rows.Field(0);
    const bool highlighted =
        options_.highlight && !first.isNull() && first.toText() == options_.gamertag;
    for (int col = 0; col < fields_; ++col) {
        const Variant value = rows.Field(col);
        if (value.isNull()) {
            texts_.emplace_back();
        } else {
            ReadCell(row, col, cellTexts_->Of(col, value), highlighted);
        }
    }
}

void GridFiller::ReadCell(int row, int col, QString text, bool highlighted) {
    const ColumnKind kind = kinds_[static_cast<size_t>(col)];
    if (kind == ColumnKind::Plain && !highlighted) {
        texts_.push_back(std::move(text));
        return;
    }
    CellDecoration cell{row, col, highlighted ? kHighlightColor : 0, nullptr};
    texts_.push_back(std::move(text));
    QString& placed = texts_.back();
    if (kind == ColumnKind::Level || kind == ColumnKind::Medal) {
        ReadPicture(cell, placed, kind == ColumnKind::Level ? kLevelRowPixels : kMedalRowPixels);
    }
    decorations_.push_back(cell);
    if (kind == ColumnKind::Color) {
        // A text that is not a colour fails with the cell still showing it.
        decorations_.back().backColor = ColorCellBackground(placed);
        placed.clear();
    }
}

void GridFiller::ReadPicture(CellDecoration& cell, QString& text, int rowPixels) {
    rowPixels_.emplace_back(cell.row, rowPixels);
    if (text.isEmpty()) {
        return;
    }
    cell.picture = &Picture(text);
    text.clear();
    picturePlaced_[static_cast<size_t>(cell.col)] = true;
}

const QPixmap& GridFiller::Picture(const QString& relativePath) {
    auto found = pictures_.find(relativePath);
    if (found == pictures_.end()) {
        // The value is a path that begins with its own separator.
        found = pictures_.insert(
            relativePath, QPixmap::fromImage(LoadPicture(options_.programDir + relativePath)));
    }
    return found.value();
}

void GridFiller::Place(int rowCount) {
    texts_.resize(static_cast<size_t>(rowCount) * static_cast<size_t>(fields_));
    grid_.SetContents(rowCount, fields_, std::move(texts_));
    for (const auto& [row, pixels] : rowPixels_) {
        grid_.SetRowHeight(row, scale_.YToTwips(pixels));
    }
    for (const CellDecoration& cell : decorations_) {
        grid_.SetRow(cell.row);
        grid_.SetCol(cell.col);
        if (cell.backColor != 0) {
            grid_.SetCellBackColor(cell.backColor);
        }
        if (cell.picture) {
            grid_.SetCellPicture(*cell.picture);
            grid_.SetCellPictureAlignment(FlexGrid::CenterCenter);
        }
    }
}

void GridFiller::SetWidths() {
    grid_.SetRow(0);
    for (int col = 0; col < grid_.Cols(); ++col) {
        grid_.SetCol(col);
        const int pixels = picturePlaced_[static_cast<size_t>(col)] ? kPictureColumnPixels
                                                                    : cellTexts_->WidestPixels(col);
        grid_.SetColWidth(col, scale_.XToTwips(pixels) + kColumnPadTwips);
        grid_.SetCellAlignment(FlexGrid::CenterCenter);
    }
}

}  // namespace

void FillGrid(FlexGrid& grid, Recordset& rows, const GridFillOptions& options) {
    GridFiller(grid, options).Fill(rows);
}

uint32_t ColorCellBackground(const QString& text) {
    const int red = HexByte(text.left(2));
    const int green = HexByte(text.mid(2, 2));
    const int blue = HexByte(text.right(2));
    return VbRgb(red, green, blue);
}

}  // namespace tw
