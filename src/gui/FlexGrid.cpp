#include "gui/FlexGrid.h"

#include <QHeaderView>
#include <QMouseEvent>

#include "gui/BgrColor.h"
#include "gui/FixedRowsOverlay.h"
#include "gui/FlexGridDelegate.h"
#include "gui/FlexGridModel.h"
#include "gui/Twips.h"

namespace tw {

namespace {
constexpr int kDefaultRowHeightTwips = 255;
constexpr int kDefaultColWidthTwips = 960;

int mouseButtonCode(Qt::MouseButton button) {
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

int shiftCode(Qt::KeyboardModifiers modifiers) {
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
    verticalHeader()->setDefaultSectionSize(twipsToPixelsY(kDefaultRowHeightTwips));
    horizontalHeader()->setDefaultSectionSize(twipsToPixelsX(kDefaultColWidthTwips));
    fixedOverlay_ = new FixedRowsOverlay(this);
    setRows(0);
    setCols(0);
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

void FlexGrid::clear() {
    cells_->clearCells();
}

void FlexGrid::setRows(int rows) {
    cells_->setRowCount(rows);
    fixedRows_ = std::min(fixedRows_, rowCount());
    row_ = std::min(row_, std::max(rowCount() - 1, 0));
    fixedOverlay_->relayout();
}

void FlexGrid::setCols(int cols) {
    cells_->setColumnCount(cols);
    fixedCols_ = std::min(fixedCols_, columnCount());
    col_ = std::min(col_, std::max(columnCount() - 1, 0));
}

void FlexGrid::setContents(int rows, int cols, std::vector<QString> texts) {
    cells_->setContents(rows, cols, std::move(texts));
    fixedRows_ = std::min(fixedRows_, rowCount());
    fixedCols_ = std::min(fixedCols_, columnCount());
    row_ = std::min(row_, std::max(rowCount() - 1, 0));
    col_ = std::min(col_, std::max(columnCount() - 1, 0));
    fixedOverlay_->relayout();
}

void FlexGrid::permuteRows(int first, const std::vector<int>& sources) {
    std::vector<int> heights;
    heights.reserve(sources.size());
    for (const int source : sources) {
        heights.push_back(rowHeight(source));
    }
    cells_->permuteRows(first, sources);
    for (size_t i = 0; i < heights.size(); ++i) {
        const int row = first + static_cast<int>(i);
        if (rowHeight(row) != heights[i]) {
            setRowHeight(row, heights[i]);
        }
    }
}

void FlexGrid::setFixedRows(int rows) {
    fixedRows_ = std::clamp(rows, 0, rowCount());
    fixedOverlay_->relayout();
    viewport()->update();
}

void FlexGrid::setFixedCols(int cols) {
    fixedCols_ = std::clamp(cols, 0, columnCount());
    viewport()->update();
}

QString FlexGrid::textMatrix(int row, int col) const {
    return contains(row, col) ? cells_->text(row, col) : QString();
}

void FlexGrid::setTextMatrix(int row, int col, const QString& text) {
    if (contains(row, col)) {
        cells_->setText(row, col, text);
    }
}

void FlexGrid::setRow(int row) {
    row_ = row;
    rowSel_ = row;
}

void FlexGrid::setCol(int col) {
    col_ = col;
    colSel_ = col;
}

uint32_t FlexGrid::cellBackColor() const {
    return contains(row_, col_) ? cells_->extrasOf(row_, col_).backColor : 0;
}

void FlexGrid::setCellBackColor(uint32_t vbColor) {
    if (contains(row_, col_)) {
        cells_->editExtras(row_, col_,
                           [vbColor](FlexGridModel::Extras& cell) { cell.backColor = vbColor; });
    }
}

int FlexGrid::cellAlignment() const {
    const int alignment = contains(row_, col_) ? cells_->extrasOf(row_, col_).alignment : -1;
    return alignment < 0 ? LeftCenter : alignment;
}

void FlexGrid::setCellAlignment(int alignment) {
    if (contains(row_, col_)) {
        cells_->editExtras(
            row_, col_, [alignment](FlexGridModel::Extras& cell) { cell.alignment = alignment; });
    }
}

QPixmap FlexGrid::cellPicture() const {
    return contains(row_, col_) ? cells_->extrasOf(row_, col_).picture : QPixmap();
}

void FlexGrid::setCellPicture(const QPixmap& picture) {
    if (contains(row_, col_)) {
        cells_->editExtras(row_, col_,
                           [&picture](FlexGridModel::Extras& cell) { cell.picture = picture; });
    }
}

int FlexGrid::cellPictureAlignment() const {
    const int alignment = contains(row_, col_) ? cells_->extrasOf(row_, col_).pictureAlignment : -1;
    return alignment < 0 ? LeftTop : alignment;
}

void FlexGrid::setCellPictureAlignment(int alignment) {
    if (contains(row_, col_)) {
        cells_->editExtras(row_, col_, [alignment](FlexGridModel::Extras& cell) {
            cell.pictureAlignment = alignment;
        });
    }
}

int FlexGrid::colWidthTwips(int col) const {
    return pixelsToTwipsX(columnWidth(col));
}

void FlexGrid::setColWidthTwips(int col, int twips) {
    setColumnWidth(col, twipsToPixelsX(twips));
}

int FlexGrid::rowHeightTwips(int row) const {
    return pixelsToTwipsY(rowHeight(row));
}

void FlexGrid::setRowHeightTwips(int row, int twips) {
    setRowHeight(row, twipsToPixelsY(twips));
}

void FlexGrid::setRedraw(bool on) {
    setUpdatesEnabled(on);
    if (on) {
        viewport()->update();
    }
}

Qt::Alignment FlexGrid::toQtAlignment(int alignment) {
    static constexpr Qt::Alignment kHorizontal[] = {Qt::AlignLeft, Qt::AlignHCenter,
                                                    Qt::AlignRight};
    static constexpr Qt::Alignment kVertical[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
    if (alignment < LeftTop || alignment > RightBottom) {
        return Qt::AlignLeft | Qt::AlignVCenter;
    }
    return kHorizontal[alignment / 3] | kVertical[alignment % 3];
}

void FlexGrid::mousePressEvent(QMouseEvent* event) {
    trackMouse(event->position().toPoint());
    QTableView::mousePressEvent(event);
    emit mouseDown(mouseButtonCode(event->button()), shiftCode(event->modifiers()),
                   event->position().toPoint().x(), event->position().toPoint().y());
}

void FlexGrid::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    fixedOverlay_->relayout();
}

void FlexGrid::scrollContentsBy(int dx, int dy) {
    QTableView::scrollContentsBy(dx, dy);
    // The overlay may cover the top row now; nothing else changes.
    fixedOverlay_->update();
}

void FlexGrid::mouseReleaseEvent(QMouseEvent* event) {
    trackMouse(event->position().toPoint());
    QTableView::mouseReleaseEvent(event);
    emit mouseUp(mouseButtonCode(event->button()), shiftCode(event->modifiers()),
                 event->position().toPoint().x(), event->position().toPoint().y());
}

bool FlexGrid::contains(int row, int col) const {
    return row >= 0 && col >= 0 && row < rowCount() && col < columnCount();
}

void FlexGrid::trackMouse(const QPoint& position) {
    const int fixedRow = fixedOverlay_->fixedRowAt(position);
    mouseRow_ = fixedRow >= 0 ? fixedRow : rowAt(position.y());
    mouseCol_ = columnAt(position.x());
}

int FlexGrid::twipsToPixelsX(int twips) const {
    return TwipsScale::ForWidget(*this).XToPixels(twips);
}
int FlexGrid::twipsToPixelsY(int twips) const {
    return TwipsScale::ForWidget(*this).YToPixels(twips);
}
int FlexGrid::pixelsToTwipsX(int pixels) const {
    return TwipsScale::ForWidget(*this).XToTwips(pixels);
}
int FlexGrid::pixelsToTwipsY(int pixels) const {
    return TwipsScale::ForWidget(*this).YToTwips(pixels);
}

}  // namespace tw
