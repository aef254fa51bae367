#pragma once
// The player summary: what the window's summary panel shows, read from the
// database. Every refresh reopens the database (openDatabase), reads the tag
// list, settles the current player (the first entry when the remembered one
// is not listed) and reads its clan, game count, last update and avatar.

#include <QImage>
#include <QString>
#include <QStringList>

namespace tw {

struct Session;

inline constexpr const char* kLastDownloadPattern = "mmm d, yyyy h:mm AMPM";
inline constexpr const char* kUnknownAvatar = "unknown.jpg";
inline constexpr const char* kDatabaseLockedMessage =
    "It appears that you have the database open locally.\r\n"
    "The database must be closed before you can use this program.";
// What a label shows for a value the database does not give.
inline constexpr const char* kNoSummaryValue = "-";

// Stage name of the diagnostic record of a failed refresh.
inline constexpr const char* kInitStage = "Init";

// "Database cannot be found." + the line naming the database file.
QString databaseMissingMessage();

// A database that is there but cannot be opened: "The database cannot be
// opened:", its path, `note` (why, when known) on a line of its own, a blank
// line, then `errorReport` (the error and where its record is).
QString databaseUnusableMessage(const QString& dbPath, const QString& note,
                                const QString& errorReport);

struct PlayerSummary {
    QStringList gamertags;  // the tag list, in its order
    int selected = -1;      // the current player's entry; -1 when the list is empty
    QString clan = QString::fromLatin1(kNoSummaryValue);
    QString totalGames = QStringLiteral("0");
    QString lastDownload = QString::fromLatin1(kNoSummaryValue);
    // The picture shown and its file; both empty when there is none to show.
    QString avatarPath;
    QImage avatar;
};

// The avatar of `gamertag`, or "unknown.jpg". A file that is no valid
// picture (error 481) is deleted and "unknown.jpg" chosen instead; a missing
// or broken "unknown.jpg" leaves the picture empty.
void loadAvatar(Session& state, const QString& gamertag, PlayerSummary& summary);

enum class SummaryOutcome {
    Read,           // the summary is complete
    Failed,         // an error after the open, logged (stage "Init"); partly read
    DatabaseClosed  // the database could not be opened: told, the program ended
};

// Opens the database and reads the summary into `summary`, which starts
// empty. Sets currentGamertag (and the settings' User/Gamertag) when the
// remembered player is not listed, and clears downloadInProgress. When the database cannot be
// opened the program ends after one message: missing (3024) and held (3356) with their own texts,
// any other error recorded in the log where it can be and told with databaseUnusableMessage.
SummaryOutcome readPlayerSummary(Session& state, PlayerSummary& summary);

}  // namespace tw
