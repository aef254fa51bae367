#include "ui/FlexGrid.h"

#include <QHeaderView>
#include <QMouseEvent>

#include "ui/FixedRowsOverlay.h"
#include "ui/FlexGridDelegate.h"
#include "ui/Twips.h"
#include "ui/VbColor.h"

namespace tw {

namespace {
constexpr int kBackColorRole = Qt::UserRole + 3;
constexpr int kAlignmentRole = Qt::UserRole + 4;
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

FlexGrid::FlexGrid(QWidget* parent) : QTableWidget(parent) {
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

void FlexGrid::Clear() {
    clearContents();
}

void FlexGrid::SetRows(int rows) {
    setRowCount(rows < 0 ? 0 : rows);
    fixedRows_ = std::min(fixedRows_, rowCount());
    row_ = std::min(row_, std::max(rowCount() - 1, 0));
    fixedOverlay_->Relayout();
}

void FlexGrid::SetCols(int cols) {
    setColumnCount(cols < 0 ? 0 : cols);
    fixedCols_ = std::min(fixedCols_, columnCount());
    col_ = std::min(col_, std::max(columnCount() - 1, 0));
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
    const QTableWidgetItem* cell = CellItem(row, col);
    return cell ? cell->text() : QString();
}

void FlexGrid::SetTextMatrix(int row, int col, const QString& text) {
    if (QTableWidgetItem* cell = CellItem(row, col)) {
        cell->setText(text);
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
    const QTableWidgetItem* cell = CellItem(row_, col_);
    return cell ? cell->data(kBackColorRole).toUInt() : 0;
}

void FlexGrid::SetCellBackColor(uint32_t vbColor) {
    QTableWidgetItem* cell = CellItem(row_, col_);
    if (!cell) {
        return;
    }
    cell->setData(kBackColorRole, vbColor);
    if (vbColor == 0) {
        cell->setData(Qt::BackgroundRole, QVariant());
    } else {
        cell->setBackground(ColorFromVb(vbColor));
    }
}

int FlexGrid::CellAlignment() const {
    const QTableWidgetItem* cell = CellItem(row_, col_);
    return cell && cell->data(kAlignmentRole).isValid() ? cell->data(kAlignmentRole).toInt()
                                                        : LeftCenter;
}

void FlexGrid::SetCellAlignment(int alignment) {
    if (QTableWidgetItem* cell = CellItem(row_, col_)) {
        cell->setData(kAlignmentRole, alignment);
        cell->setTextAlignment(ToQtAlignment(alignment));
    }
}

QPixmap FlexGrid::CellPicture() const {
    const QTableWidgetItem* cell = CellItem(row_, col_);
    return cell ? cell->data(kCellPictureRole).value<QPixmap>() : QPixmap();
}

void FlexGrid::SetCellPicture(const QPixmap& picture) {
    if (QTableWidgetItem* cell = CellItem(row_, col_)) {
        cell->setData(kCellPictureRole, picture.isNull() ? QVariant() : QVariant(picture));
    }
}

int FlexGrid::CellPictureAlignment() const {
    const QTableWidgetItem* cell = CellItem(row_, col_);
    return cell && cell->data(kPictureAlignmentRole).isValid()
               ? cell->data(kPictureAlignmentRole).toInt()
               : LeftTop;
}

void FlexGrid::SetCellPictureAlignment(int alignment) {
    if (QTableWidgetItem* cell = CellItem(row_, col_)) {
        cell->setData(kPictureAlignmentRole, alignment);
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
    QTableWidget::mousePressEvent(event);
    emit MouseDown(MouseButtonCode(event->button()), ShiftCode(event->modifiers()),
                   event->position().toPoint().x(), event->position().toPoint().y());
}

void FlexGrid::resizeEvent(QResizeEvent* event) {
    QTableWidget::resizeEvent(event);
    fixedOverlay_->Relayout();
}

void FlexGrid::scrollContentsBy(int dx, int dy) {
    QTableWidget::scrollContentsBy(dx, dy);
    // The overlay may cover the top row now; nothing else changes.
    fixedOverlay_->update();
}

void FlexGrid::mouseReleaseEvent(QMouseEvent* event) {
    TrackMouse(event->position().toPoint());
    QTableWidget::mouseReleaseEvent(event);
    emit MouseUp(MouseButtonCode(event->button()), ShiftCode(event->modifiers()),
                 event->position().toPoint().x(), event->position().toPoint().y());
}

QTableWidgetItem* FlexGrid::CellItem(int row, int col) {
    if (row < 0 || col < 0 || row >= rowCount() || col >= columnCount()) {
        return nullptr;
    }
    QTableWidgetItem* cell = item(row, col);
    if (!cell) {
        cell = new QTableWidgetItem();
        cell->setTextAlignment(ToQtAlignment(LeftCenter));
        setItem(row, col, cell);
    }
    return cell;
}

const QTableWidgetItem* FlexGrid::CellItem(int row, int col) const {
    if (row < 0 || col < 0 || row >= rowCount() || col >= columnCount()) {
        return nullptr;
    }
    return item(row, col);
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
