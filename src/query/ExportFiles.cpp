#include "query/ExportFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include "core/Prompter.h"
#include "core/Session.h"
#include "db/Database.h"
#include "db/FileExternalWriter.h"
#include "db/FileExternalWriterErrors.h"
#include "db/Format.h"

namespace tw {

QString exportTimeStamp(const Session& state) {
    const QDateTime now = state.clock ? state.clock() : QDateTime::currentDateTime();
    return format(Variant::fromDate(now), QStringLiteral("yyyymmddhhmmss"));
}

QString askSavePath(Session& state, const QString& filter, const QString& proposedName) {
    SaveDialogRequest request;
    request.filter = filter;
    request.proposedName = proposedName;
    request.overwritePrompt = true;
    const std::optional<QString> chosen = state.prompter->saveFile(request);
    if (!chosen || chosen->isEmpty()) {
        throw AppError(err::kSaveCancelled, QStringLiteral("CommonDialog"),
                       QStringLiteral("Cancel was selected."));
    }
    return *chosen;
}

namespace {

[[noreturn]] void raisePathFileAccessError() {
    throw AppError(75, QStringLiteral("Tallywick"), QStringLiteral("Path/File access error"));
}

}  // namespace

std::unique_ptr<SafeFile> createOutputFile(const QString& path) {
    auto file = std::make_unique<SafeFile>(path);
    if (!file->open()) {
        raisePathFileAccessError();
    }
    return file;
}

void finishOutputFile(SafeFile& file) {
    if (!file.commit()) {
        raisePathFileAccessError();
    }
}

void writeFreshWorkbook(const QString& path,
                        const std::function<void(const QString& fresh)>& fill) {
    // Hidden, in the target's folder; an empty file is a new workbook to the
    // engine. Removed when this ends, whatever happened.
    QTemporaryFile fresh(QFileInfo(path).absolutePath() + QStringLiteral("/.tallywick-XXXXXX.xls"));
    if (!fresh.open()) {
        throwCannotOpen(path);
    }
    fresh.close();
    try {
        fill(fresh.fileName());
    } catch (const AppError& error) {
        // The user knows the file they chose, not the one beside it.
        QString description = error.description();
        throw AppError(error.number(), error.source(), description.replace(fresh.fileName(), path));
    }
    QFile written(fresh.fileName());
    if (!written.open(QIODevice::ReadOnly)) {
        throwCannotOpen(path);
    }
    const QByteArray bytes = written.readAll();
    if (written.error() != QFileDevice::NoError || !writeFileSafely(path, bytes)) {
        throwCannotOpen(path);
    }
}

void ensureOutsideWriter(Database& db) {
    db.setExternalWriter(std::make_shared<FileExternalWriter>());
}

}  // namespace tw
