#include "core/LeftoverFiles.h"

#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include "core/Session.h"

namespace tw {
namespace {

constexpr qint64 kQuietSeconds = 60;

int removeIn(const QString& folder, const QRegularExpression& name, const QDateTime& now) {
    int removed = 0;
    const QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
    for (const QFileInfo& entry : entries) {
        if (!name.match(entry.fileName()).hasMatch() || entry.isSymLink() ||
            entry.ownerId() != ::geteuid() || entry.lastModified().secsTo(now) < kQuietSeconds) {
            continue;
        }
        if (QFile::remove(entry.filePath())) {
            ++removed;
        }
    }
    return removed;
}

QRegularExpression temporaryOf(const QString& fileNamePattern) {
    return QRegularExpression(QStringLiteral("\\A") + fileNamePattern +
                              QStringLiteral("\\.[A-Za-z0-9]{6}\\z"));
}

}  // namespace

int removeLeftoverTemporaries(const Session& state, const QDateTime& now) {
    const QFileInfo settings(state.iniPath);
    return removeIn(settings.absolutePath(),
                    temporaryOf(QRegularExpression::escape(settings.fileName())), now) +
           removeIn(state.tpsDir, temporaryOf(QStringLiteral("[^/]+\\.html")), now) +
           removeIn(state.avatarDir, temporaryOf(QStringLiteral("[^/]+\\.jpg")), now);
}

}  // namespace tw
