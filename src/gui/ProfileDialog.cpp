#include "gui/ProfileDialog.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/Session.h"
#include "gui/MainWindow.h"
#include "gui/PlayerSummaryView.h"
#include "gui/WidgetFactory.h"

namespace tw {
namespace {

const QColor kInitialShapeColor = Qt::white;

void fillShape(QFrame* shape, const QColor& color) {
    QPalette palette = shape->palette();
    palette.setColor(QPalette::Window, color);
    shape->setPalette(palette);
}

QFrame* newShape(QWidget* parent, const char* name) {
    auto* shape = new QFrame(parent);
    shape->setObjectName(QString::fromLatin1(name));
    shape->setFrameShape(QFrame::Box);
    shape->setAutoFillBackground(true);
    shape->setFixedSize(48, 24);
    fillShape(shape, kInitialShapeColor);
    return shape;
}

QHBoxLayout* swatchRow(QFrame* swatch, QLabel* label) {
    auto* row = new QHBoxLayout;
    row->addWidget(swatch);
    row->addWidget(label);
    row->addStretch();
    return row;
}

}  // namespace

QString profileTitle(const QString& gamertag) {
    return QString::fromLatin1(kProfileCaption) + QStringLiteral(" - ") + gamertag;
}

ProfileDialog::ProfileDialog(Session& state, MainWindow& window)
    : QDialog(&window),
      state_(state),
      window_(window),
      gamertag_(state.currentGamertag),
      clanName_(window.clanName->text()) {
    setObjectName(QStringLiteral("frmProfile"));
    setWindowTitle(profileTitle(gamertag_));
    setModal(false);
    createControls();
    connect(saveButton, &QPushButton::clicked, this, [this] { saveOptions(); });
    connect(cancelButton, &QPushButton::clicked, this, [this] { cancelOptions(); });
}

void ProfileDialog::createControls() {
    quoteLabel = newLabel(this, QStringLiteral("lblQuote"),
                          QStringLiteral("Personal Favorite Quote:"), false);
    quoteEdit = new QLineEdit(this);
    quoteEdit->setObjectName(QStringLiteral("txtQuote"));
    clanWebsiteLabel = newLabel(this, QStringLiteral("lblClanWebsiteURL"),
                                QStringLiteral("Clan Website URL:"), false);
    clanWebsiteEdit = new QLineEdit(this);
    clanWebsiteEdit->setObjectName(QStringLiteral("txtClanWebsiteURL"));
    primaryColorSwatch = newShape(this, "shpPlayerPrimaryColor");
    primaryColorLabel =
        newLabel(this, QStringLiteral("lblPrimaryColor"), QStringLiteral("Primary Color"), false);
    secondaryColorSwatch = newShape(this, "shpPlayerSecondaryColor");
    secondaryColorLabel = newLabel(this, QStringLiteral("lblSecondaryColor"),
                                   QStringLiteral("Secondary Color"), false);
    saveButton = new QPushButton(QStringLiteral("Save"), this);
    saveButton->setObjectName(QStringLiteral("cmdSaveOptions"));
    cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    cancelButton->setObjectName(QStringLiteral("cmdCancelOptions"));

    auto* fields = new QGridLayout;
    fields->addWidget(quoteLabel, 0, 0);
    fields->addWidget(quoteEdit, 1, 0, 1, 4);
    fields->addWidget(clanWebsiteLabel, 2, 0);
    fields->addWidget(clanWebsiteEdit, 3, 0, 1, 4);
    // Each colour on a row of its own, its label right after its swatch, so
    // no label can be read as the other swatch's.
    fields->addLayout(swatchRow(primaryColorSwatch, primaryColorLabel), 4, 0, 1, 4);
    fields->addLayout(swatchRow(secondaryColorSwatch, secondaryColorLabel), 5, 0, 1, 4);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(saveButton);
    buttons->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    setMinimumWidth(420);
}

void ProfileDialog::showProfile(const Profile& profile) {
    quoteEdit->setText(profile.quote);
    clanWebsiteEdit->setText(profile.website);
    if (profile.primaryColor.isValid()) {
        fillShape(primaryColorSwatch, profile.primaryColor);
    }
    if (profile.secondaryColor.isValid()) {
        fillShape(secondaryColorSwatch, profile.secondaryColor);
    }
}

bool ProfileDialog::load() {
    Profile profile;
    if (!readProfile(state_, gamertag_, profile)) {
        return false;
    }
    showProfile(profile);
    return true;
}

void ProfileDialog::saveOptions() {
    if (!saveProfile(state_, gamertag_, clanName_, quoteEdit->text(), clanWebsiteEdit->text())) {
        // What was stored before the failure stays; the dialog stays open
        // with the typed texts, and the window shows the database as it is.
        showPlayerSummary(state_, window_);
        return;
    }
    close();
}

void ProfileDialog::cancelOptions() {
    close();
}

ProfileDialog* showProfile(Session& state, MainWindow& window) {
    const auto open = window.findChildren<ProfileDialog*>(QString(), Qt::FindDirectChildrenOnly);
    for (ProfileDialog* dialog : open) {
        if (dialog->isVisible() && dialog->gamertag() == state.currentGamertag) {
            dialog->raise();
            dialog->activateWindow();
            return dialog;
        }
    }
    auto* dialog = new ProfileDialog(state, window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    if (!dialog->load()) {
        delete dialog;
        return nullptr;
    }
    dialog->show();
    return dialog;
}

std::function<void()> profileOpener(Session& state, MainWindow& window) {
    return [&state, &window] { showProfile(state, window); };
}

}  // namespace tw
