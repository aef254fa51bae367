#pragma once
// Help > About, Help > Support and the maker's link on the main window. The
// About text, the link's caption and tool tip and the page the link opens
// all come from the maker's name and address in core/ProgramInfo.h.

#include <QString>

#include "core/ProgramInfo.h"

namespace tw {

struct Session;
class MainWindow;

inline constexpr char kAboutTitle[] = "About...";

// The About box: the name and version line, the ownership line, the product
// line and the program folder in use, joined with CR LF.
QString aboutText(const QString& programDir);
// Caption of makerLink: the maker's name over the address.
QString makerLinkCaption();
QString makerLinkToolTip();

// Shows the About box (information icon, OK).
void aboutClicked(Session& state);
// Opens the maker's product page in the desktop's browser; the outcome is not
// checked. Help > Support and a click on the maker's link do this.
void openMakerPage(Session& state);

// Connects Help > About, Help > Support and the maker's link of the main
// window.
void connectAbout(Session& state, MainWindow& window);

}  // namespace tw
