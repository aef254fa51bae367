#include "core/ProgramFolder.h"

#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include "core/Paths.h"

namespace tw {
namespace {

QString withoutTrailingSlash(QString dir) {
    while (dir.size() > 1 && dir.endsWith(QLatin1Char('/'))) {
        dir.chop(1);
    }
    return dir;
}

QString settingsFileName() {
    return QStringLiteral("tallywick") + QLatin1String(kVersionTag) + QStringLiteral(".ini");
}

bool holdsDeliveredFiles(const QString& dir) {
    return QFileInfo(dir + QLatin1Char('/') + settingsFileName()).isFile();
}

// Copies the tree `from` into the folder `to`; the copies belong to the user,
// who must be able to change them (installed files may be read-only).
QString copyTree(const QString& from, const QString& to) {
    QDirIterator it(from, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + QLatin1Char('/') + QDir(from).relativeFilePath(source);
        const QFileInfo info = it.fileInfo();
        if (info.isDir()) {
            if (!QDir().mkpath(target)) {
                return QStringLiteral("cannot create ") + target;
            }
        } else if (info.fileName() != QLatin1String("tallywick") && !info.isExecutable()) {
            if (!QFile::copy(source, target) ||
                !QFile::setPermissions(
                    target, QFile::permissions(target) | QFile::WriteOwner | QFile::ReadOwner)) {
                return QStringLiteral("cannot copy ") + source;
            }
        }
    }
    return QString();
}

// Makes `userDir` from `source` under a temporary name and renames it at the
// end, so that an interrupted first start leaves no half-made folder behind.
QString seedDataFolder(const QString& source, const QString& userDir) {
    const QString staging = userDir + QStringLiteral(".new-") + QString::number(::getpid());
    QDir(staging).removeRecursively();
    if (!QDir().mkpath(staging)) {
        return QStringLiteral("cannot create ") + userDir;
    }
    QString failure = copyTree(source, staging);
    if (!failure.isEmpty()) {
        QDir(staging).removeRecursively();
        return failure;
    }
    if (::rename(QFile::encodeName(staging).constData(), QFile::encodeName(userDir).constData()) !=
        0) {
        QDir(staging).removeRecursively();
        // A second start at the same moment may have made it first.
        return QFileInfo(userDir).isDir() ? QString() : QStringLiteral("cannot create ") + userDir;
    }
    return QString();
}

}  // namespace

bool canWriteIn(const QString& dir) {
    const QByteArray probe = QFile::encodeName(dir + QStringLiteral("/.tallywick-write-test-") +
                                               QString::number(::getpid()));
    const int fd = ::open(probe.constData(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (fd < 0) {
        return false;
    }
    ::close(fd);
    ::unlink(probe.constData());
    return true;
}

QString userDataFolder() {
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base)) {
        base = QDir::homePath() + QStringLiteral("/.local/share");
    }
    return withoutTrailingSlash(base) + QStringLiteral("/tallywick");
}

QString installedFilesFolder(const QString& executableDir) {
    return QDir::cleanPath(executableDir + QStringLiteral("/../share/tallywick"));
}

QString dataFolderError(const QString& userDir, const QString& reason) {
    return QStringLiteral("The data folder ") + userDir + QStringLiteral(" could not be made: ") +
           reason + QLatin1Char('.');
}

ProgramFolder chooseProgramFolder(const QString& explicitDir, const QString& executableDir,
                                  const QString& userDir) {
    if (!explicitDir.isEmpty()) {
        return {withoutTrailingSlash(explicitDir), QString()};
    }
    if (canWriteIn(executableDir)) {
        return {withoutTrailingSlash(executableDir), QString()};
    }
    const QFileInfo existing(userDir);
    if (existing.isDir()) {
        return {withoutTrailingSlash(userDir), QString()};
    }
    if (existing.exists() || existing.isSymLink()) {
        return {QString(), dataFolderError(userDir, QStringLiteral("it is not a folder"))};
    }
    QString source = installedFilesFolder(executableDir);
    if (!holdsDeliveredFiles(source)) {
        source = executableDir;
    }
    if (!holdsDeliveredFiles(source)) {
        return {QString(), dataFolderError(userDir, QStringLiteral("no installed files in ") +
                                                        installedFilesFolder(executableDir))};
    }
    const QString failure = seedDataFolder(source, userDir);
    if (!failure.isEmpty()) {
        return {QString(), dataFolderError(userDir, failure)};
    }
    return {withoutTrailingSlash(userDir), QString()};
}

ProgramFolder chooseProgramFolder(const QString& explicitDir) {
    return chooseProgramFolder(explicitDir, executableFolder(), userDataFolder());
}

}  // namespace tw
