#pragma once
// The profile of a player: the favourite quote and the clan's web site, which
// the report shows, beside the two emblem colours. Read once when the profile
// dialog opens and written only on Save, to the player (and clan) it was read
// for.

#include <QColor>
#include <QString>

namespace tw {

struct Session;

// Stage name of the diagnostic record of a failed reading or saving.
inline constexpr char kProfileStage[] = "Profile";
inline constexpr int kProfileTextLength = 255;

// RRGGBB as a colour; a pair that is no hexadecimal number counts as 0.
QColor colorFromHexText(const QString& rrggbb);

// The quote as stored: as typed (the statement doubles its apostrophes), blanks
// around it removed, at most 255 characters. Quotes stored by older versions,
// whose apostrophes became double-quote characters, keep what they hold.
QString storedQuote(const QString& typed);
// The web address as stored: blanks around it removed, at most 255 characters.
QString storedWebsite(const QString& typed);

struct Profile {
    QString quote;
    QString website;
    // Invalid when the player has no clan or a colour code has no Color row:
    // the dialog's shapes then keep their colour.
    QColor primaryColor;
    QColor secondaryColor;
};

// Reads the profile of `gamertag`. Without a clan (or colour) row the web
// site stays empty but the stored quote is read all the same: Save writes the
// quote box back, and an empty box would wipe a quote the user never saw.
// False when the database failed (recorded and told, stage "Profile").
bool readProfile(Session& state, const QString& gamertag, Profile& profile);

// Stores the quote of `gamertag` and the web site of `clanName` ("-", no
// clan, matches no row). False when a statement failed (recorded and told);
// what was stored before it stays.
bool saveProfile(Session& state, const QString& gamertag, const QString& clanName,
                 const QString& quote, const QString& website);

}  // namespace tw
