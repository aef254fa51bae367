#include "query/GridFill.h"

#include <QFontMetrics>
#include <QHash>
#include <QPixmap>
#include <QTableWidgetItem>
#include <cmath>
#include <vector>

#include "app/LoadPicture.h"
#include "db/AppError.h"
#include "db/Recordset.h"
#include "ui/FlexGrid.h"
#include "ui/Twips.h"
#include "ui/VbColor.h"

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

// One fill: the grid, the measures of its font and the pictures met so far.
class GridFiller {
  public:
    GridFiller(FlexGrid& grid, const GridFillOptions& options)
        : grid_(grid),
          options_(options),
          metrics_(grid.font()),
          scale_(TwipsScale::ForWidget(grid)) {}

    void Fill(Recordset& rows);

  private:
    // Values repeat a lot (maps, playlists, small numbers): each distinct
    // text is measured once.
    double TextWidth(const QString& text) {
        auto known = widths_.constFind(text);
        if (known != widths_.constEnd()) {
            return known.value();
        }
        const double width = scale_.XToTwips(metrics_.horizontalAdvance(text));
        widths_.insert(text, width);
        return width;
    }
    void WriteHeader(const Recordset& rows);
    void WriteRecord(const Recordset& rows, int row);
    void WriteCell(int row, int col, const QString& text, bool highlighted);
    void PlacePicture(int row, int col, const QString& value, int rowPixels);
    const QPixmap& Picture(const QString& relativePath);
    void SetWidths();

    FlexGrid& grid_;
    const GridFillOptions& options_;
    QFontMetrics metrics_;
    TwipsScale scale_;
    std::vector<ColumnKind> kinds_;
    std::vector<double> widthTracker_;  // ColumnWidthTracker
    QHash<QString, QPixmap> pictures_;
    QHash<QString, double> widths_;
};

void GridFiller::Fill(Recordset& rows) {
    rows.MoveLast();
    rows.MoveFirst();
    const int fields = rows.FieldCount();
    kinds_.assign(static_cast<size_t>(fields), ColumnKind::Plain);
    widthTracker_.assign(static_cast<size_t>(fields) + 1, 0.0);
    grid_.SetRedraw(false);
    grid_.SetCols(fields);
    grid_.SetRows(1);
    grid_.SetFixedCols(0);
    grid_.SetFixedRows(0);
    WriteHeader(rows);
    // MoveLast made the count complete, so the rows are made in one step
    // rather than one at a time; a failure cuts them back to those filled.
    grid_.SetRows(static_cast<int>(rows.RecordCount()) + 1);
    int row = 1;
    try {
        for (; !rows.IsEOF(); ++row, rows.MoveNext()) {
            grid_.SetRow(row);
            WriteRecord(rows, row);
        }
    } catch (...) {
        grid_.SetRows(row + 1);
        throw;
    }
    grid_.SetRows(row);
    grid_.SetFixedRows(1);
    SetWidths();
}

void GridFiller::WriteHeader(const Recordset& rows) {
    for (int col = 0; col < rows.FieldCount(); ++col) {
        const QString name = rows.FieldName(col);
        grid_.SetTextMatrix(0, col, name);
        kinds_[static_cast<size_t>(col)] = KindOf(name);
        widthTracker_[static_cast<size_t>(col)] = TextWidth(name);
    }
}

void GridFiller::WriteRecord(const Recordset& rows, int row) {
    const Variant first = rows.Field(0);
    const bool highlighted =
        options_.highlight && !first.isNull() && first.toText() == options_.gamertag;
    for (int col = 0; col < rows.FieldCount(); ++col) {
        const Variant value = rows.Field(col);
        if (!value.isNull()) {
            grid_.SetCol(col);
            WriteCell(row, col, value.toText(), highlighted);
        }
    }
}

void GridFiller::WriteCell(int row, int col, const QString& text, bool highlighted) {
    // One new cell in one step. Item views draw text left and vertically
    // centred by default, which is the grid's own default alignment.
    grid_.setItem(row, col, new QTableWidgetItem(text));
    double& tracker = widthTracker_[static_cast<size_t>(col)];
    const double width = TextWidth(text);
    if (width > tracker) {
        tracker = width;
    }
    const ColumnKind kind = kinds_[static_cast<size_t>(col)];
    if (kind == ColumnKind::Level || kind == ColumnKind::Medal) {
        PlacePicture(row, col, text, kind == ColumnKind::Level ? kLevelRowPixels : kMedalRowPixels);
    }
    if (highlighted) {
        grid_.SetCellBackColor(kHighlightColor);
    }
    if (kind == ColumnKind::Color) {
        grid_.SetCellBackColor(ColorCellBackground(grid_.TextMatrix(row, col)));
        grid_.SetTextMatrix(row, col, QString());
    }
}

void GridFiller::PlacePicture(int row, int col, const QString& value, int rowPixels) {
    grid_.SetRowHeight(row, scale_.YToTwips(rowPixels));
    if (value.isEmpty()) {
        return;
    }
    grid_.SetCellPicture(Picture(value));
    grid_.SetCellPictureAlignment(FlexGrid::CenterCenter);
    grid_.SetTextMatrix(row, col, QString());
    widthTracker_[static_cast<size_t>(col)] = scale_.XToTwips(kPictureColumnPixels);
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

void GridFiller::SetWidths() {
    grid_.SetRow(0);
    for (int col = 0; col < grid_.Cols(); ++col) {
        grid_.SetCol(col);
        grid_.SetColWidth(col, static_cast<int>(std::lround(
                                   widthTracker_[static_cast<size_t>(col)] + kColumnPadTwips)));
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
