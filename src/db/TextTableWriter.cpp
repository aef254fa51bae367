#include "db/TextTableWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "db/FileExternalWriterErrors.h"
#include "db/Format.h"
#include "db/SafeFile.h"
#include "db/TextTableWriterSchema.h"

namespace tw {

namespace {

constexpr int kCharWidth = 255;

// What a column has held so far; the schema type follows from it.
enum class Kind { Empty, Long, Double, Date, Text, LongText };

Kind merge(Kind seen, Kind value) {
    if (value == Kind::Empty) {
        return seen;  // Null fits every type
    }
    if (seen == Kind::Empty || seen == value) {
        return value;
    }
    if ((seen == Kind::Long && value == Kind::Double) ||
        (seen == Kind::Double && value == Kind::Long)) {
        return Kind::Double;
    }
    if (seen == Kind::LongText || value == Kind::LongText) {
        return Kind::LongText;
    }
    return Kind::Text;
}

Kind kindOf(const Variant& value) {
    switch (value.type()) {
        case Variant::Type::Null:
            return Kind::Empty;
        case Variant::Type::Integer: {
            const double whole = value.toDouble();
            return whole >= INT32_MIN && whole <= INT32_MAX ? Kind::Long : Kind::Double;
        }
        case Variant::Type::Double:
            return Kind::Double;
        case Variant::Type::Date:
            return Kind::Date;
        case Variant::Type::Text:
            return value.toText().size() > kCharWidth ? Kind::LongText : Kind::Text;
    }
    return Kind::Text;
}

QString typeText(Kind kind) {
    switch (kind) {
        case Kind::Long:
            return QStringLiteral("Long");
        case Kind::Double:
            return QStringLiteral("Double");
        case Kind::Date:
            return QStringLiteral("DateTime");
        case Kind::LongText:
            return QStringLiteral("LongChar");
        default:
            return QStringLiteral("Char Width %1").arg(kCharWidth);
    }
}

QString quoted(const QString& text) {
    QString doubled = text;
    doubled.replace(u'"', QStringLiteral("\"\""));
    return u'"' + doubled + u'"';
}

QString fieldText(const Variant& value) {
    switch (value.type()) {
        case Variant::Type::Null:
            return QString();
        case Variant::Type::Text:
            return quoted(value.toText());
        default:
            return value.toText();  // general number and general date forms
    }
}

void writeLine(QIODevice& out, const QStringList& fields) {
    const QByteArray line = fields.join(u',').toUtf8() + "\r\n";
    if (out.write(line) != line.size()) {
        throwExternal(err::kCannotOpenFile, QStringLiteral("Cannot write the text file."));
    }
}

bool isValidFileName(const QString& name) {
    return !name.trimmed().isEmpty() && !name.contains(u'/') && !name.contains(u'\\') &&
           name != QStringLiteral(".") && name != QStringLiteral("..") &&
           name.compare(QString::fromLatin1(kSchemaFileName), Qt::CaseInsensitive) != 0;
}

}  // namespace

std::vector<TextColumn> TextTableWriter::writeRows(Recordset& rows, QIODevice& out,
                                                   int64_t* rowCount) {
    const int columns = rows.fieldCount();
    std::vector<Kind> kinds(size_t(columns), Kind::Empty);
    QStringList fields;
    for (int c = 0; c < columns; ++c) {
        fields.append(quoted(rows.fieldName(c)));
    }
    if (columns > 0) {
        writeLine(out, fields);
    }
    int64_t count = 0;
    for (; !rows.isEof(); rows.moveNext(), ++count) {
        fields.clear();
        for (int c = 0; c < columns; ++c) {
            const Variant value = rows.field(c);
            kinds[size_t(c)] = merge(kinds[size_t(c)], kindOf(value));
            fields.append(fieldText(value));
        }
        writeLine(out, fields);
    }
    *rowCount = count;
    std::vector<TextColumn> described;
    described.reserve(static_cast<size_t>(columns));
    for (int c = 0; c < columns; ++c) {
        described.push_back({rows.fieldName(c), typeText(kinds[size_t(c)])});
    }
    return described;
}

int64_t TextTableWriter::writeTable(const QString& folder, const QString& fileName,
                                    Recordset& rows) {
    if (!isValidFileName(fileName)) {
        throwInvalidName(fileName);
    }
    const QDir dir(folder);
    if (folder.isEmpty() || !dir.exists()) {
        throwExternal(err::kNotValidPath,
                      QStringLiteral("'%1' is not a valid path.  Make sure that the path name is "
                                     "spelled correctly and that you are connected to the server "
                                     "on which the file resides.")
                          .arg(folder));
    }
    const QString path = dir.filePath(fileName);
    if (QFileInfo::exists(path)) {
        throwTableExists(fileName);
    }
    SafeFile file(path);
    if (!file.open()) {
        throwCannotOpen(path);
    }
    int64_t count = 0;
    const std::vector<TextColumn> columns = writeRows(rows, file, &count);
    if (!file.commit()) {
        throwCannotOpen(path);
    }
    recordInSchema(dir.filePath(QString::fromLatin1(kSchemaFileName)), fileName, columns);
    return count;
}

}  // namespace tw
