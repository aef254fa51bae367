#pragma once
// Database > "Purge Data for Non-TagList Players" and "Purge Entire Database".
// Both ask first, run their statements one by one in a fixed order (child
// rows before players, clans last) and report. A statement that fails ends
// the purge with one "Error" message and a diagnostic record naming it; those
// run before it stay done. Whatever shows the database refreshes after a
// purge that ran, failed or not, so it shows what is left.

#include <QStringList>

namespace tw {

struct Session;

inline constexpr char kPurgeConfirmTitle[] = "Confirm Purge";
inline constexpr char kPurgeNonTagListQuestion[] =
    "This operation will completely delete all data for players NOT listed in your Tag List.\r\n"
    "Data for players in your Tag List will remain in tact.\r\n"
    "\r\n"
    "ARE YOU SURE YOU WANT TO DO THIS ?";
inline constexpr char kPurgeNonTagListDone[] =
    "Data has been purged.\r\n"
    "The database will be re-optimized next time you download games.";
inline constexpr char kPurgeEntireQuestion[] =
    "This operation will completely delete all of your data.\r\n"
    "\r\n"
    "ARE YOU SURE YOU WANT TO DO THIS ?";
inline constexpr char kPurgeEntireDone[] = "Database has been purged.";
// Stage name of the diagnostic record of a failed purge.
inline constexpr char kPurgeStage[] = "Purge";

// The statements, in the order they run.
QStringList nonTagListPurgeStatements();
QStringList entirePurgeStatements();

// True when the user said Yes (the purge ran, whole or in part).
bool purgeNonTagListPlayers(Session& state);
// On success also forgets the current player (and User/Gamertag).
bool purgeEntireDatabase(Session& state);

}  // namespace tw
