#include "gui/ResultGrid.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "gui/BgrColor.h"
#include "gui/FixedRowsOverlay.h"
#include "gui/ResultGridDelegate.h"
#include "gui/ResultGridModel.h"
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

ResultGrid::ResultGrid(QWidget* parent) : QTableView(parent), cells_(new ResultGridModel(this)) {
    setModel(cells_);
    setItemDelegate(new ResultGridDelegate(this));
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    setWordWrap(false);
    verticalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setMinimumSectionSize(1);
    // The designed row height, or more when the desktop's font needs it (a
    // row cut below the baseline hides underscores and descenders).
    verticalHeader()->setDefaultSectionSize(
        std::max(twipsToPixelsY(kDefaultRowHeightTwips), fontMetrics().height() + 2));
    horizontalHeader()->setDefaultSectionSize(twipsToPixelsX(kDefaultColWidthTwips));
    fixedOverlay_ = new FixedRowsOverlay(this);
    setRows(0);
    setCols(0);
}

ResultGrid::~ResultGrid() {
    delete fixedOverlay_;
}

int ResultGrid::rowCount() const {
    return cells_->rowCount();
}

int ResultGrid::columnCount() const {
    return cells_->columnCount();
}

void ResultGrid::clear() {
    cells_->clearCells();
}

void ResultGrid::setRows(int rows) {
    cells_->setRowCount(rows);
    fixedRows_ = std::min(fixedRows_, rowCount());
    row_ = std::min(row_, std::max(rowCount() - 1, 0));
    fixedOverlay_->relayout();
}

void ResultGrid::setCols(int cols) {
    cells_->setColumnCount(cols);
    fixedCols_ = std::min(fixedCols_, columnCount());
    col_ = std::min(col_, std::max(columnCount() - 1, 0));
}

void ResultGrid::setContents(int rows, int cols, std::vector<QString> texts) {
    cells_->setContents(rows, cols, std::move(texts));
    fixedRows_ = std::min(fixedRows_, rowCount());
    fixedCols_ = std::min(fixedCols_, columnCount());
    row_ = std::min(row_, std::max(rowCount() - 1, 0));
    col_ = std::min(col_, std::max(columnCount() - 1, 0));
    fixedOverlay_->relayout();
}

void ResultGrid::permuteRows(int first, const std::vector<int>& sources) {
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

void ResultGrid::setFixedRows(int rows) {
    fixedRows_ = std::clamp(rows, 0, rowCount());
    fixedOverlay_->relayout();
    viewport()->update();
}

void ResultGrid::setFixedCols(int cols) {
    fixedCols_ = std::clamp(cols, 0, columnCount());
    viewport()->update();
}

QString ResultGrid::textMatrix(int row, int col) const {
    return contains(row, col) ? cells_->text(row, col) : QString();
}

void ResultGrid::setTextMatrix(int row, int col, const QString& text) {
    if (contains(row, col)) {
        cells_->setText(row, col, text);
    }
}

void ResultGrid::setRow(int row) {
    row_ = row;
    rowSel_ = row;
}

void ResultGrid::setCol(int col) {
    col_ = col;
    colSel_ = col;
}

uint32_t ResultGrid::cellBackColor() const {
    return contains(row_, col_) ? cells_->extrasOf(row_, col_).backColor : 0;
}

void ResultGrid::setCellBackColor(uint32_t vbColor) {
    if (contains(row_, col_)) {
        cells_->editExtras(row_, col_,
                           [vbColor](ResultGridModel::Extras& cell) { cell.backColor = vbColor; });
    }
}

int ResultGrid::cellAlignment() const {
    const int alignment = contains(row_, col_) ? cells_->extrasOf(row_, col_).alignment : -1;
    return alignment < 0 ? LeftCenter : alignment;
}

void ResultGrid::setCellAlignment(int alignment) {
    if (contains(row_, col_)) {
        cells_->editExtras(
            row_, col_, [alignment](ResultGridModel::Extras& cell) { cell.alignment = alignment; });
    }
}

QPixmap ResultGrid::cellPicture() const {
    return contains(row_, col_) ? cells_->extrasOf(row_, col_).picture : QPixmap();
}

void ResultGrid::setCellPicture(const QPixmap& picture) {
    if (contains(row_, col_)) {
        cells_->editExtras(row_, col_,
                           [&picture](ResultGridModel::Extras& cell) { cell.picture = picture; });
    }
}

int ResultGrid::cellPictureAlignment() const {
    const int alignment = contains(row_, col_) ? cells_->extrasOf(row_, col_).pictureAlignment : -1;
    return alignment < 0 ? LeftTop : alignment;
}

void ResultGrid::setCellPictureAlignment(int alignment) {
    if (contains(row_, col_)) {
        cells_->editExtras(row_, col_, [alignment](ResultGridModel::Extras& cell) {
            cell.pictureAlignment = alignment;
        });
    }
}

int ResultGrid::colWidthTwips(int col) const {
    return pixelsToTwipsX(columnWidth(col));
}

void ResultGrid::setColWidthTwips(int col, int twips) {
    setColumnWidth(col, twipsToPixelsX(twips));
}

int ResultGrid::rowHeightTwips(int row) const {
    return pixelsToTwipsY(rowHeight(row));
}

void ResultGrid::setRowHeightTwips(int row, int twips) {
    setRowHeight(row, twipsToPixelsY(twips));
}

void ResultGrid::setRedraw(bool on) {
    setUpdatesEnabled(on);
    if (on) {
        viewport()->update();
    }
}

Qt::Alignment ResultGrid::toQtAlignment(int alignment) {
    static constexpr Qt::Alignment kHorizontal[] = {Qt::AlignLeft, Qt::AlignHCenter,
                                                    Qt::AlignRight};
    static constexpr Qt::Alignment kVertical[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
    if (alignment < LeftTop || alignment > RightBottom) {
        return Qt::AlignLeft | Qt::AlignVCenter;
    }
    return kHorizontal[alignment / 3] | kVertical[alignment % 3];
}

void ResultGrid::mousePressEvent(QMouseEvent* event) {
    trackMouse(event->position().toPoint());
    QTableView::mousePressEvent(event);
    emit mouseDown(mouseButtonCode(event->button()), shiftCode(event->modifiers()),
                   event->position().toPoint().x(), event->position().toPoint().y());
}

bool ResultGrid::event(QEvent* event) {
    const bool handled = QTableView::event(event);
    switch (event->type()) {
        case QEvent::Paint:
            paintBorder();
            break;
        case QEvent::FocusIn:
        case QEvent::FocusOut:
            update();
            break;
        default:
            break;
    }
    return handled;
}

// The outer pixel of the frame, filled over the style's: a frame stroked with
// a pen loses its right and bottom lines at fractional scale factors such as
// 125 %, a filled one covers whole device pixels at any scale. The highlight
// colour while the grid has the keyboard focus.
void ResultGrid::paintBorder() {
    QPainter painter(this);
    const QColor colour = palette().color(hasFocus() ? QPalette::Highlight : QPalette::Mid);
    const QRect all = rect();
    painter.fillRect(QRect(all.left(), all.top(), all.width(), 1), colour);
    painter.fillRect(QRect(all.left(), all.bottom(), all.width(), 1), colour);
    painter.fillRect(QRect(all.left(), all.top(), 1, all.height()), colour);
    painter.fillRect(QRect(all.right(), all.top(), 1, all.height()), colour);
}

void ResultGrid::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    fixedOverlay_->relayout();
}

void ResultGrid::scrollContentsBy(int dx, int dy) {
    QTableView::scrollContentsBy(dx, dy);
    // The overlay may cover the top row now; nothing else changes.
    fixedOverlay_->update();
}

void ResultGrid::mouseReleaseEvent(QMouseEvent* event) {
    trackMouse(event->position().toPoint());
    QTableView::mouseReleaseEvent(event);
    emit mouseUp(mouseButtonCode(event->button()), shiftCode(event->modifiers()),
                 event->position().toPoint().x(), event->position().toPoint().y());
}

bool ResultGrid::contains(int row, int col) const {
    return row >= 0 && col >= 0 && row < rowCount() && col < columnCount();
}

void ResultGrid::trackMouse(const QPoint& position) {
    const int fixedRow = fixedOverlay_->fixedRowAt(position);
    mouseRow_ = fixedRow >= 0 ? fixedRow : rowAt(position.y());
    mouseCol_ = columnAt(position.x());
}

int ResultGrid::twipsToPixelsX(int twips) const {
    return TwipsScale::forWidget(*this).xToPixels(twips);
}
int ResultGrid::twipsToPixelsY(int twips) const {
    return TwipsScale::forWidget(*this).yToPixels(twips);
}
int ResultGrid::pixelsToTwipsX(int pixels) const {
    return TwipsScale::forWidget(*this).xToTwips(pixels);
}
int ResultGrid::pixelsToTwipsY(int pixels) const {
    return TwipsScale::forWidget(*this).yToTwips(pixels);
}

}  // namespace tw
