#pragma once
// The result grid, resultGrid: a table view over its own cell model, filled in one step from a
// query result (ResultGridFill) and then sorted and marked cell by cell. Row 0 up to fixedRows()-1
// and column 0 up to fixedCols()-1 are fixed (header-looking, not selectable); they are ordinary
// cells of the matrix, so textMatrix(0, c) is the header text of column c, as in the designed grid;
// the fixed rows stay in view while the others scroll. Sizes are twips; a cell background of 0
// means the grid's default background; colours are &H00BBGGRR values.

#include <QPixmap>
#include <QTableView>
#include <cstdint>
#include <vector>

namespace tw {

class FixedRowsOverlay;
class ResultGridModel;

class ResultGrid : public QTableView {
    Q_OBJECT
  public:
    // Alignment values of the designed grid (text and picture alignment).
    enum Alignment : int {
        LeftTop = 0,
        LeftCenter = 1,
        LeftBottom = 2,
        CenterTop = 3,
        CenterCenter = 4,
        CenterBottom = 5,
        RightTop = 6,
        RightCenter = 7,
        RightBottom = 8,
    };
    static constexpr int kCellPictureRole = Qt::UserRole + 1;
    static constexpr int kPictureAlignmentRole = Qt::UserRole + 2;

    explicit ResultGrid(QWidget* parent = nullptr);
    // The fixed-row overlay goes first: it follows the model, which the
    // widget's own destruction resets after the viewport is gone.
    ~ResultGrid() override;

    // Empties every cell: text, picture, colour and alignment. The row and
    // column counts stay.
    void clear();
    int rowCount() const;
    int columnCount() const;
    int rows() const { return rowCount(); }
    void setRows(int rows);
    int cols() const { return columnCount(); }
    void setCols(int cols);
    int fixedRows() const { return fixedRows_; }
    void setFixedRows(int rows);
    int fixedCols() const { return fixedCols_; }
    void setFixedCols(int cols);

    QString textMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const QString& text);
    // Replaces every cell in one step: `texts` holds rows * cols texts, row
    // by row. Colours, pictures, alignments and sizes go back to defaults.
    void setContents(int rows, int cols, std::vector<QString> texts);
    // Row `first + i` takes the cells and height of row `sources[i]`.
    void permuteRows(int first, const std::vector<int>& sources);

    // The current cell and the selection's far corner.
    int row() const { return row_; }
    void setRow(int row);
    int col() const { return col_; }
    void setCol(int col);
    int rowSel() const { return rowSel_; }
    void setRowSel(int row) { rowSel_ = row; }
    int colSel() const { return colSel_; }
    void setColSel(int col) { colSel_ = col; }

    // Operations on the current cell.
    QString text() const { return textMatrix(row_, col_); }
    void setText(const QString& text) { setTextMatrix(row_, col_, text); }
    uint32_t cellBackColor() const;
    void setCellBackColor(uint32_t vbColor);
    int cellAlignment() const;
    void setCellAlignment(int alignment);
    QPixmap cellPicture() const;
    void setCellPicture(const QPixmap& picture);
    int cellPictureAlignment() const;
    void setCellPictureAlignment(int alignment);

    int colWidthTwips(int col) const;
    void setColWidthTwips(int col, int twips);
    int rowHeightTwips(int row) const;
    void setRowHeightTwips(int row, int twips);

    // Drawing on or off while the grid is being filled.
    bool redraw() const { return updatesEnabled(); }
    void setRedraw(bool on);

    // Row and column under the mouse at the last mouse event (-1: none).
    int mouseRow() const { return mouseRow_; }
    int mouseCol() const { return mouseCol_; }

    static Qt::Alignment toQtAlignment(int alignment);

  signals:
    // button 1 left, 2 right, 4 middle; shift as the keyboard modifiers.
    void mouseDown(int button, int shift, int x, int y);
    void mouseUp(int button, int shift, int x, int y);

  protected:
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

  private:
    bool contains(int row, int col) const;
    void paintBorder();
    void trackMouse(const QPoint& position);
    int twipsToPixelsX(int twips) const;
    int twipsToPixelsY(int twips) const;
    int pixelsToTwipsX(int pixels) const;
    int pixelsToTwipsY(int pixels) const;

    ResultGridModel* cells_ = nullptr;
    FixedRowsOverlay* fixedOverlay_ = nullptr;
    int fixedRows_ = 0;
    int fixedCols_ = 0;
    int row_ = 0;
    int col_ = 0;
    int rowSel_ = 0;
    int colSel_ = 0;
    int mouseRow_ = -1;
    int mouseCol_ = -1;
};

}  // namespace tw
