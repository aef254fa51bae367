#include "db/XlsWriter.h"

#include <QFile>
#include <QFileInfo>

#include "db/Biff8Workbook.h"
#include "db/CompoundFile.h"
#include "db/FileExternalWriterErrors.h"
#include "db/SafeFile.h"

namespace tw {

namespace {

biff8::Workbook LoadWorkbook(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() || (info.isFile() && info.size() == 0)) {
        return biff8::Workbook();  // a new workbook, or an empty file nothing is lost from
    }
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
        ThrowCannotOpen(path);
    }
    return biff8::Workbook::Parse(ReadWorkbookStream(file.readAll()));
}

// Written beside the file and renamed over it, so a failure never leaves a
// half-written workbook in place of the old one.
void SaveWorkbook(const QString& path, const QByteArray& bytes) {
    if (!writeFileSafely(path, bytes)) {
        ThrowCannotOpen(path);
    }
}

}  // namespace

bool XlsWriter::IsValidSheetName(const QString& name) {
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

int64_t XlsWriter::WriteTable(const QString& path, const QString& sheetName, Recordset& rows) {
    if (!IsValidSheetName(sheetName)) {
        ThrowInvalidName(sheetName);
    }
    biff8::Workbook book = LoadWorkbook(path);
    if (book.HasSheet(sheetName)) {
        ThrowTableExists(sheetName);
    }
    const int64_t written = book.AddSheet(sheetName, rows);
    SaveWorkbook(path, WriteCompoundFile(book.Stream()));
    return written;
}

}  // namespace tw
