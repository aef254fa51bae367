#pragma once
// What every section of the report does with the database: the statement goes
// into CurrentSQL (so an error record shows it), opens into rsWork, and the
// section reads it from the first row when there is one.

#include <QString>

namespace tw {

struct ProgramState;

// Returns true when the statement has rows; rsWork then stands on the first.
bool OpenSection(ProgramState& state, const QString& sql);
// Closes and releases rsWork and empties WorkText.
void CloseSection(ProgramState& state);

}  // namespace tw
