#pragma once
// Keeps the grid's fixed rows at the top while the rows beneath scroll: a
// second view on the same cells, showing only the fixed rows, laid over the
// top of the grid's viewport. It draws with the grid's own delegate, so at the
// unscrolled position it covers the real fixed rows pixel for pixel. Mouse
// events pass through it to the grid, which asks it for the row under the
// pointer.

#include <QTableView>

namespace tw {

class ResultGrid;

class FixedRowsOverlay : public QTableView {
    Q_OBJECT
  public:
    explicit FixedRowsOverlay(ResultGrid* grid);

    // Follows the grid's fixed row count, sizes and scroll position.
    void relayout();
    // The fixed row at a viewport position of the grid, or -1.
    int fixedRowAt(const QPoint& viewportPosition) const;

  private:
    ResultGrid* grid_;
};

}  // namespace tw
