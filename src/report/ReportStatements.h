#pragma once
// The statements of the TPS Report, with the player's gamertag spliced in
// between double quotes.

#include <QString>

namespace tw {

// The gamertag as it goes between the statements' double quotes: every double
// quote in it is doubled, so a gamertag holding one cannot end the literal.
QString reportSqlText(const QString& gamertag);

// The header: the player's row with clan and colours, the first and last game
// (a row exactly when the player has stored games), the playlists by name.
QString headerStatement(const QString& gamertag);
QString activityStatement(const QString& gamertag);
QString levelsStatement(const QString& gamertag);
QString careerStatement(const QString& gamertag);
// The rating's sample size, and the rating itself, which only a sample of
// 100 games or more runs.
QString sampleStatement(const QString& gamertag);
QString egrStatement(const QString& gamertag);
// The crosstab; its third piece is the assists sum when `useKApD`, else 0.
QString matrixStatement(const QString& gamertag, bool useKApD);
QString trophyStatement(const QString& gamertag);
QString quitsStatement(const QString& gamertag);

}  // namespace tw
