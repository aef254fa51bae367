#include "report/ReportFiles.h"

#include <QFile>
#include <QFileInfo>

#include "core/LoadPicture.h"
#include "core/Session.h"
#include "db/SafeFile.h"

namespace tw {

namespace {

constexpr int kPathFileAccessError = 75;

[[noreturn]] void RaiseFileError(int number, const QString& description) {
    throw AppError(number, QStringLiteral("Tallywick"), description);
}

}  // namespace

QString ReportFileStem(const QString& gamertag) {
    QString stem = gamertag;
    stem.replace(QLatin1Char(' '), QLatin1Char('_'));
    stem.replace(QLatin1Char('/'), QLatin1Char('_'));
    stem.replace(QLatin1Char('\\'), QLatin1Char('_'));
    return stem;
}

QString ReportOutputPath(const Session& state, const QString& gamertag) {
    QString stem = ReportFileStem(gamertag);
    // Compared without case: on a case-blind file system "Template" would
    // still overwrite the template.
    if ((stem + QStringLiteral(".html"))
            .compare(QString::fromLatin1(kTemplateFileName), Qt::CaseInsensitive) == 0) {
        stem += QLatin1Char('_');
    }
    return state.TpsDir + stem + QStringLiteral(".html");
}

QByteArray ReadTemplate(const Session& state) {
    QFile file(state.TpsDir + QString::fromLatin1(kTemplateFileName));
    if (!QFileInfo(file).isFile()) {
        RaiseFileError(err::kFileNotFound, QStringLiteral("File not found"));
    }
    if (!file.open(QIODevice::ReadOnly)) {
        RaiseFileError(kPathFileAccessError, QStringLiteral("Path/File access error"));
    }
    return file.readAll();
}

void WriteReportTo(QIODevice& device, const QByteArray& reportText) {
    if (device.write(reportText) != reportText.size() || device.write("\r\n", 2) != 2) {
        RaiseFileError(kPathFileAccessError, QStringLiteral("Path/File access error"));
    }
}

void WriteReportFile(const QString& path, const QByteArray& reportText) {
    SafeFile file(path);
    if (!file.open()) {
        RaiseFileError(kPathFileAccessError, QStringLiteral("Path/File access error"));
    }
    WriteReportTo(file, reportText);  // a failed write raises; the SafeFile then drops it
    if (!file.commit()) {
        RaiseFileError(kPathFileAccessError, QStringLiteral("Path/File access error"));
    }
}

}  // namespace tw
