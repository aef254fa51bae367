#pragma once
// Independent readers of exported files: a strict RFC 4180 parser, python3's
// xlrd for workbooks, and xmllint for XML well-formedness and for what an
// XML or HTML reader takes from a file.

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <optional>

namespace tw::testing {

// Records of a CSV text with CR LF line ends; nullopt (and `error`) when the
// text breaks RFC 4180 (a bare quote in an unquoted field, text after a
// closing quote, an unterminated quoted field, a lone CR or LF).
std::optional<QList<QStringList>> parseCsvStrictly(const QByteArray& bytes, QString* error);

// A workbook as python3-xlrd reads it: sheet names in order, and per sheet
// the rows of cell texts (whole numbers without a decimal point).
struct Workbook {
    QString error;  // empty when the reader succeeded
    QStringList order;
    QMap<QString, QList<QStringList>> sheets;
};
Workbook readWorkbook(const QString& path);

// xmllint --noout; returns its complaints, empty when the file is well formed.
QString xmlLintErrors(const QString& path);

// xmllint --html --noout: the HTML parser's complaints (it exits 0 even
// after some), empty when it had none.
QString htmlLintErrors(const QString& path);

// The text xmllint reads at an XPath expression (string(...)), decoded as
// UTF-8; `html` parses the file as HTML, honouring its declared charset.
QString xPathText(const QString& path, const QString& xpath, bool html);

// A file's bytes, or "<missing>" when it cannot be read.
QByteArray fileContents(const QString& path);

}  // namespace tw::testing
