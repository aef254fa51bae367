#pragma once
// Help > About, Help > Support and the maker's link on the main window. The
// maker's name and address live here once: the About text, the link's
// caption and tool tip and the page the link opens all come from them.

#include <QString>

namespace tw {

struct Session;
class MainWindow;

inline constexpr char kMakerName[] = "Brackenfold Software";
inline constexpr char kMakerUrl[] = "https://tallywick.org/";
inline constexpr char kAboutTitle[] = "About...";
inline constexpr char kVersionText[] = "1.1.0";

// The About box: the name and version line, the ownership line and the
// product line, joined with CR LF.
QString aboutText();
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
void ConnectAbout(Session& state, MainWindow& window);

}  // namespace tw
