#pragma once
// The cells of a ResultGrid: one text per cell in a flat row-major array, and
// the few cells with a colour, an alignment or a picture in a sparse map.
// A result grid of many thousand rows is filled in one step (SetContents)
// rather than cell by cell.

#include <QAbstractTableModel>
#include <QHash>
#include <QPixmap>
#include <cstdint>
#include <vector>

namespace tw {

class ResultGridModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    static constexpr int kBackColorRole = Qt::UserRole + 3;
    static constexpr int kAlignmentRole = Qt::UserRole + 4;

    // What a cell carries beside its text; -1 and 0 mean "not set".
    struct Extras {
        uint32_t backColor = 0;
        int alignment = -1;
        QPixmap picture;
        int pictureAlignment = -1;
    };

    explicit ResultGridModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    void setRowCount(int rows);
    void setColumnCount(int cols);
    // Replaces every cell: `texts` holds rows * cols texts, row by row.
    void setContents(int rows, int cols, std::vector<QString> texts);
    // Empties every cell, keeping the counts.
    void clearCells();

    const QString& text(int row, int col) const { return texts_[offset(row, col)]; }
    void setText(int row, int col, const QString& text);
    // The extras of a cell (defaults when it has none).
    Extras extrasOf(int row, int col) const;
    // Changes a cell's extras through `change` and redraws the cell.
    template <typename Change>
    void editExtras(int row, int col, Change change) {
        change(extras_[key(row, col)]);
        cellChanged(row, col);
    }
    // Row `first + i` takes what row `sources[i]` held.
    void permuteRows(int first, const std::vector<int>& sources);

  private:
    static quint64 key(int row, int col) {
        return (static_cast<quint64>(static_cast<uint32_t>(row)) << 32) |
               static_cast<uint32_t>(col);
    }
    size_t offset(int row, int col) const {
        return static_cast<size_t>(row) * static_cast<size_t>(cols_) + static_cast<size_t>(col);
    }
    void cellChanged(int row, int col);
    void dropExtrasOutside(int rows, int cols);

    int rows_ = 0;
    int cols_ = 0;
    std::vector<QString> texts_;
    QHash<quint64, Extras> extras_;
};

}  // namespace tw
