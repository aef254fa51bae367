#include "gui/FixedRowsOverlay.h"

#include <QHeaderView>
#include <QScrollBar>

#include "gui/ResultGrid.h"
#include "gui/ResultGridDelegate.h"

namespace tw {

FixedRowsOverlay::FixedRowsOverlay(ResultGrid* grid) : QTableView(grid), grid_(grid) {
    setModel(grid->model());
    setItemDelegate(new ResultGridDelegate(grid));
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setMinimumSectionSize(1);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setWordWrap(false);
    hide();

    auto follow = [this] { relayout(); };
    connect(grid->horizontalHeader(), &QHeaderView::sectionResized, this, follow);
    connect(grid->verticalHeader(), &QHeaderView::sectionResized, this, follow);
    connect(grid->model(), &QAbstractItemModel::rowsInserted, this, follow);
    connect(grid->model(), &QAbstractItemModel::rowsRemoved, this, follow);
    connect(grid->model(), &QAbstractItemModel::columnsInserted, this, follow);
    connect(grid->model(), &QAbstractItemModel::columnsRemoved, this, follow);
    connect(grid->model(), &QAbstractItemModel::modelReset, this, follow);
    connect(grid->horizontalScrollBar(), &QScrollBar::valueChanged, horizontalScrollBar(),
            &QScrollBar::setValue);
}

void FixedRowsOverlay::relayout() {
    const int fixed = grid_->fixedRows();
    if (fixed <= 0 || grid_->rowCount() == 0) {
        hide();
        return;
    }
    setFont(grid_->font());
    setShowGrid(grid_->showGrid());
    for (int c = 0; c < grid_->columnCount(); ++c) {
        setColumnWidth(c, grid_->columnWidth(c));
    }
    int height = 0;
    for (int r = 0; r < grid_->rowCount(); ++r) {
        const bool shown = r < fixed;
        setRowHidden(r, !shown);
        if (shown) {
            setRowHeight(r, grid_->rowHeight(r));
            height += grid_->rowHeight(r);
        }
    }
    const QRect area = grid_->viewport()->geometry();
    setGeometry(area.x(), area.y(), area.width(), std::min(height, area.height()));
    horizontalScrollBar()->setRange(grid_->horizontalScrollBar()->minimum(),
                                    grid_->horizontalScrollBar()->maximum());
    horizontalScrollBar()->setValue(grid_->horizontalScrollBar()->value());
    show();
    raise();
}

int FixedRowsOverlay::fixedRowAt(const QPoint& viewportPosition) const {
    if (isHidden() || viewportPosition.y() < 0 || viewportPosition.y() >= height()) {
        return -1;
    }
    return rowAt(viewportPosition.y());
}

}  // namespace tw
