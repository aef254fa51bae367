#pragma once
// What every section of the report does with the database: the statement goes
// into CurrentSQL (so an error record shows it), opens into rsWork, and the
// section reads it from the first row when there is one. Also the texts every
// section shows for a figure the database does not give.

#include <QString>

#include "db/Variant.h"

namespace tw {

struct Session;

// Returns true when the statement has rows; rsWork then stands on the first.
bool OpenSection(Session& state, const QString& sql);
// Closes and releases rsWork and empties WorkText.
void CloseSection(Session& state);

// Whether CurrentGamertag has a stored game.
bool HasStoredGames(Session& state);

// What the page shows where there is no value.
inline constexpr const char* kNoValue = "-";

// A figure as text; "-" when the database has none.
QString FigureText(const Variant& value);
// A count from a sub-select, which has no value when nothing matched.
Variant CountOrZero(const Variant& count);
// value ÷ divisor in the display pattern; "-" when either is missing or the
// divisor is 0, since a rate over nothing has no value.
QString RateText(const Variant& value, const Variant& divisor, const QString& pattern);

}  // namespace tw
