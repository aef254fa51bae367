#include "query/ResultWriters.h"

#include <QIODevice>

#include "db/AppError.h"
#include "query/ExportText.h"

namespace tw {
namespace {

constexpr int kPathFileAccessError = 75;

void writeLine(QIODevice& out, const QString& line) {
    writeBytes(out, line.toUtf8() + "\r\n");
}

}  // namespace

void writeBytes(QIODevice& out, const QByteArray& bytes) {
    if (out.write(bytes) != bytes.size()) {
        throw AppError(kPathFileAccessError, QStringLiteral("Tallywick"),
                       QStringLiteral("Path/File access error"));
    }
}

void writeCsv(const QList<QStringList>& rows, QIODevice& out) {
    for (const QStringList& row : rows) {
        QStringList fields;
        for (const QString& text : row) {
            fields << csvField(text);
        }
        writeLine(out, fields.join(QLatin1Char(',')));
    }
}

void writeHtmlTable(const QList<QStringList>& rows, QIODevice& out) {
    // The cells are UTF-8; without saying so a browser reads them in its
    // own default code page and shows accented gamertags as mojibake.
    writeLine(out, QStringLiteral("<html><head><meta charset=\"utf-8\"></head>"
                                  "<body><table border='1'>"));
    for (qsizetype r = 0; r < rows.size(); ++r) {
        QString line = QStringLiteral("<tr>");
        for (const QString& text : rows[r]) {
            line += r == 0 ? QStringLiteral("<td><b>") + escapeMarkup(text) +
                                 QStringLiteral("</b></td>")
                           : QStringLiteral("<td>") + escapeMarkup(text) + QStringLiteral("</td>");
        }
        writeLine(out, line + QStringLiteral("</tr>"));
    }
    writeLine(out, QStringLiteral("</table></body></html>"));
}

void writeQueryXml(const QList<QStringList>& rows, QIODevice& out) {
    writeLine(out, QStringLiteral("<QueryResults>"));
    QStringList names;
    if (!rows.isEmpty()) {
        for (const QString& header : rows[0]) {
            names << xmlElementName(header);
        }
    }
    for (qsizetype r = 1; r < rows.size(); ++r) {
        QString line = QStringLiteral("\t<Record>");
        for (qsizetype c = 0; c < rows[r].size(); ++c) {
            line += QLatin1Char('<') + names[c] + QLatin1Char('>') + escapeMarkup(rows[r][c]) +
                    QStringLiteral("</") + names[c] + QLatin1Char('>');
        }
        writeLine(out, line + QStringLiteral("</Record>"));
    }
    writeLine(out, QStringLiteral("</QueryResults>"));
}

}  // namespace tw
