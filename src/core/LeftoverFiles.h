#pragma once
// Temporaries left behind by a killed write. A file is written to a temporary
// beside it and renamed over it (db/SafeFile.h). On Linux the temporary has no
// name while it is written, but it is given one ("tallywick110.ini.AbCdEf")
// for the instant before the rename, and on file systems without unnamed
// files for the whole write: a kill then leaves it behind.

#include <QDateTime>

namespace tw {

struct Session;

// Removes such leftovers of the program's own files: the settings file's in
// the program folder, reports' ("Name.html.AbCdEf") in the report folder and
// pictures' ("Name.jpg.AbCdEf") in the avatar folder. Only regular files of
// ours (not links, owned by this user) whose name is the file's plus "." and
// six letters or digits, and that have not changed for a minute (so a write
// still under way in another instance keeps its temporary). Returns how many
// were removed.
int removeLeftoverTemporaries(const Session& state,
                              const QDateTime& now = QDateTime::currentDateTime());

}  // namespace tw
