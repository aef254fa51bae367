#pragma once
// OpenDatabase: the first step of every summary refresh. Opens DbPath
// exclusively and one updatable recordset on each of the nine tables the
// download writes, replacing the previous objects.

namespace tw {

struct Session;

// Raises the engine's errors (3024 missing, 3356 held by another process).
void OpenDatabase(Session& state);

}  // namespace tw
