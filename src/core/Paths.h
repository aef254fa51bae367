#pragma once
// The program folder and the paths built from it.

#include <QString>

namespace tw {

struct Session;

inline constexpr const char* kVersionTag = "110";

// The folder of the running executable, without a trailing separator.
QString executableFolder();

// Fills iniPath, dbPath, avatarDir and tpsDir from `programDir` (a trailing
// "/" is removed first, so the root folder gives "/tallywick110.ini").
void buildPaths(Session& state, const QString& programDir);

// File name of a database of the given version tag: "tallywick110.mdb".
QString databaseFileName(const QString& versionTag = QString::fromLatin1(kVersionTag));

// Path of the diagnostic log in the program folder.
QString debugLogPath(const Session& state);

// Avatar file of a gamertag: avatarDir + the gamertag with every blank as "_"
// + `suffix` (".jpg", or "_smbw.jpg" for the small emblem). Slashes and
// backslashes become "_" as well, so the name stays inside the folder.
QString avatarPath(const Session& state, const QString& gamertag,
                   const QString& suffix = QStringLiteral(".jpg"));

}  // namespace tw
