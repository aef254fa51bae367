#pragma once
// The three text forms of a query result export, written from the cell texts
// of a result as the grid shows them (row 0 is the header row; picture and
// colour cells are empty). Every line ends in
// CR LF; text is UTF-8 (the HTML page says so in a meta charset).

#include <QList>
#include <QStringList>

class QIODevice;

namespace tw {

// Each raises error 75 when the device refuses the bytes.
void writeCsv(const QList<QStringList>& rows, QIODevice& out);
void writeHtmlTable(const QList<QStringList>& rows, QIODevice& out);
void writeQueryXml(const QList<QStringList>& rows, QIODevice& out);

// Writes `bytes` completely or raises error 75.
void writeBytes(QIODevice& out, const QByteArray& bytes);

}  // namespace tw
