#include "taglist/frmProfile.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/DebugLog.h"
#include "app/ProgramState.h"
#include "app/SqlText.h"
#include "db/Database.h"
#include "db/SqliteErrors.h"
#include "taglist/ShowPlayerSummary.h"
#include "ui/frmMain.h"

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

Database& OpenDb(ProgramState& state) {
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

frmProfile::frmProfile(ProgramState& state, frmMain& window)
    : QDialog(&window),
      state_(state),
      window_(window),
      gamertag_(state.CurrentGamertag),
      clanName_(window.lblClanName->text()) {
    setObjectName(QStringLiteral("frmProfile"));
    setWindowTitle(ProfileTitle(gamertag_));
    setModal(false);
    CreateControls();
    connect(cmdSaveOptions, &QPushButton::clicked, this, [this] { cmdSaveOptions_Click(); });
    connect(cmdCancelOptions, &QPushButton::clicked, this, [this] { cmdCancelOptions_Click(); });
}

void frmProfile::CreateControls() {
    lblQuote = NewLabel(this, "lblQuote", "Personal Favorite Quote:");
    txtQuote = new QLineEdit(this);
    txtQuote->setObjectName(QStringLiteral("txtQuote"));
    lblClanWebsiteURL = NewLabel(this, "lblClanWebsiteURL", "Clan Website URL:");
    txtClanWebsiteURL = new QLineEdit(this);
    txtClanWebsiteURL->setObjectName(QStringLiteral("txtClanWebsiteURL"));
    shpPlayerPrimaryColor = NewShape(this, "shpPlayerPrimaryColor");
    lblPrimaryColor = NewLabel(this, "lblPrimaryColor", "Primary Color");
    shpPlayerSecondaryColor = NewShape(this, "shpPlayerSecondaryColor");
    lblSecondaryColor = NewLabel(this, "lblSecondaryColor", "Secondary Color");
    cmdSaveOptions = new QPushButton(QStringLiteral("Save"), this);
    cmdSaveOptions->setObjectName(QStringLiteral("cmdSaveOptions"));
    cmdCancelOptions = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancelOptions->setObjectName(QStringLiteral("cmdCancelOptions"));

    auto* fields = new QGridLayout;
    fields->addWidget(lblQuote, 0, 0);
    fields->addWidget(txtQuote, 1, 0, 1, 4);
    fields->addWidget(lblClanWebsiteURL, 2, 0);
    fields->addWidget(txtClanWebsiteURL, 3, 0, 1, 4);
    fields->addWidget(shpPlayerPrimaryColor, 4, 0);
    fields->addWidget(lblPrimaryColor, 4, 1);
    fields->addWidget(shpPlayerSecondaryColor, 4, 2);
    fields->addWidget(lblSecondaryColor, 4, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdSaveOptions);
    buttons->addWidget(cmdCancelOptions);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    setMinimumWidth(420);
}

void frmProfile::ReadProfile() {
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
        txtQuote->setText(rs.Field(QStringLiteral("Personal_Quote")).joinText());
        txtClanWebsiteURL->setText(rs.Field(QStringLiteral("Website_URL")).joinText());
        FillShape(shpPlayerPrimaryColor,
                  ColorFromHexText(rs.Field(QStringLiteral("C1.Hexadecimal_Format")).joinText()));
        FillShape(shpPlayerSecondaryColor,
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
void frmProfile::ReadQuoteAlone() {
    state_.CurrentSQL =
        QStringLiteral("SELECT Personal_Quote FROM Player WHERE Player_Gamertag = '") +
        SqlText(gamertag_) + QStringLiteral("'");
    state_.rsWork = OpenDb(state_).OpenRecordset(state_.CurrentSQL);
    if (!state_.rsWork->IsEOF()) {
        txtQuote->setText(state_.rsWork->Field(0).joinText());
    }
    state_.rsWork->Close();
    state_.rsWork.reset();
}

bool frmProfile::Form_Load() {
    try {
        ReadProfile();
        return true;
    } catch (const AppError& error) {
        state_.rsWork.reset();
        ReportOperationFailure(state_, QString::fromLatin1(kProfileStage), error);
        return false;
    }
}

void frmProfile::SaveProfile() {
    Database& db = OpenDb(state_);
    state_.CurrentSQL = QStringLiteral("update Player set Personal_Quote = '") +
                        SqlText(StoredQuote(txtQuote->text())) +
                        QStringLiteral("' where Player_Gamertag = '") + SqlText(gamertag_) +
                        QStringLiteral("'");
    db.Execute(state_.CurrentSQL);
    // No clan ("-") matches no row.
    state_.CurrentSQL = QStringLiteral("update Clan set Website_URL = '") +
                        SqlText(StoredWebsite(txtClanWebsiteURL->text())) +
                        QStringLiteral("' where Clan_Name = '") + SqlText(clanName_) +
                        QStringLiteral("'");
    db.Execute(state_.CurrentSQL);
}

void frmProfile::cmdSaveOptions_Click() {
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

void frmProfile::cmdCancelOptions_Click() {
    close();
}

frmProfile* ShowProfile(ProgramState& state, frmMain& window) {
    const auto open = window.findChildren<frmProfile*>(QString(), Qt::FindDirectChildrenOnly);
    for (frmProfile* dialog : open) {
        if (dialog->isVisible() && dialog->gamertag() == state.CurrentGamertag) {
            dialog->raise();
            dialog->activateWindow();
            return dialog;
        }
    }
    auto* dialog = new frmProfile(state, window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    if (!dialog->Form_Load()) {
        delete dialog;
        return nullptr;
    }
    dialog->show();
    return dialog;
}

std::function<void()> ProfileOpener(ProgramState& state, frmMain& window) {
    return [&state, &window] { ShowProfile(state, window); };
}

}  // namespace tw
