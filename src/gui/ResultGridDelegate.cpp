#include "gui/ResultGridDelegate.h"

#include <QPainter>
#include <QPixmap>
#include <QStyle>

#include "gui/ResultGrid.h"

namespace tw {

ResultGridDelegate::ResultGridDelegate(ResultGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

void ResultGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    const bool fixed = index.row() < grid_->fixedRows() || index.column() < grid_->fixedCols();
    if (fixed && !index.data(Qt::BackgroundRole).isValid()) {
        painter->fillRect(option.rect, option.palette.button());
        painter->save();
        painter->setPen(option.palette.mid().color());
        painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
        painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
        painter->restore();
    }
    QStyledItemDelegate::paint(painter, option, index);

    const QVariant picture = index.data(ResultGrid::kCellPictureRole);
    if (!picture.isValid()) {
        return;
    }
    const QPixmap pixmap = picture.value<QPixmap>();
    const int alignment = index.data(ResultGrid::kPictureAlignmentRole).isValid()
                              ? index.data(ResultGrid::kPictureAlignmentRole).toInt()
                              : ResultGrid::LeftTop;
    const QRect target = QStyle::alignedRect(option.direction, ResultGrid::toQtAlignment(alignment),
                                             pixmap.deviceIndependentSize().toSize(), option.rect);
    painter->drawPixmap(target, pixmap);
}

}  // namespace tw
