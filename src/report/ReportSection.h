#pragma once
// What every section of the report does with the database: the statement is
// kept in the run (so an error record names it), opens into the run's
// recordset, and the section reads it from the first row when there is one.
// Also the texts every section shows for a figure the database does not give.

#include <QString>
#include <memory>

#include "db/Recordset.h"
#include "db/Variant.h"

namespace tw {

class Database;

// One run of the report for one player.
struct ReportRun {
    Database* db = nullptr;  // null: no database is open, the first section fails
    QString gamertag;
    bool useKApD = false;  // the matrix's ratio: kills and assists per death
    std::unique_ptr<Recordset> rs;
    QString statement;  // the last statement opened
};

// Returns true when the statement has rows; the run's recordset then stands
// on the first.
bool openSection(ReportRun& run, const QString& sql);
// Closes and releases the run's recordset.
void closeSection(ReportRun& run);

// Whether the run's player has a stored game.
bool hasStoredGames(ReportRun& run);

// What the page shows where there is no value.
inline constexpr const char* kNoValue = "-";

// A figure as text; "-" when the database has none.
QString figureText(const Variant& value);
// A count from a sub-select, which has no value when nothing matched.
Variant countOrZero(const Variant& count);
// value ÷ divisor in the display pattern; "-" when either is missing or the
// divisor is 0, since a rate over nothing has no value.
QString rateText(const Variant& value, const Variant& divisor, const QString& pattern);

}  // namespace tw
