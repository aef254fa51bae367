#include "query/GridExportWriters.h"

#include <QIODevice>

#include "db/AppError.h"
#include "query/ExportText.h"
#include "gui/FlexGrid.h"

namespace tw {
namespace {

constexpr int kPathFileAccessError = 75;

void WriteLine(QIODevice& out, const QString& line) {
    WriteBytes(out, line.toUtf8() + "\r\n");
}

}  // namespace

void WriteBytes(QIODevice& out, const QByteArray& bytes) {
    if (out.write(bytes) != bytes.size()) {
        throw AppError(kPathFileAccessError, QStringLiteral("Tallywick"),
                       QStringLiteral("Path/File access error"));
    }
}

QList<QStringList> GridTexts(const FlexGrid& grid) {
    QList<QStringList> rows;
    for (int r = 0; r < grid.Rows(); ++r) {
        QStringList row;
        for (int c = 0; c < grid.Cols(); ++c) {
            row << grid.TextMatrix(r, c);
        }
        rows << row;
    }
    return rows;
}

void WriteCsv(const QList<QStringList>& rows, QIODevice& out) {
    for (const QStringList& row : rows) {
        QStringList fields;
        for (const QString& text : row) {
            fields << CsvField(text);
        }
        WriteLine(out, fields.join(QLatin1Char(',')));
    }
}

void WriteHtmlTable(const QList<QStringList>& rows, QIODevice& out) {
    // The cells are UTF-8; without saying so a browser reads them in its
    // own default code page and shows accented gamertags as mojibake.
    WriteLine(out, QStringLiteral("<html><head><meta charset=\"utf-8\"></head>"
                                  "<body><table border='1'>"));
    for (qsizetype r = 0; r < rows.size(); ++r) {
        QString line = QStringLiteral("<tr>");
        for (const QString& text : rows[r]) {
            line += r == 0 ? QStringLiteral("<td><b>") + EscapeMarkup(text) +
                                 QStringLiteral("</b></td>")
                           : QStringLiteral("<td>") + EscapeMarkup(text) + QStringLiteral("</td>");
        }
        WriteLine(out, line + QStringLiteral("</tr>"));
    }
    WriteLine(out, QStringLiteral("</table></body></html>"));
}

void WriteQueryXml(const QList<QStringList>& rows, QIODevice& out) {
    WriteLine(out, QStringLiteral("<QueryResults>"));
    QStringList names;
    if (!rows.isEmpty()) {
        for (const QString& header : rows[0]) {
            names << XmlElementName(header);
        }
    }
    for (qsizetype r = 1; r < rows.size(); ++r) {
        QString line = QStringLiteral("\t<Record>");
        for (qsizetype c = 0; c < rows[r].size(); ++c) {
            line += QLatin1Char('<') + names[c] + QLatin1Char('>') + EscapeMarkup(rows[r][c]) +
                    QStringLiteral("</") + names[c] + QLatin1Char('>');
        }
        WriteLine(out, line + QStringLiteral("</Record>"));
    }
    WriteLine(out, QStringLiteral("</QueryResults>"));
}

}  // namespace tw
