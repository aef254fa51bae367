#pragma once
// The Database menu's import and purge entries: each runs its maintenance
// function and then refreshes the summary from what the database holds.

namespace tw {

struct Session;
class MainWindow;

void importOldClicked(Session& state, MainWindow& window);
void purgeNonTagListClicked(Session& state, MainWindow& window);
void purgeEntireDatabaseClicked(Session& state, MainWindow& window);

// Connects the three menu entries to the handlers above, once.
void connectMaintenance(Session& state, MainWindow& window);

}  // namespace tw
