#pragma once
// The result grid, resultGrid: a table view over its own cell model that speaks the grid operations
// the query Parts use. Row 0 up to FixedRows()-1 and column 0 up to FixedCols()-1 are fixed
// (header-looking, not selectable); they are ordinary cells of the matrix, so TextMatrix(0, c) is
// the header text of column c, as in the designed grid; the fixed rows stay in view while the
// others scroll. Sizes are twips; a cell background of 0 means the grid's default background;
// colours are &H00BBGGRR values.

#include <QPixmap>
#include <QTableView>
#include <cstdint>
#include <vector>

namespace tw {

class FixedRowsOverlay;
class FlexGridModel;

class FlexGrid : public QTableView {
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

    explicit FlexGrid(QWidget* parent = nullptr);
    // The fixed-row overlay goes first: it follows the model, which the
    // widget's own destruction resets after the viewport is gone.
    ~FlexGrid() override;

    // Empties every cell: text, picture, colour and alignment. The row and
    // column counts stay.
    void Clear();

    int rowCount() const;
    int columnCount() const;
    int Rows() const { return rowCount(); }
    void SetRows(int rows);
    int Cols() const { return columnCount(); }
    void SetCols(int cols);
    int FixedRows() const { return fixedRows_; }
    void SetFixedRows(int rows);
    int FixedCols() const { return fixedCols_; }
    void SetFixedCols(int cols);

    QString TextMatrix(int row, int col) const;
    void SetTextMatrix(int row, int col, const QString& text);
    // Replaces every cell in one step: `texts` holds rows * cols texts, row
    // by row. Colours, pictures, alignments and sizes go back to defaults.
    void SetContents(int rows, int cols, std::vector<QString> texts);
    // Row `first + i` takes the cells and height of row `sources[i]`.
    void PermuteRows(int first, const std::vector<int>& sources);

    // The current cell and the selection's far corner.
    int Row() const { return row_; }
    void SetRow(int row);
    int Col() const { return col_; }
    void SetCol(int col);
    int RowSel() const { return rowSel_; }
    void SetRowSel(int row) { rowSel_ = row; }
    int ColSel() const { return colSel_; }
    void SetColSel(int col) { colSel_ = col; }

    // Operations on the current cell.
    QString Text() const { return TextMatrix(row_, col_); }
    void SetText(const QString& text) { SetTextMatrix(row_, col_, text); }
    uint32_t CellBackColor() const;
    void SetCellBackColor(uint32_t vbColor);
    int CellAlignment() const;
    void SetCellAlignment(int alignment);
    QPixmap CellPicture() const;
    void SetCellPicture(const QPixmap& picture);
    int CellPictureAlignment() const;
    void SetCellPictureAlignment(int alignment);

    int ColWidth(int col) const;  // twips
    void SetColWidth(int col, int twips);
    int RowHeight(int row) const;  // twips
    void SetRowHeight(int row, int twips);

    // Drawing on or off while the grid is being filled.
    bool Redraw() const { return updatesEnabled(); }
    void SetRedraw(bool on);

    // Row and column under the mouse at the last mouse event (-1: none).
    int MouseRow() const { return mouseRow_; }
    int MouseCol() const { return mouseCol_; }

    static Qt::Alignment ToQtAlignment(int alignment);

  signals:
    // button 1 left, 2 right, 4 middle; shift as the keyboard modifiers.
    void MouseDown(int button, int shift, int x, int y);
    void MouseUp(int button, int shift, int x, int y);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

  private:
    bool Contains(int row, int col) const;
    void TrackMouse(const QPoint& position);
    int TwipsToPixelsX(int twips) const;
    int TwipsToPixelsY(int twips) const;
    int PixelsToTwipsX(int pixels) const;
    int PixelsToTwipsY(int pixels) const;

    FlexGridModel* cells_ = nullptr;
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
