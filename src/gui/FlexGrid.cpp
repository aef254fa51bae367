#include "gui/FlexGrid.h"

#include <QHeaderView>
#include <QMouseEvent>

#include "gui/FixedRowsOverlay.h"
#include "gui/FlexGridDelegate.h"
#include "gui/FlexGridModel.h"
#include "gui/Twips.h"
#include "gui/VbColor.h"

namespace tw {

namespace {
constexpr int kDefaultRowHeightTwips = 255;
constexpr int kDefaultColWidthTwips = 960;

int MouseButtonCode(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return 1;
        case Qt::RightButton:
            return 2;
        case Qt::MiddleButton:
            return 4;
        default:
            return 0;
    }
}

int ShiftCode(Qt::KeyboardModifiers modifiers) {
    return (modifiers.testFlag(Qt::ShiftModifier) ? 1 : 0) |
           (modifiers.testFlag(Qt::ControlModifier) ? 2 : 0) |
           (modifiers.testFlag(Qt::AltModifier) ? 4 : 0);
}
}  // namespace

FlexGrid::FlexGrid(QWidget* parent) : QTableView(parent), cells_(new FlexGridModel(this)) {
    setModel(cells_);
    setItemDelegate(new FlexGridDelegate(this));
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    setWordWrap(false);
    verticalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(TwipsToPixelsY(kDefaultRowHeightTwips));
    horizontalHeader()->setDefaultSectionSize(TwipsToPixelsX(kDefaultColWidthTwips));
    fixedOverlay_ = new FixedRowsOverlay(this);
    SetRows(0);
    SetCols(0);
}

FlexGrid::~FlexGrid() {
    delete fixedOverlay_;
}

int FlexGrid::rowCount() const {
    return cells_->rowCount();
}

int FlexGrid::columnCount() const {
    return cells_->columnCount();
}

void FlexGrid::Clear() {
    cells_->ClearCells();
}

void FlexGrid::SetRows(int rows) {
    cells_->SetRowCount(rows);
    fixedRows_ = std::min(fixedRows_, rowCount());
    row_ = std::min(row_, std::max(rowCount() - 1, 0));
    fixedOverlay_->Relayout();
}

void FlexGrid::SetCols(int cols) {
    cells_->SetColumnCount(cols);
    fixedCols_ = std::min(fixedCols_, columnCount());
    col_ = std::min(col_, std::max(columnCount() - 1, 0));
}

void FlexGrid::SetContents(int rows, int cols, std::vector<QString> texts) {
    cells_->SetContents(rows, cols, std::move(texts));
    fixedRows_ = std::min(fixedRows_, rowCount());
    fixedCols_ = std::min(fixedCols_, columnCount());
    row_ = std::min(row_, std::max(rowCount() - 1, 0));
    col_ = std::min(col_, std::max(columnCount() - 1, 0));
    fixedOverlay_->Relayout();
}

void FlexGrid::PermuteRows(int first, const std::vector<int>& sources) {
    std::vector<int> heights;
    heights.reserve(sources.size());
    for (const int source : sources) {
        heights.push_back(rowHeight(source));
    }
    cells_->PermuteRows(first, sources);
    for (size_t i = 0; i < heights.size(); ++i) {
        const int row = first + static_cast<int>(i);
        if (rowHeight(row) != heights[i]) {
            setRowHeight(row, heights[i]);
        }
    }
}

void FlexGrid::SetFixedRows(int rows) {
    fixedRows_ = std::clamp(rows, 0, rowCount());
    fixedOverlay_->Relayout();
    viewport()->update();
}

void FlexGrid::SetFixedCols(int cols) {
    fixedCols_ = std::clamp(cols, 0, columnCount());
    viewport()->update();
}

QString FlexGrid::TextMatrix(int row, int col) const {
    return Contains(row, col) ? cells_->Text(row, col) : QString();
}

void FlexGrid::SetTextMatrix(int row, int col, const QString& text) {
    if (Contains(row, col)) {
        cells_->SetText(row, col, text);
    }
}

void FlexGrid::SetRow(int row) {
    row_ = row;
    rowSel_ = row;
}

void FlexGrid::SetCol(int col) {
    col_ = col;
    colSel_ = col;
}

uint32_t FlexGrid::CellBackColor() const {
    return Contains(row_, col_) ? cells_->ExtrasOf(row_, col_).backColor : 0;
}

void FlexGrid::SetCellBackColor(uint32_t vbColor) {
    if (Contains(row_, col_)) {
        cells_->EditExtras(row_, col_,
                           [vbColor](FlexGridModel::Extras& cell) { cell.backColor = vbColor; });
    }
}

int FlexGrid::CellAlignment() const {
    const int alignment = Contains(row_, col_) ? cells_->ExtrasOf(row_, col_).alignment : -1;
    return alignment < 0 ? LeftCenter : alignment;
}

void FlexGrid::SetCellAlignment(int alignment) {
    if (Contains(row_, col_)) {
        cells_->EditExtras(
            row_, col_, [alignment](FlexGridModel::Extras& cell) { cell.alignment = alignment; });
    }
}

QPixmap FlexGrid::CellPicture() const {
    return Contains(row_, col_) ? cells_->ExtrasOf(row_, col_).picture : QPixmap();
}

void FlexGrid::SetCellPicture(const QPixmap& picture) {
    if (Contains(row_, col_)) {
        cells_->EditExtras(row_, col_,
                           [&picture](FlexGridModel::Extras& cell) { cell.picture = picture; });
    }
}

int FlexGrid::CellPictureAlignment() const {
    const int alignment = Contains(row_, col_) ? cells_->ExtrasOf(row_, col_).pictureAlignment : -1;
    return alignment < 0 ? LeftTop : alignment;
}

void FlexGrid::SetCellPictureAlignment(int alignment) {
    if (Contains(row_, col_)) {
        cells_->EditExtras(row_, col_, [alignment](FlexGridModel::Extras& cell) {
            cell.pictureAlignment = alignment;
        });
    }
}

int FlexGrid::ColWidth(int col) const {
    return PixelsToTwipsX(columnWidth(col));
}

void FlexGrid::SetColWidth(int col, int twips) {
    setColumnWidth(col, TwipsToPixelsX(twips));
}

int FlexGrid::RowHeight(int row) const {
    return PixelsToTwipsY(rowHeight(row));
}

void FlexGrid::SetRowHeight(int row, int twips) {
    setRowHeight(row, TwipsToPixelsY(twips));
}

void FlexGrid::SetRedraw(bool on) {
    setUpdatesEnabled(on);
    if (on) {
        viewport()->update();
    }
}

Qt::Alignment FlexGrid::ToQtAlignment(int alignment) {
    static constexpr Qt::Alignment kHorizontal[] = {Qt::AlignLeft, Qt::AlignHCenter,
                                                    Qt::AlignRight};
    static constexpr Qt::Alignment kVertical[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
    if (alignment < LeftTop || alignment > RightBottom) {
        return Qt::AlignLeft | Qt::AlignVCenter;
    }
    return kHorizontal[alignment / 3] | kVertical[alignment % 3];
}

void FlexGrid::mousePressEvent(QMouseEvent* event) {
    TrackMouse(event->position().toPoint());
    QTableView::mousePressEvent(event);
    emit MouseDown(MouseButtonCode(event->button()), ShiftCode(event->modifiers()),
                   event->position().toPoint().x(), event->position().toPoint().y());
}

void FlexGrid::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    fixedOverlay_->Relayout();
}

void FlexGrid::scrollContentsBy(int dx, int dy) {
    QTableView::scrollContentsBy(dx, dy);
    // The overlay may cover the top row now; nothing else changes.
    fixedOverlay_->update();
}

void FlexGrid::mouseReleaseEvent(QMouseEvent* event) {
    TrackMouse(event->position().toPoint());
    QTableView::mouseReleaseEvent(event);
    emit MouseUp(MouseButtonCode(event->button()), ShiftCode(event->modifiers()),
                 event->position().toPoint().x(), event->position().toPoint().y());
}

bool FlexGrid::Contains(int row, int col) const {
    return row >= 0 && col >= 0 && row < rowCount() && col < columnCount();
}

void FlexGrid::TrackMouse(const QPoint& position) {
    const int fixedRow = fixedOverlay_->FixedRowAt(position);
    mouseRow_ = fixedRow >= 0 ? fixedRow : rowAt(position.y());
    mouseCol_ = columnAt(position.x());
}

int FlexGrid::TwipsToPixelsX(int twips) const {
    return TwipsScale::ForWidget(*this).XToPixels(twips);
}
int FlexGrid::TwipsToPixelsY(int twips) const {
    return TwipsScale::ForWidget(*this).YToPixels(twips);
}
int FlexGrid::PixelsToTwipsX(int pixels) const {
    return TwipsScale::ForWidget(*this).XToTwips(pixels);
}
int FlexGrid::PixelsToTwipsY(int pixels) const {
    return TwipsScale::ForWidget(*this).YToTwips(pixels);
}

}  // namespace tw
