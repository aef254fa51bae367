#pragma once
// Paints the grid's cells as the designed grid does: fixed cells on the
// button face, a cell picture placed by its own alignment beside the text.

#include <QStyledItemDelegate>

namespace tw {

class ResultGrid;

class ResultGridDelegate : public QStyledItemDelegate {
  public:
    explicit ResultGridDelegate(ResultGrid* grid);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

  private:
    ResultGrid* grid_;
};

}  // namespace tw
