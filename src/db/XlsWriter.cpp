#include "db/XlsWriter.h"

#include <QFile>
#include <QFileInfo>

#include "db/Biff8Workbook.h"
#include "db/CompoundFile.h"
#include "db/FileExternalWriterErrors.h"
#include "db/SafeFile.h"

namespace tw {

namespace {

biff8::Workbook loadWorkbook(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() || (info.isFile() && info.size() == 0)) {
        return biff8::Workbook();  // a new workbook, or an empty file nothing is lost from
    }
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
        throwCannotOpen(path);
    }
    return biff8::Workbook::parse(readWorkbookStream(file.readAll()));
}

// Written beside the file and renamed over it, so a failure never leaves a
// half-written workbook in place of the old one.
void saveWorkbook(const QString& path, const QByteArray& bytes) {
    if (!writeFileSafely(path, bytes)) {
        throwCannotOpen(path);
    }
}

}  // namespace

bool XlsWriter::isValidSheetName(const QString& name) {
    static const QString kForbidden = QStringLiteral(":\\/?*[]");
    if (name.isEmpty() || name.size() > 31 || name.startsWith(u'\'') || name.endsWith(u'\'')) {
        return false;
    }
    for (QChar c : name) {
        if (kForbidden.contains(c) || c.unicode() < 0x20) {
            return false;
        }
    }
    return true;
}

int64_t XlsWriter::writeTable(const QString& path, const QString& sheetName, Recordset& rows) {
    if (!isValidSheetName(sheetName)) {
        throwInvalidName(sheetName);
    }
    biff8::Workbook book = loadWorkbook(path);
    if (book.hasSheet(sheetName)) {
        throwTableExists(sheetName);
    }
    const int64_t written = book.addSheet(sheetName, rows);
    saveWorkbook(path, writeCompoundFile(book.stream()));
    return written;
}

}  // namespace tw
