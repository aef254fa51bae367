#include "query/ResultReader.h"

#include <QHash>
#include <vector>

#include "core/LoadPicture.h"
#include "db/AppError.h"
#include "db/Recordset.h"
#include "query/CellTexts.h"

namespace tw {
namespace {

enum class ColumnKind { Plain, Level, Medal, Color };

ColumnKind kindOf(const QString& header) {
    if (header == QLatin1String("Level")) {
        return ColumnKind::Level;
    }
    if (header == QLatin1String("Medal")) {
        return ColumnKind::Medal;
    }
    return header == QLatin1String("Color") ? ColumnKind::Color : ColumnKind::Plain;
}

int hexByte(const QString& digits) {
    bool ok = false;
    const int value = digits.toInt(&ok, 16);
    if (digits.isEmpty() || !ok || digits.startsWith(QLatin1Char('+')) ||
        digits.startsWith(QLatin1Char('-'))) {
        throw AppError(err::kTypeMismatch, QStringLiteral("Tallywick"),
                       QStringLiteral("Type mismatch"));
    }
    return value;
}

uint32_t rgb(int red, int green, int blue) {
    return static_cast<uint32_t>(red) | (static_cast<uint32_t>(green) << 8) |
           (static_cast<uint32_t>(blue) << 16);
}

// One read: the texts gathered row by row, the marks of the cells that carry
// more than text and the pictures met so far.
class GridReader {
  public:
    GridReader(const GridReadOptions& options, QueryResult& result)
        : options_(options), result_(result) {}

    void read(Recordset& rows);

  private:
    void readHeader(const Recordset& rows);
    void readRecord(const Recordset& rows, int row);
    void readCell(int row, int col, QString text, bool highlighted);
    void readPicture(CellMark& cell, QString& text, int rowPixels);
    int picture(const QString& relativePath);
    void finish(int rowCount);

    const GridReadOptions& options_;
    QueryResult& result_;
    std::optional<CellTexts> cellTexts_;
    int fields_ = 0;
    std::vector<ColumnKind> kinds_;
    QHash<QString, int> pictureIndex_;
};

void GridReader::read(Recordset& rows) {
    rows.moveLast();
    rows.moveFirst();
    fields_ = rows.fieldCount();
    cellTexts_.emplace(fields_);
    kinds_.assign(static_cast<size_t>(fields_), ColumnKind::Plain);
    result_.columns = fields_;
    result_.pictureColumns.assign(static_cast<size_t>(fields_), false);
    result_.texts.reserve(static_cast<size_t>(rows.recordCount() + 1) *
                          static_cast<size_t>(fields_));
    readHeader(rows);
    int row = 1;
    try {
        for (; !rows.isEof(); ++row, rows.moveNext()) {
            readRecord(rows, row);
        }
    } catch (...) {
        finish(row + 1);
        throw;
    }
    finish(row);
}

void GridReader::readHeader(const Recordset& rows) {
    for (int col = 0; col < fields_; ++col) {
        QString name = rows.fieldName(col);
        kinds_[static_cast<size_t>(col)] = kindOf(name);
        result_.texts.push_back(std::move(name));
    }
}

void GridReader::readRecord(const Recordset& rows, int row) {
    const Variant first = rows.field(0);
    const bool highlighted =
        options_.highlight && !first.isNull() && first.toText() == options_.gamertag;
    for (int col = 0; col < fields_; ++col) {
        const Variant value = rows.field(col);
        if (value.isNull()) {
            result_.texts.emplace_back();
        } else {
            readCell(row, col, cellTexts_->of(col, value), highlighted);
        }
    }
}

void GridReader::readCell(int row, int col, QString text, bool highlighted) {
    const ColumnKind kind = kinds_[static_cast<size_t>(col)];
    if (kind == ColumnKind::Plain && !highlighted) {
        result_.texts.push_back(std::move(text));
        return;
    }
    CellMark cell{row, col, CellKind::Text, highlighted ? kHighlightColor : 0, -1, QString()};
    result_.texts.push_back(std::move(text));
    QString& placed = result_.texts.back();
    if (kind == ColumnKind::Level || kind == ColumnKind::Medal) {
        readPicture(cell, placed, kind == ColumnKind::Level ? kLevelRowPixels : kMedalRowPixels);
    }
    result_.marks.push_back(cell);
    if (kind == ColumnKind::Color) {
        // A text that is not a colour fails with the cell still showing it.
        CellMark& colored = result_.marks.back();
        colored.backColor = colorCellBackground(placed);
        colored.kind = CellKind::Color;
        colored.text = std::move(placed);
        placed = QString();
    }
}

void GridReader::readPicture(CellMark& cell, QString& text, int rowPixels) {
    result_.rowPixels.emplace_back(cell.row, rowPixels);
    if (text.isEmpty()) {
        return;
    }
    cell.kind = CellKind::Picture;
    cell.picture = picture(text);
    text.clear();
    result_.pictureColumns[static_cast<size_t>(cell.col)] = true;
}

int GridReader::picture(const QString& relativePath) {
    auto found = pictureIndex_.constFind(relativePath);
    if (found != pictureIndex_.constEnd()) {
        return found.value();
    }
    // The value is a path that begins with its own separator.
    result_.pictures.push_back(loadPicture(options_.programDir + relativePath));
    const int index = static_cast<int>(result_.pictures.size()) - 1;
    pictureIndex_.insert(relativePath, index);
    return index;
}

void GridReader::finish(int rowCount) {
    result_.rows = rowCount;
    result_.texts.resize(static_cast<size_t>(rowCount) * static_cast<size_t>(fields_));
}

}  // namespace

void readGridResult(Recordset& rows, const GridReadOptions& options, QueryResult& result) {
    GridReader(options, result).read(rows);
}

uint32_t colorCellBackground(const QString& text) {
    return rgb(hexByte(text.left(2)), hexByte(text.mid(2, 2)), hexByte(text.right(2)));
}

}  // namespace tw
