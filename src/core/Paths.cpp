#include "core/Paths.h"

#include <QCoreApplication>

#include "core/Session.h"

namespace tw {

QString ExecutableFolder() {
    QString dir = QCoreApplication::applicationDirPath();
    while (dir.size() > 1 && dir.endsWith(QLatin1Char('/'))) {
        dir.chop(1);
    }
    return dir;
}

void BuildPaths(Session& state, const QString& programDir) {
    QString dir = programDir;
    while (dir.endsWith(QLatin1Char('/'))) {
        dir.chop(1);
    }
    const QString tag = QString::fromLatin1(kVersionTag);
    state.ProgramDir = dir;
    state.IniPath = dir + QStringLiteral("/tallywick") + tag + QStringLiteral(".ini");
    state.DbPath = dir + QStringLiteral("/") + DatabaseFileName(tag);
    state.AvatarDir = dir + QStringLiteral("/avatar/");
    state.TpsDir = dir + QStringLiteral("/tps/");
}

QString DatabaseFileName(const QString& versionTag) {
    return QStringLiteral("tallywick") + versionTag + QStringLiteral(".mdb");
}

QString DebugLogPath(const Session& state) {
    return state.ProgramDir + QStringLiteral("/debug.log");
}

QString AvatarPath(const Session& state, const QString& gamertag, const QString& suffix) {
    QString name = gamertag;
    name.replace(QLatin1Char(' '), QLatin1Char('_'));
    // A typed gamertag must not lead out of the avatar folder.
    name.replace(QLatin1Char('/'), QLatin1Char('_')).replace(QLatin1Char('\\'), QLatin1Char('_'));
    return state.AvatarDir + name + suffix;
}

}  // namespace tw
