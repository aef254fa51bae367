#pragma once
// Ending the program at once. The program state carries how: main() installs
// a real exit; tests observe Session::endRequested instead.

namespace tw {

struct Session;

// Sets endRequested and exitCode, then runs state.endProgram when set. Callers
// return straight away afterwards: nothing else of theirs may run.
void endProgram(Session& state, int exitCode);

// Closes the database, ignoring every error, then releases it. The database
// half of closing down; the socket belongs to the download.
void closeDatabaseObjects(Session& state);

}  // namespace tw
