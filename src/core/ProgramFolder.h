#pragma once
// Which folder is the program folder. A folder beside the executable that can
// be written is a portable program folder. An installed program cannot write
// beside itself: then the user's own data folder is the program folder, made
// on first start from the installed delivered files and left alone from then
// on. A folder named on the command line (--dir) wins over both.

#include <QString>

namespace tw {

struct ProgramFolder {
    QString dir;    // the folder in use, without a trailing separator
    QString error;  // why no folder could be made (then dir is empty)
};

// Whether a new file can be made in `dir`. It is tried, since the permission
// bits do not tell (root on a read-only file system, a full quota).
bool canWriteIn(const QString& dir);

// $XDG_DATA_HOME/tallywick; ~/.local/share/tallywick when XDG_DATA_HOME is
// unset, empty or not absolute.
QString userDataFolder();

// Where a package puts the delivered files: ../share/tallywick from the
// folder of the executable.
QString installedFilesFolder(const QString& executableDir);

// The rule above for explicit folder `explicitDir` (empty: none given), the
// executable's folder and the user's data folder. The user's folder is made
// from installedFilesFolder(), or from the executable's own folder when it
// holds the delivered files, only when it does not exist yet.
ProgramFolder chooseProgramFolder(const QString& explicitDir, const QString& executableDir,
                                  const QString& userDir);
// The same for the running executable and this user.
ProgramFolder chooseProgramFolder(const QString& explicitDir = QString());

// The message for a data folder `userDir` that could not be made: `reason`.
QString dataFolderError(const QString& userDir, const QString& reason);

}  // namespace tw
