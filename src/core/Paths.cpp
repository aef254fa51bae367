#include "core/Paths.h"

#include <QCoreApplication>

#include "core/Session.h"

namespace tw {

QString executableFolder() {
    QString dir = QCoreApplication::applicationDirPath();
    while (dir.size() > 1 && dir.endsWith(QLatin1Char('/'))) {
        dir.chop(1);
    }
    return dir;
}

void buildPaths(Session& state, const QString& programDir) {
    QString dir = programDir;
    while (dir.endsWith(QLatin1Char('/'))) {
        dir.chop(1);
    }
    const QString tag = QString::fromLatin1(kVersionTag);
    state.programDir = dir;
    state.iniPath = dir + QStringLiteral("/tallywick") + tag + QStringLiteral(".ini");
    state.dbPath = dir + QStringLiteral("/") + databaseFileName(tag);
    state.avatarDir = dir + QStringLiteral("/avatar/");
    state.tpsDir = dir + QStringLiteral("/tps/");
}

QString databaseFileName(const QString& versionTag) {
    return QStringLiteral("tallywick") + versionTag + QStringLiteral(".mdb");
}

QString debugLogPath(const Session& state) {
    return state.programDir + QStringLiteral("/debug.log");
}

QString avatarPath(const Session& state, const QString& gamertag, const QString& suffix) {
    QString name = gamertag;
    name.replace(QLatin1Char(' '), QLatin1Char('_'));
    // A typed gamertag must not lead out of the avatar folder.
    name.replace(QLatin1Char('/'), QLatin1Char('_')).replace(QLatin1Char('\\'), QLatin1Char('_'));
    return state.avatarDir + name + suffix;
}

}  // namespace tw
