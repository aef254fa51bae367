#pragma once
// Tools > TPS Report: the report of the player the tag list shows.

namespace tw {

struct Session;
class MainWindow;

void tpsReportClicked(Session& state);

// Connects the menu entry to the handler, once.
void connectTpsReport(Session& state, MainWindow& window);

}  // namespace tw
