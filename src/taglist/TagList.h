#pragma once
// The tag list: the Player rows flagged Is_Selectable = "Y", shown in
// tagListBox. Adding creates or re-flags a player, removing only clears the
// flag, selecting makes the entry the current player and refreshes the
// summary. Gamertags go into the statements with apostrophes doubled.

#include <QString>
#include <functional>

namespace tw {

struct Session;
class MainWindow;

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

// Takes TagToInsert when set (and empties it), else asks for a gamertag.
void addClicked(Session& state, MainWindow& window);
// Removing the last entry refreshes the summary at once, so the removed
// player stops being the current one.
void removeClicked(Session& state, MainWindow& window);
// The selection rule: ignored while the list is being refilled; otherwise the
// selected entry becomes CurrentGamertag, is written to User/Gamertag and the
// summary is refreshed.
void tagListChosen(Session& state, MainWindow& window);
// The profile dialog opens only for a selected player.
bool ProfileMayOpen(const Session& state);
void profileClicked(Session& state, const std::function<void()>& showProfile);

// Connects the tag-list controls of the window to the handlers above, once:
// the three buttons, the selection of tagListBox, and the grid pop-up's "Tag
// List Insert" (insertIntoTagListAction runs the add handler, which takes the
// TagToInsert the grid set). `showProfile` opens the profile dialog (nothing
// when unset).
void ConnectTagList(Session& state, MainWindow& window, std::function<void()> showProfile);

}  // namespace tw
