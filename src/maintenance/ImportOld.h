#pragma once
// Database > "Import from Old Version": appends the statistics of an older
// release's database file in the program folder to the current database,
// table by table, row by row and field by field (by name). A row whose key
// is already present is skipped, so importing the same file twice adds
// nothing the second time; nothing present is deleted or changed. The old
// file is opened for reading only and never changed.

#include <QString>
#include <QStringList>
#include <vector>

namespace tw {

struct Session;

inline constexpr char kImportConfirmTitle[] = "Confirm Import";
inline constexpr char kImportQuestion[] =
    "This operation could take a few minutes, and there is no progress meter, be patient.\r\n"
    "\r\n"
    "Would you like to continue?";
inline constexpr char kOldDatabaseNotFound[] =
    "A database file for versions 1.0.7 thru 1.0.9 was not found.\r\n"
    "Make sure it exists in the program directory.";
inline constexpr char kImportDone[] = "Import is complete.";
inline constexpr char kImportStage[] = "ImportOld";

// An older release: its version tag and the tables copied from its file,
// in the order they are copied.
struct OldVersion {
    QString versionTag;
    QStringList tables;
};

// The releases searched for, newest first; the first whose file exists is
// imported.
const std::vector<OldVersion>& oldVersions();

// The path of the first old database file found in the program folder, and
// which release it is; an empty path when there is none.
QString findOldDatabase(const Session& state, const OldVersion** version);

// Asks, finds the old file and copies it. True when rows were copied to the
// end: the caller refreshes what shows the database, then tellImportDone.
// A failure is recorded (stage "ImportOld", the table being copied as its
// statement) and told.
bool importOldDatabase(Session& state);
void tellImportDone(Session& state);

}  // namespace tw
