#include "ExportReaders.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

namespace tw::testing {
namespace {

constexpr char kXlrdScript[] = R"(
import json, sys, xlrd
book = xlrd.open_workbook(sys.argv[1])
out = {}
for sheet in book.sheets():
    rows = []
    for r in range(sheet.nrows):
        cells = []
        for c in range(sheet.ncols):
            cell = sheet.cell(r, c)
            if cell.ctype == xlrd.XL_CELL_NUMBER:
                v = cell.value
                cells.append(str(int(v)) if v == int(v) else repr(v))
            else:
                cells.append(str(cell.value))
        rows.append(cells)
    out[sheet.name] = rows
print(json.dumps({"order": book.sheet_names(), "sheets": out}))
)";

}  // namespace

std::optional<QList<QStringList>> parseCsvStrictly(const QByteArray& bytes, QString* error) {
    const QString text = QString::fromUtf8(bytes);
    QList<QStringList> records;
    QStringList record;
    QString field;
    qsizetype i = 0;
    const auto fail = [&](const QString& why) {
        *error = why + QStringLiteral(" at ") + QString::number(i);
        return std::nullopt;
    };
    bool quoted = false;
    bool fieldStarted = false;
    while (i < text.size()) {
        const QChar c = text[i];
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                    field += c;
                    i += 2;
                    continue;
                }
                quoted = false;
                ++i;
                if (i < text.size() && text[i] != QLatin1Char(',') &&
                    text[i] != QLatin1Char('\r')) {
                    return fail(QStringLiteral("text after a closing quote"));
                }
                continue;
            }
            field += c;
            ++i;
            continue;
        }
        if (c == QLatin1Char('"')) {
            if (fieldStarted) {
                return fail(QStringLiteral("quote inside an unquoted field"));
            }
            quoted = true;
            fieldStarted = true;
            ++i;
        } else if (c == QLatin1Char(',')) {
            record << field;
            field.clear();
            fieldStarted = false;
            ++i;
        } else if (c == QLatin1Char('\r')) {
            if (i + 1 >= text.size() || text[i + 1] != QLatin1Char('\n')) {
                return fail(QStringLiteral("CR without LF"));
            }
            record << field;
            records << record;
            record.clear();
            field.clear();
            fieldStarted = false;
            i += 2;
        } else if (c == QLatin1Char('\n')) {
            return fail(QStringLiteral("LF without CR"));
        } else {
            field += c;
            fieldStarted = true;
            ++i;
        }
    }
    if (quoted) {
        return fail(QStringLiteral("unterminated quoted field"));
    }
    if (fieldStarted || !record.isEmpty()) {
        return fail(QStringLiteral("last line without CR LF"));
    }
    return records;
}

Workbook readWorkbook(const QString& path) {
    QProcess python;
    // The system interpreter, which has the Debian package's xlrd.
    python.start(QFile::exists(QStringLiteral("/usr/bin/python3"))
                     ? QStringLiteral("/usr/bin/python3")
                     : QStringLiteral("python3"),
                 {QStringLiteral("-c"), QString::fromLatin1(kXlrdScript), path});
    Workbook book;
    if (!python.waitForFinished(60000) || python.exitCode() != 0) {
        book.error = QStringLiteral("xlrd: ") + QString::fromUtf8(python.readAllStandardError());
        return book;
    }
    const QJsonObject doc = QJsonDocument::fromJson(python.readAllStandardOutput()).object();
    const QJsonObject all = doc.value(QStringLiteral("sheets")).toObject();
    for (const auto& name : doc.value(QStringLiteral("order")).toArray()) {
        book.order << name.toString();
    }
    for (const QString& name : book.order) {
        QList<QStringList> rows;
        for (const auto& row : all.value(name).toArray()) {
            QStringList cells;
            for (const auto& cell : row.toArray()) {
                cells << cell.toString();
            }
            rows << cells;
        }
        book.sheets.insert(name, rows);
    }
    return book;
}

QString xmlLintErrors(const QString& path) {
    QProcess lint;
    lint.start(QStringLiteral("xmllint"), {QStringLiteral("--noout"), path});
    if (!lint.waitForFinished(60000)) {
        return QStringLiteral("xmllint did not run");
    }
    const QString errors = QString::fromUtf8(lint.readAllStandardError());
    return lint.exitCode() == 0
               ? QString()
               : errors + QStringLiteral(" (exit ") + QString::number(lint.exitCode()) + ')';
}

QString htmlLintErrors(const QString& path) {
    QProcess lint;
    lint.start(QStringLiteral("xmllint"),
               {QStringLiteral("--html"), QStringLiteral("--noout"), path});
    if (!lint.waitForFinished(60000)) {
        return QStringLiteral("xmllint did not run");
    }
    const QString errors = QString::fromUtf8(lint.readAllStandardError());
    return lint.exitCode() == 0 ? errors
                                : errors + QStringLiteral(" (exit ") +
                                      QString::number(lint.exitCode()) + QLatin1Char(')');
}

QString xPathText(const QString& path, const QString& xpath, bool html) {
    QStringList arguments;
    if (html) {
        arguments << QStringLiteral("--html");
    }
    arguments << QStringLiteral("--xpath") << QStringLiteral("string(") + xpath + QLatin1Char(')')
              << path;
    QProcess lint;
    lint.start(QStringLiteral("xmllint"), arguments);
    if (!lint.waitForFinished(60000) || lint.exitCode() != 0) {
        return QStringLiteral("<xmllint: ") + QString::fromUtf8(lint.readAllStandardError()) +
               QLatin1Char('>');
    }
    QString text = QString::fromUtf8(lint.readAllStandardOutput());
    if (text.endsWith(QLatin1Char('\n'))) {
        text.chop(1);
    }
    return text;
}

QByteArray fileContents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

}  // namespace tw::testing
