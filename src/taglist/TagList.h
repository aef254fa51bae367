#pragma once
// The tag list: the Player rows flagged Is_Selectable = "Y". Adding creates
// or re-flags a player, removing only clears the flag, choosing makes a
// gamertag the current player. Gamertags go into the statements with
// apostrophes doubled. No widget here: the window and the command line show
// the list their own way.

#include <QString>
#include <QStringList>

namespace tw {

struct Session;
class Database;

inline constexpr const char* kAddPrompt = "Please enter a gamertag.";
inline constexpr const char* kAddTitle = "Add Gamertag";
inline constexpr const char* kAlreadyListedMessage = "That gamertag is already in the list.";
inline constexpr const char* kRemoveConfirmMessage =
    "This operation will NOT remove all data for this player.\r\n"
    "It will only remove them from this list.\r\n"
    "\r\n"
    "Would you like to proceed ?";
inline constexpr const char* kRemoveConfirmTitle = "Confirm Remove Tag";
// Stage name of a database error met while adding or removing a tag.
inline constexpr const char* kTagListStage = "TagList";

// The statement that reads the tag list, in the order the list shows it.
QString tagListStatement();

// The tag list's gamertags in the order the window's list shows them.
// Raises the engine's errors.
QStringList tagListGamertags(Database& db);

class TagList {
  public:
    enum class AddResult { Added, AlreadyListed, Failed };

    explicit TagList(Session& state) : state_(state) {}

    // The list as stored; empty when the database is not open or fails.
    QStringList gamertags() const;

    // Asks the user for a gamertag to add (empty: cancelled).
    QString askGamertag() const;
    // Flags (or creates) the player. An entry already listed is told with
    // kAlreadyListedMessage; a database error is logged (stage "TagList").
    AddResult add(const QString& gamertag);

    // Asks kRemoveConfirmMessage; true on Yes.
    bool confirmRemove() const;
    // Clears the player's flag; false when the database failed (logged).
    bool remove(const QString& gamertag);

    // Makes `gamertag` the current player and remembers it in the settings.
    void choose(const QString& gamertag);

    // The profile opens only for a selected player.
    bool profileMayOpen() const;

  private:
    Session& state_;
};

}  // namespace tw
