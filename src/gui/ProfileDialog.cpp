#include "gui/ProfileDialog.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/DebugLog.h"
#include "core/Session.h"
#include "core/SqlText.h"
#include "db/Database.h"
#include "db/SqliteErrors.h"
#include "taglist/ShowPlayerSummary.h"
#include "gui/MainWindow.h"

namespace tw {
namespace {

const QColor kInitialShapeColor = Qt::white;

// Blanks (spaces) around the text removed, as the stored texts always were.
QString TrimBlanks(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == QLatin1Char(' ')) {
        ++first;
    }
    while (last > first && text.at(last - 1) == QLatin1Char(' ')) {
        --last;
    }
    return text.mid(first, last - first);
}

// The first `length` characters, never ending in half of a surrogate pair.
QString LeftCharacters(const QString& text, int length) {
    if (text.size() <= length) {
        return text;
    }
    const int cut = text.at(length - 1).isHighSurrogate() ? length - 1 : length;
    return text.left(cut);
}

void FillShape(QFrame* shape, const QColor& color) {
    QPalette palette = shape->palette();
    palette.setColor(QPalette::Window, color);
    shape->setPalette(palette);
}

QFrame* NewShape(QWidget* parent, const char* name) {
    auto* shape = new QFrame(parent);
    shape->setObjectName(QString::fromLatin1(name));
    shape->setFrameShape(QFrame::Box);
    shape->setAutoFillBackground(true);
    shape->setFixedSize(48, 24);
    FillShape(shape, kInitialShapeColor);
    return shape;
}

QLabel* NewLabel(QWidget* parent, const char* name, const char* caption) {
    auto* label = new QLabel(QString::fromLatin1(caption), parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

Database& OpenDb(Session& state) {
    if (!state.Db || !state.Db->isOpen()) {
        throw sqlite::ObjectClosedError(sqlite::kDatabaseSource);
    }
    return *state.Db;
}

int HexPair(const QString& text, int start) {
    bool ok = false;
    const int value = text.mid(start, 2).toInt(&ok, 16);
    return ok ? value : 0;
}

}  // namespace

QString ProfileTitle(const QString& gamertag) {
    return QString::fromLatin1(kProfileCaption) + QStringLiteral(" - ") + gamertag;
}

QColor ColorFromHexText(const QString& rrggbb) {
    return QColor(HexPair(rrggbb, 0), HexPair(rrggbb, 2), HexPair(rrggbb, 4));
}

QString StoredQuote(const QString& typed) {
    return LeftCharacters(TrimBlanks(typed), kProfileTextLength);
}

QString StoredWebsite(const QString& typed) {
    return LeftCharacters(TrimBlanks(typed), kProfileTextLength);
}

ProfileDialog::ProfileDialog(Session& state, MainWindow& window)
    : QDialog(&window),
      state_(state),
      window_(window),
      gamertag_(state.CurrentGamertag),
      clanName_(window.clanName->text()) {
    setObjectName(QStringLiteral("frmProfile"));
    setWindowTitle(ProfileTitle(gamertag_));
    setModal(false);
    CreateControls();
    connect(saveButton, &QPushButton::clicked, this, [this] { saveOptions(); });
    connect(cancelButton, &QPushButton::clicked, this, [this] { cancelOptions(); });
}

void ProfileDialog::CreateControls() {
    quoteLabel = NewLabel(this, "lblQuote", "Personal Favorite Quote:");
    quoteEdit = new QLineEdit(this);
    quoteEdit->setObjectName(QStringLiteral("txtQuote"));
    clanWebsiteLabel = NewLabel(this, "lblClanWebsiteURL", "Clan Website URL:");
    clanWebsiteEdit = new QLineEdit(this);
    clanWebsiteEdit->setObjectName(QStringLiteral("txtClanWebsiteURL"));
    primaryColorSwatch = NewShape(this, "shpPlayerPrimaryColor");
    primaryColorLabel = NewLabel(this, "lblPrimaryColor", "Primary Color");
    secondaryColorSwatch = NewShape(this, "shpPlayerSecondaryColor");
    secondaryColorLabel = NewLabel(this, "lblSecondaryColor", "Secondary Color");
    saveButton = new QPushButton(QStringLiteral("Save"), this);
    saveButton->setObjectName(QStringLiteral("cmdSaveOptions"));
    cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    cancelButton->setObjectName(QStringLiteral("cmdCancelOptions"));

    auto* fields = new QGridLayout;
    fields->addWidget(quoteLabel, 0, 0);
    fields->addWidget(quoteEdit, 1, 0, 1, 4);
    fields->addWidget(clanWebsiteLabel, 2, 0);
    fields->addWidget(clanWebsiteEdit, 3, 0, 1, 4);
    fields->addWidget(primaryColorSwatch, 4, 0);
    fields->addWidget(primaryColorLabel, 4, 1);
    fields->addWidget(secondaryColorSwatch, 4, 2);
    fields->addWidget(secondaryColorLabel, 4, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(saveButton);
    buttons->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    setMinimumWidth(420);
}

void ProfileDialog::ReadProfile() {
    state_.CurrentSQL = QStringLiteral("SELECT * FROM Player, Clan, Color AS C1, Color AS C2 ") +
                        QStringLiteral("WHERE Player_Gamertag = '") + SqlText(gamertag_) +
                        QStringLiteral("' AND ") +
                        QStringLiteral("Primary_Color_Code = C1.Color_Code AND ") +
                        QStringLiteral("Secondary_Color_Code = C2.Color_Code AND ") +
                        QStringLiteral("Player.Clan_Name = Clan.Clan_Name");
    state_.rsWork = OpenDb(state_).OpenRecordset(state_.CurrentSQL);
    Recordset& rs = *state_.rsWork;
    const bool found = !rs.IsEOF();
    if (found) {
        quoteEdit->setText(rs.Field(QStringLiteral("Personal_Quote")).joinText());
        clanWebsiteEdit->setText(rs.Field(QStringLiteral("Website_URL")).joinText());
        FillShape(primaryColorSwatch,
                  ColorFromHexText(rs.Field(QStringLiteral("C1.Hexadecimal_Format")).joinText()));
        FillShape(secondaryColorSwatch,
                  ColorFromHexText(rs.Field(QStringLiteral("C2.Hexadecimal_Format")).joinText()));
    }
    rs.Close();
    state_.rsWork.reset();
    if (!found) {
        ReadQuoteAlone();
    }
}

// No row above: the player has no clan, or a colour code has no Color row.
// The web site box stays empty and the shapes keep their colour, but the
// stored quote is shown all the same: Save writes the box back, and an empty
// box would wipe a quote the user never saw.
void ProfileDialog::ReadQuoteAlone() {
    state_.CurrentSQL =
        QStringLiteral("SELECT Personal_Quote FROM Player WHERE Player_Gamertag = '") +
        SqlText(gamertag_) + QStringLiteral("'");
    state_.rsWork = OpenDb(state_).OpenRecordset(state_.CurrentSQL);
    if (!state_.rsWork->IsEOF()) {
        quoteEdit->setText(state_.rsWork->Field(0).joinText());
    }
    state_.rsWork->Close();
    state_.rsWork.reset();
}

bool ProfileDialog::loadMainWindow() {
    try {
        ReadProfile();
        return true;
    } catch (const AppError& error) {
        state_.rsWork.reset();
        ReportOperationFailure(state_, QString::fromLatin1(kProfileStage), error);
        return false;
    }
}

void ProfileDialog::SaveProfile() {
    Database& db = OpenDb(state_);
    state_.CurrentSQL = QStringLiteral("update Player set Personal_Quote = '") +
                        SqlText(StoredQuote(quoteEdit->text())) +
                        QStringLiteral("' where Player_Gamertag = '") + SqlText(gamertag_) +
                        QStringLiteral("'");
    db.Execute(state_.CurrentSQL);
    // No clan ("-") matches no row.
    state_.CurrentSQL = QStringLiteral("update Clan set Website_URL = '") +
                        SqlText(StoredWebsite(clanWebsiteEdit->text())) +
                        QStringLiteral("' where Clan_Name = '") + SqlText(clanName_) +
                        QStringLiteral("'");
    db.Execute(state_.CurrentSQL);
}

void ProfileDialog::saveOptions() {
    try {
        SaveProfile();
    } catch (const AppError& error) {
        // What was stored before the failure stays; the dialog stays open
        // with the typed texts, and the window shows the database as it is.
        ReportOperationFailure(state_, QString::fromLatin1(kProfileStage), error);
        ShowPlayerSummary(state_, window_);
        return;
    }
    close();
}

void ProfileDialog::cancelOptions() {
    close();
}

ProfileDialog* ShowProfile(Session& state, MainWindow& window) {
    const auto open = window.findChildren<ProfileDialog*>(QString(), Qt::FindDirectChildrenOnly);
    for (ProfileDialog* dialog : open) {
        if (dialog->isVisible() && dialog->gamertag() == state.CurrentGamertag) {
            dialog->raise();
            dialog->activateWindow();
            return dialog;
        }
    }
    auto* dialog = new ProfileDialog(state, window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    if (!dialog->loadMainWindow()) {
        delete dialog;
        return nullptr;
    }
    dialog->show();
    return dialog;
}

std::function<void()> ProfileOpener(Session& state, MainWindow& window) {
    return [&state, &window] { ShowProfile(state, window); };
}

}  // namespace tw
