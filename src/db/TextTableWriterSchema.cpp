#include "db/TextTableWriterSchema.h"

#include <QFile>

#include "db/FileExternalWriterErrors.h"
#include "db/SafeFile.h"

namespace tw {

namespace {

// A column name with blanks is written in double quotes, as Jet reads it.
QString columnName(const QString& name) {
    return name.contains(u' ') ? u'"' + name + u'"' : name;
}

bool isSectionHeader(const QByteArray& line) {
    return line.trimmed().startsWith('[');
}

QString sectionName(const QByteArray& line) {
    const QByteArray t = line.trimmed();
    const qsizetype end = t.indexOf(']');
    return QString::fromUtf8(t.mid(1, (end < 0 ? t.size() : end) - 1)).trimmed();
}

}  // namespace

QByteArray schemaSection(const QString& fileName, const std::vector<TextColumn>& columns) {
    QString text = u'[' + fileName + QStringLiteral("]\r\n");
    text += QStringLiteral("ColNameHeader=True\r\n");
    text += QStringLiteral("Format=CSVDelimited\r\n");
    text += QStringLiteral("CharacterSet=65001\r\n");
    for (size_t i = 0; i < columns.size(); ++i) {
        text += QStringLiteral("Col%1=%2 %3\r\n")
                    .arg(i + 1)
                    .arg(columnName(columns[i].name), columns[i].type);
    }
    return text.toUtf8();
}

QByteArray mergeSchema(const QByteArray& existing, const QString& fileName,
                       const QByteArray& section) {
    QByteArray out;
    bool skipping = false;
    qsizetype at = 0;
    while (at < existing.size()) {
        qsizetype end = existing.indexOf('\n', at);
        end = end < 0 ? existing.size() : end + 1;
        QByteArray line = existing.mid(at, end - at);
        at = end;
        if (isSectionHeader(line)) {
            skipping = sectionName(line).compare(fileName, Qt::CaseInsensitive) == 0;
        }
        if (skipping) {
            continue;
        }
        if (!line.endsWith('\n')) {
            line += "\r\n";  // the last line had no line end
        }
        out += line;
    }
    return out + section;
}

void recordInSchema(const QString& schemaPath, const QString& fileName,
                    const std::vector<TextColumn>& columns) {
    QByteArray existing;
    QFile current(schemaPath);
    if (current.exists()) {
        if (!current.open(QIODevice::ReadOnly)) {
            throwCannotOpen(schemaPath);
        }
        existing = current.readAll();
        // Sections cut off by a failed read would be lost in the rewrite.
        if (current.error() != QFileDevice::NoError) {
            throwCannotOpen(schemaPath);
        }
        current.close();
    }
    const QByteArray merged = mergeSchema(existing, fileName, schemaSection(fileName, columns));
    if (!writeFileSafely(schemaPath, merged)) {
        throwCannotOpen(schemaPath);
    }
}

}  // namespace tw
