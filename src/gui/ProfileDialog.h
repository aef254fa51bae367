#pragma once
// The profile dialog of the selected player: shows and edits the profile
// (taglist/Profile.h) read when it opens; Save stores it. Not modal.
//
// The dialog belongs to the player (and clan) it was opened for: Save
// writes to them even if another player has been selected meanwhile, so a
// quote typed for one player never lands on another.

#include <QColor>
#include <QDialog>
#include <QString>
#include <functional>

#include "taglist/Profile.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tw {

struct Session;
class MainWindow;

inline constexpr char kProfileCaption[] = "Profile";

// "Profile - <gamertag>": several dialogs may be open, one per player.
QString profileTitle(const QString& gamertag);

class ProfileDialog : public QDialog {
    Q_OBJECT
  public:
    ProfileDialog(Session& state, MainWindow& window);

    // Reads the player's quote, clan site and colours. False when the
    // database reported an error (it has been reported to the user).
    bool load();
    void saveOptions();
    void cancelOptions();

    const QString& gamertag() const { return gamertag_; }

    QLabel* quoteLabel = nullptr;
    QLineEdit* quoteEdit = nullptr;
    QLabel* clanWebsiteLabel = nullptr;
    QLineEdit* clanWebsiteEdit = nullptr;
    QFrame* primaryColorSwatch = nullptr;
    QLabel* primaryColorLabel = nullptr;
    QFrame* secondaryColorSwatch = nullptr;
    QLabel* secondaryColorLabel = nullptr;
    QPushButton* saveButton = nullptr;
    QPushButton* cancelButton = nullptr;

  private:
    void createControls();
    void showProfile(const Profile& profile);

    Session& state_;
    MainWindow& window_;
    QString gamertag_;  // currentGamertag when the dialog opened
    QString clanName_;  // the main window's clan caption then ("-": none)
};

// Opens the dialog of the current player (the one the tag list shows) over the
// main window and returns it; one already open for that player is brought to
// the front instead. Null when reading failed.
ProfileDialog* showProfile(Session& state, MainWindow& window);

// What the tag list's profile button runs.
std::function<void()> profileOpener(Session& state, MainWindow& window);

}  // namespace tw
