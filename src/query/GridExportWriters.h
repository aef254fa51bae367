#pragma once
// The three text forms of a query result export, written from the cell texts
// of the grid as it shows them (row 0 is the header row). Every line ends in
// CR LF; text is UTF-8 (the HTML page says so in a meta charset).

#include <QList>
#include <QStringList>

class QIODevice;

namespace tw {

class FlexGrid;

// The grid's texts, row by row (Level, Medal and Color cells are empty).
QList<QStringList> GridTexts(const FlexGrid& grid);

// Each raises error 75 when the device refuses the bytes.
void WriteCsv(const QList<QStringList>& rows, QIODevice& out);
void WriteHtmlTable(const QList<QStringList>& rows, QIODevice& out);
void WriteQueryXml(const QList<QStringList>& rows, QIODevice& out);

// Writes `bytes` completely or raises error 75.
void WriteBytes(QIODevice& out, const QByteArray& bytes);

}  // namespace tw
