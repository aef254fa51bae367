#pragma once
// The six statements of the TPS Report, exactly as the report runs them, with
// the player's gamertag spliced in between double quotes.

#include <QString>

namespace tw {

// The gamertag as it goes between the statements' double quotes: every double
// quote in it is doubled, so a gamertag holding one cannot end the literal.
QString ReportSqlText(const QString& gamertag);

QString HeaderStatement(const QString& gamertag);
QString CareerStatement(const QString& gamertag);
QString EgrStatement(const QString& gamertag);
// The crosstab; its third piece is the assists sum when `useKApD`, else 0.
QString MatrixStatement(const QString& gamertag, bool useKApD);
QString TrophyStatement(const QString& gamertag);
QString QuitsStatement(const QString& gamertag);

}  // namespace tw
