#pragma once
// Reads a workbook back with an independent reader (python3-xlrd) and hands
// its cells over as short texts: "T:text", "N:number", "D:serial" (a number
// with a date format), "" for an empty cell.

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>

namespace tw::testing {

struct ReadSheet {
    QString name;
    std::vector<QStringList> rows;
    int rowCount = 0;
    int columnCount = 0;
};

struct ReadBook {
    bool ok = false;
    QString problem;  // reader output on stderr, or why it failed
    std::vector<ReadSheet> sheets;
};

inline QString cellText(const QJsonArray& cell) {
    switch (cell.at(0).toInt()) {
        case 1:
            return QStringLiteral("T:") + cell.at(1).toString();
        case 2:
            return QStringLiteral("N:") + QString::number(cell.at(1).toDouble(), 'g', 15);
        case 3:
            return QStringLiteral("D:") + QString::number(cell.at(1).toDouble(), 'g', 15);
        default:
            return QString();
    }
}

// `summary`: only the sizes and the last row of each sheet.
inline ReadBook readWithXlrd(const QString& path, bool summary = false) {
    static const char* kScript = R"(
import sys, json, xlrd
book = xlrd.open_workbook(sys.argv[1], logfile=sys.stderr)
out = []
for sh in book.sheets():
    rows = range(sh.nrows - 1, sh.nrows) if sys.argv[2] == 'summary' else range(sh.nrows)
    out.append({'name': sh.name, 'nrows': sh.nrows, 'ncols': sh.ncols,
                'rows': [[[c.ctype, c.value] for c in sh.row(r)] for r in rows]})
print(json.dumps(out))
)";
    const QString python = QFile::exists(QStringLiteral("/usr/bin/python3"))
                               ? QStringLiteral("/usr/bin/python3")
                               : QStringLiteral("python3");
    QProcess process;
    process.start(python, {QStringLiteral("-c"), QString::fromUtf8(kScript), path,
                           summary ? QStringLiteral("summary") : QStringLiteral("cells")});
    ReadBook book;
    if (!process.waitForFinished(120000)) {
        book.problem = QStringLiteral("xlrd did not finish");
        return book;
    }
    book.problem = QString::fromUtf8(process.readAllStandardError());
    if (process.exitCode() != 0) {
        return book;
    }
    const QJsonArray sheets = QJsonDocument::fromJson(process.readAllStandardOutput()).array();
    for (const auto& value : sheets) {
        const QJsonObject object = value.toObject();
        ReadSheet sheet{object[QStringLiteral("name")].toString(),
                        {},
                        object[QStringLiteral("nrows")].toInt(),
                        object[QStringLiteral("ncols")].toInt()};
        for (const auto& row : object[QStringLiteral("rows")].toArray()) {
            QStringList cells;
            for (const auto& cell : row.toArray()) {
                cells.append(cellText(cell.toArray()));
            }
            sheet.rows.push_back(cells);
        }
        book.sheets.push_back(sheet);
    }
    book.ok = book.problem.isEmpty();
    return book;
}

}  // namespace tw::testing
