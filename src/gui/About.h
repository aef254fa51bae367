#pragma once
// Help > About, Help > Support and the maker's link on the main window. The
// maker's name and address live here once: the About text, the link's
// caption and tool tip and the page the link opens all come from them.

#include <QAction>
#include <QObject>
#include <QString>
#include <type_traits>

namespace tw {

struct Session;

inline constexpr char kMakerName[] = "Brackenfold Software";
inline constexpr char kMakerUrl[] = "https://tallywick.org/";
inline constexpr char kAboutTitle[] = "About...";
inline constexpr char kVersionText[] = "1.1.0";

// The About box: the name and version line, the ownership line and the
// product line, joined with CR LF.
QString AboutText();
// Caption of makerLink: the maker's name over the address.
QString MakerLinkCaption();
QString MakerLinkToolTip();

// Shows the About box (information icon, OK).
void aboutClicked(Session& state);
// Opens the maker's product page in the desktop's browser; the outcome is not
// checked. Help > Support and a click on the maker's link do this.
void OpenMakerPage(Session& state);

// Connects Help > About, Help > Support and the maker's link of the main
// window. A template so this folder need not know the window's class: any
// window with aboutAction, supportAction (QAction*) and a makerLink that
// signals clicked() will do.
template <class Window>
void ConnectAbout(Session& state, Window& window) {
    QObject::connect(window.aboutAction, &QAction::triggered, &window,
                     [&state] { aboutClicked(state); });
    QObject::connect(window.supportAction, &QAction::triggered, &window,
                     [&state] { OpenMakerPage(state); });
    using Link = std::remove_pointer_t<decltype(window.makerLink)>;
    QObject::connect(window.makerLink, &Link::clicked, &window,
                     [&state] { OpenMakerPage(state); });
}

}  // namespace tw
