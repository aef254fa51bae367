#pragma once
// openDatabase: the first step of every summary refresh. Opens dbPath
// exclusively, replacing the previous connection, and checks that the nine
// tables the download writes are there.

namespace tw {

struct Session;

// Raises the engine's errors (3024 missing, 3356 held by another process).
void openDatabase(Session& state);

}  // namespace tw
