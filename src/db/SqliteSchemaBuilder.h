#pragma once
// Builds a new, empty statistics database: runs schema.sql and adds the
// reference rows of reference/Medal.tsv and reference/Color.tsv. Used at
// build time for the delivered tallywick110.mdb and by tests that need a
// fresh database.

#include <QString>

namespace tw::sqlite {

// `sourceDir` holds schema.sql and reference/. Refuses to replace an existing
// `target` (error 3204); the file appears only once it is complete.
void createStatisticsDatabase(const QString& target, const QString& sourceDir);

}  // namespace tw::sqlite
