#pragma once
// The tag list's controls on the main window: tagListBox, the Add, Remove
// and Profile buttons and the grid pop-up's "Tag List Insert", turned into
// calls of the tag-list service (taglist/TagList.h) and summary refreshes.

#include <QString>
#include <functional>

namespace tw {

struct Session;
class MainWindow;

// Adds `fromGrid` (the gamertag the grid's pop-up offered), else asks for
// one; an added entry becomes the selected one.
void addClicked(Session& state, MainWindow& window, const QString& fromGrid = QString());
// Removing the last entry refreshes the summary at once, so the removed
// player stops being the current one.
void removeClicked(Session& state, MainWindow& window);
// The selected entry becomes the current player, is remembered in the
// settings and the summary is refreshed; nothing when no entry is selected.
void tagListChosen(Session& state, MainWindow& window);
// The profile dialog opens only for a selected player.
void profileClicked(Session& state, const std::function<void()>& showProfile);

// Connects the controls above to their handlers, once. `showProfile` opens
// the profile dialog (nothing when unset).
void connectTagList(Session& state, MainWindow& window, std::function<void()> showProfile);

}  // namespace tw
