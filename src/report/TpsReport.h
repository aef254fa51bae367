#pragma once
// Tools > TPS Report: fills the report folder's template with the selected
// player's figures, writes the page beside it and offers to open it.

#include <QByteArray>

namespace tw {

struct Session;
class MainWindow;

inline constexpr const char* kNoGamertagMessage = "You must select a Gamertag.";
inline constexpr const char* kReportCreatedMessage =
    "Your TPS Report has been created.\r\nWould you like to view it now?";
inline constexpr const char* kReportStage = "CreateTPS";

void tpsReportClicked(Session& state);

// The six sections and the closing tokens, in order, on the template's bytes.
// Errors are AppErrors; nothing is written.
QByteArray FillReport(Session& state, const QByteArray& templateText);

// Connects the menu entry to the handler, once, at start-up.
void ConnectTpsReport(Session& state, MainWindow& window);

}  // namespace tw
