#include "report/ReportFiles.h"

#include <QFile>
#include <QFileInfo>

#include "core/LoadPicture.h"
#include "core/Session.h"
#include "db/SafeFile.h"

namespace tw {

namespace {

constexpr int kPathFileAccessError = 75;

[[noreturn]] void raiseFileError(int number, const QString& description) {
    throw AppError(number, QStringLiteral("Tallywick"), description);
}

}  // namespace

QString reportFileStem(const QString& gamertag) {
    QString stem = gamertag;
    stem.replace(QLatin1Char(' '), QLatin1Char('_'));
    stem.replace(QLatin1Char('/'), QLatin1Char('_'));
    stem.replace(QLatin1Char('\\'), QLatin1Char('_'));
    return stem;
}

QString reportOutputPath(const Session& state, const QString& gamertag) {
    QString stem = reportFileStem(gamertag);
    // Compared without case: on a case-blind file system "Template" would
    // still overwrite the template.
    if ((stem + QStringLiteral(".html"))
            .compare(QString::fromLatin1(kTemplateFileName), Qt::CaseInsensitive) == 0) {
        stem += QLatin1Char('_');
    }
    return state.tpsDir + stem + QStringLiteral(".html");
}

QByteArray readTemplate(const Session& state) {
    QFile file(state.tpsDir + QString::fromLatin1(kTemplateFileName));
    if (!QFileInfo(file).isFile()) {
        raiseFileError(err::kFileNotFound, QStringLiteral("File not found"));
    }
    if (!file.open(QIODevice::ReadOnly)) {
        raiseFileError(kPathFileAccessError, QStringLiteral("Path/File access error"));
    }
    return file.readAll();
}

void writeReportTo(QIODevice& device, const QByteArray& reportText) {
    if (device.write(reportText) != reportText.size() || device.write("\r\n", 2) != 2) {
        raiseFileError(kPathFileAccessError, QStringLiteral("Path/File access error"));
    }
}

void writeReportFile(const QString& path, const QByteArray& reportText) {
    SafeFile file(path);
    if (!file.open()) {
        raiseFileError(kPathFileAccessError, QStringLiteral("Path/File access error"));
    }
    writeReportTo(file, reportText);  // a failed write raises; the SafeFile then drops it
    if (!file.commit()) {
        raiseFileError(kPathFileAccessError, QStringLiteral("Path/File access error"));
    }
}

}  // namespace tw
