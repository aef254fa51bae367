#include "gui/ResultGridModel.h"

#include <QBrush>

#include "gui/BgrColor.h"
#include "gui/ResultGrid.h"

namespace tw {

int ResultGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int ResultGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : cols_;
}

QVariant ResultGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_ || index.column() >= cols_) {
        return QVariant();
    }
    if (role == Qt::DisplayRole || role == Qt::EditRole) {
        return text(index.row(), index.column());
    }
    const auto found = extras_.constFind(key(index.row(), index.column()));
    if (found == extras_.constEnd()) {
        return QVariant();
    }
    const Extras& extras = found.value();
    switch (role) {
        case Qt::BackgroundRole:
            return extras.backColor == 0 ? QVariant()
                                         : QVariant(QBrush(colorFromBgr(extras.backColor)));
        case Qt::ForegroundRole:
            return extras.backColor == 0
                       ? QVariant()
                       : QVariant(QBrush(readableTextOn(colorFromBgr(extras.backColor))));
        case Qt::TextAlignmentRole:
            return extras.alignment < 0
                       ? QVariant()
                       : QVariant(int(ResultGrid::toQtAlignment(extras.alignment)));
        case ResultGrid::kCellPictureRole:
            return extras.picture.isNull() ? QVariant() : QVariant(extras.picture);
        case ResultGrid::kPictureAlignmentRole:
            return extras.pictureAlignment < 0 ? QVariant() : QVariant(extras.pictureAlignment);
        case kBackColorRole:
            return extras.backColor;
        case kAlignmentRole:
            return extras.alignment < 0 ? QVariant() : QVariant(extras.alignment);
        default:
            return QVariant();
    }
}

void ResultGridModel::setRowCount(int rows) {
    rows = std::max(rows, 0);
    if (rows > rows_) {
        beginInsertRows(QModelIndex(), rows_, rows - 1);
        rows_ = rows;
        texts_.resize(offset(rows_, 0));
        endInsertRows();
    } else if (rows < rows_) {
        beginRemoveRows(QModelIndex(), rows, rows_ - 1);
        rows_ = rows;
        texts_.resize(offset(rows_, 0));
        dropExtrasOutside(rows_, cols_);
        endRemoveRows();
    }
}

void ResultGridModel::setColumnCount(int cols) {
    cols = std::max(cols, 0);
    if (cols == cols_) {
        return;
    }
    std::vector<QString> texts(static_cast<size_t>(rows_) * static_cast<size_t>(cols));
    const int kept = std::min(cols, cols_);
    for (int r = 0; r < rows_; ++r) {
        for (int c = 0; c < kept; ++c) {
            texts[static_cast<size_t>(r) * static_cast<size_t>(cols) + static_cast<size_t>(c)] =
                std::move(texts_[offset(r, c)]);
        }
    }
    if (cols > cols_) {
        beginInsertColumns(QModelIndex(), cols_, cols - 1);
        cols_ = cols;
        texts_ = std::move(texts);
        endInsertColumns();
    } else {
        beginRemoveColumns(QModelIndex(), cols, cols_ - 1);
        cols_ = cols;
        texts_ = std::move(texts);
        dropExtrasOutside(rows_, cols_);
        endRemoveColumns();
    }
}

void ResultGridModel::setContents(int rows, int cols, std::vector<QString> texts) {
    beginResetModel();
    rows_ = std::max(rows, 0);
    cols_ = std::max(cols, 0);
    texts_ = std::move(texts);
    texts_.resize(offset(rows_, 0));
    extras_.clear();
    endResetModel();
}

void ResultGridModel::clearCells() {
    for (QString& text : texts_) {
        text.clear();
    }
    extras_.clear();
    if (rows_ > 0 && cols_ > 0) {
        emit dataChanged(index(0, 0), index(rows_ - 1, cols_ - 1));
    }
}

void ResultGridModel::setText(int row, int col, const QString& text) {
    texts_[offset(row, col)] = text;
    cellChanged(row, col);
}

ResultGridModel::Extras ResultGridModel::extrasOf(int row, int col) const {
    return extras_.value(key(row, col));
}

void ResultGridModel::permuteRows(int first, const std::vector<int>& sources) {
    std::vector<QString> moved(sources.size() * static_cast<size_t>(cols_));
    QHash<quint64, Extras> extras;
    std::vector<int> target(static_cast<size_t>(rows_), -1);
    for (size_t i = 0; i < sources.size(); ++i) {
        const int to = first + static_cast<int>(i);
        target[static_cast<size_t>(sources[i])] = to;
        for (int c = 0; c < cols_; ++c) {
            moved[i * static_cast<size_t>(cols_) + static_cast<size_t>(c)] =
                std::move(texts_[offset(sources[i], c)]);
        }
    }
    std::move(moved.begin(), moved.end(),
              texts_.begin() + static_cast<std::ptrdiff_t>(offset(first, 0)));
    for (auto it = extras_.cbegin(); it != extras_.cend(); ++it) {
        const int row = static_cast<int>(it.key() >> 32);
        const int col = static_cast<int>(it.key() & 0xFFFFFFFFu);
        const int to = target[static_cast<size_t>(row)];
        extras.insert(key(to >= 0 ? to : row, col), it.value());
    }
    extras_ = std::move(extras);
    if (rows_ > 0 && cols_ > 0) {
        emit dataChanged(index(0, 0), index(rows_ - 1, cols_ - 1));
    }
}

void ResultGridModel::cellChanged(int row, int col) {
    const QModelIndex cell = index(row, col);
    emit dataChanged(cell, cell);
}

void ResultGridModel::dropExtrasOutside(int rows, int cols) {
    for (auto it = extras_.begin(); it != extras_.end();) {
        const int row = static_cast<int>(it.key() >> 32);
        const int col = static_cast<int>(it.key() & 0xFFFFFFFFu);
        it = row >= rows || col >= cols ? extras_.erase(it) : std::next(it);
    }
}

}  // namespace tw
