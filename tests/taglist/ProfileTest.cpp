// The profile dialog over the program's own database and main window.

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ProgramFolder.h"
#include "gui/ProfileDialog.h"

namespace tw::testing {
namespace {

// Ann: clan "O'Brien Crew" (an apostrophe in its name), colours red and
// green. Bob: no clan, a stored quote. Cat: a colour code without a Color row.
constexpr char kPlayers[] = R"sql(
INSERT INTO Color VALUES (90, 'FF0000', 'FFFFFF'), (91, '00ff80', '000000');
INSERT INTO Clan VALUES ('O''Brien Crew', 'http://crew.example', '', '', ''),
    ('Alpha', 'http://alpha.example', '', '', '');
INSERT INTO Player (Player_Gamertag, Clan_Name, Primary_Color_Code, Secondary_Color_Code,
    Personal_Quote, Last_Game_ID, Is_Selectable, Is_Friend, Is_Clan, Is_Jerk, Is_Guest) VALUES
    ('Ann', 'O''Brien Crew', 90, 91, 'Go "team"', 0, 'Y', 'N', 'N', 'N', 'N'),
    ('Bob', NULL, 90, 91, 'kept safe', 0, 'Y', 'N', 'N', 'N', 'N'),
    ('Cat', 'Alpha', 90, 77, NULL, 0, 'Y', 'N', 'N', 'N', 'N');
)sql";

class ProfileTest : public ProgramFolderTest {
  protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        installDatabase();
        seed(kPlayers);
        prompter_->acknowledgeOkMessages(true);
    }
    // The program starts with `gamertag` selected and opens its profile.
    ProfileDialog* openFor(const char* gamertag) {
        writeIni(QByteArray("[User]\r\nGamertag=") + gamertag + "\r\n[Application]\r\n");
        load();
        return showProfile(*state_, *window_);
    }
    static QColor fill(QFrame* shape) {
        return shape->grab().toImage().pixelColor(shape->rect().center());
    }
};

TEST_F(ProfileTest, OpeningShowsQuoteClanSiteAndColours) {
    ProfileDialog* dialog = openFor("Ann");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Profile - Ann"));
    EXPECT_FALSE(dialog->isModal());
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->findChild<QLineEdit*>("txtQuote")->text(), QStringLiteral("Go \"team\""));
    EXPECT_EQ(dialog->findChild<QLineEdit*>("txtClanWebsiteURL")->text(),
              QStringLiteral("http://crew.example"));
    EXPECT_EQ(fill(dialog->findChild<QFrame*>("shpPlayerPrimaryColor")), QColor(255, 0, 0));
    EXPECT_EQ(fill(dialog->findChild<QFrame*>("shpPlayerSecondaryColor")), QColor(0, 255, 128));
}

TEST_F(ProfileTest, EachColourLabelSitsRightAfterItsOwnSwatch) {
    ProfileDialog* dialog = openFor("Ann");
    ASSERT_NE(dialog, nullptr);
    const struct {
        QFrame* swatch;
        QLabel* label;
        QFrame* other;
    } pairs[] = {
        {dialog->primaryColorSwatch, dialog->primaryColorLabel, dialog->secondaryColorSwatch},
        {dialog->secondaryColorSwatch, dialog->secondaryColorLabel, dialog->primaryColorSwatch},
    };
    for (const auto& pair : pairs) {
        const QRect swatch = pair.swatch->geometry();
        const QRect label = pair.label->geometry();
        const QString name = pair.label->text();
        // Beside its swatch: on the same line, right after it.
        EXPECT_TRUE(label.top() < swatch.bottom() && swatch.top() < label.bottom())
            << name.toStdString();
        EXPECT_GE(label.left(), swatch.right()) << name.toStdString();
        EXPECT_LE(label.left() - swatch.right(), 24) << name.toStdString();
        // And not on the other swatch's line.
        const QRect other = pair.other->geometry();
        EXPECT_FALSE(label.top() < other.bottom() && other.top() < label.bottom())
            << name.toStdString();
    }
    EXPECT_EQ(dialog->primaryColorLabel->text(), "Primary Color");
    EXPECT_EQ(dialog->secondaryColorLabel->text(), "Secondary Color");
}

TEST_F(ProfileTest, SaveStoresTheQuoteAndTheSiteAsTypedApostrophesIncluded) {
    ProfileDialog* dialog = openFor("Ann");
    ASSERT_NE(dialog, nullptr);
    dialog->quoteEdit->setText(QStringLiteral("  It's the player's game  "));
    dialog->clanWebsiteEdit->setText(QStringLiteral(" http://crew.example/o'brien "));
    dialog->saveButton->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(query("SELECT Personal_Quote FROM Player WHERE Player_Gamertag = 'Ann'"),
              QStringLiteral("It's the player's game"));
    EXPECT_EQ(query("SELECT Website_URL FROM Clan WHERE Clan_Name = 'O''Brien Crew'"),
              QStringLiteral("http://crew.example/o'brien"));
    EXPECT_EQ(query("SELECT Website_URL FROM Clan WHERE Clan_Name = 'Alpha'"),
              QStringLiteral("http://alpha.example"));
    EXPECT_TRUE(prompter_->calls().empty());

    // And it comes back as typed, next time and in the next run.
    ProfileDialog* again = showProfile(*state_, *window_);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->quoteEdit->text(), QStringLiteral("It's the player's game"));
    newSession();
    load();
    ProfileDialog* later = showProfile(*state_, *window_);
    ASSERT_NE(later, nullptr);
    EXPECT_EQ(later->quoteEdit->text(), QStringLiteral("It's the player's game"));
    EXPECT_EQ(later->clanWebsiteEdit->text(), QStringLiteral("http://crew.example/o'brien"));
}

TEST_F(ProfileTest, AnOlderQuoteKeepsWhatItHoldsThroughASave) {
    ProfileDialog* dialog = openFor("Ann");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->quoteEdit->text(), QStringLiteral("Go \"team\""));
    dialog->saveButton->click();
    EXPECT_EQ(query("SELECT Personal_Quote FROM Player WHERE Player_Gamertag = 'Ann'"),
              QStringLiteral("Go \"team\""));
}

TEST_F(ProfileTest, TextsLongerThan255CharactersAreCutAfterTrimming) {
    ProfileDialog* dialog = openFor("Ann");
    ASSERT_NE(dialog, nullptr);
    QString quote;
    for (int i = 0; i < 300; ++i) {
        quote += QChar(u'a' + i % 26);
    }
    dialog->quoteEdit->setText(QStringLiteral("   ") + quote + QStringLiteral("   "));
    dialog->clanWebsiteEdit->setText(QStringLiteral(" http://") + quote);
    dialog->saveButton->click();
    EXPECT_EQ(query("SELECT Personal_Quote FROM Player WHERE Player_Gamertag = 'Ann'"),
              quote.left(255));
    EXPECT_EQ(query("SELECT Website_URL FROM Clan WHERE Clan_Name = 'O''Brien Crew'"),
              (QStringLiteral("http://") + quote).left(255));
}

TEST_F(ProfileTest, APlayerWithoutAClanShowsOnlyTheQuoteAndSaveStillStoresIt) {
    ProfileDialog* dialog = openFor("Bob");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->quoteEdit->text(), QStringLiteral("kept safe"));
    EXPECT_EQ(dialog->clanWebsiteEdit->text(), QString());
    EXPECT_EQ(fill(dialog->primaryColorSwatch), QColor(Qt::white));
    EXPECT_EQ(fill(dialog->secondaryColorSwatch), QColor(Qt::white));
    dialog->quoteEdit->setText(QStringLiteral("new words"));
    dialog->clanWebsiteEdit->setText(QStringLiteral("http://nowhere.example"));
    dialog->saveButton->click();
    EXPECT_EQ(query("SELECT Personal_Quote FROM Player WHERE Player_Gamertag = 'Bob'"),
              QStringLiteral("new words"));
    // The clan caption is "-", which names no clan.
    EXPECT_EQ(query("SELECT Count(*) FROM Clan WHERE Website_URL = 'http://nowhere.example'"),
              QStringLiteral("0"));
}

TEST_F(ProfileTest, AColourWithoutAColorRowLeavesTheSiteEmptyAndTheShapesWhite) {
    ProfileDialog* dialog = openFor("Cat");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->quoteEdit->text(), QString());
    EXPECT_EQ(dialog->clanWebsiteEdit->text(), QString());
    EXPECT_EQ(fill(dialog->primaryColorSwatch), QColor(Qt::white));
}

TEST_F(ProfileTest, HexadecimalColourTexts) {
    EXPECT_EQ(colorFromHexText(QStringLiteral("FF0000")), QColor(255, 0, 0));
    EXPECT_EQ(colorFromHexText(QStringLiteral("c13e3e")), QColor(0xC1, 0x3E, 0x3E));
    EXPECT_EQ(colorFromHexText(QStringLiteral("zz00FF")), QColor(0, 0, 255));
    EXPECT_EQ(colorFromHexText(QString()), QColor(0, 0, 0));
}

TEST_F(ProfileTest, CancelWritesNothing) {
    ProfileDialog* dialog = openFor("Ann");
    ASSERT_NE(dialog, nullptr);
    dialog->quoteEdit->setText(QStringLiteral("never stored"));
    dialog->cancelButton->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(query("SELECT Personal_Quote FROM Player WHERE Player_Gamertag = 'Ann'"),
              QStringLiteral("Go \"team\""));
}

TEST_F(ProfileTest, AFailingSaveIsReportedOnceKeepsTheQuoteAndRefreshesTheWindow) {
    seed(
        "CREATE TRIGGER KeepSites BEFORE UPDATE ON Clan "
        "BEGIN SELECT RAISE(ABORT, 'sites are kept'); END;");
    ProfileDialog* dialog = openFor("Ann");
    ASSERT_NE(dialog, nullptr);
    window_->totalGames->setText(QStringLiteral("stale"));
    dialog->quoteEdit->setText(QStringLiteral("stored first"));
    dialog->clanWebsiteEdit->setText(QStringLiteral("http://new.example"));
    dialog->saveButton->click();

    EXPECT_EQ(query("SELECT Personal_Quote FROM Player WHERE Player_Gamertag = 'Ann'"),
              QStringLiteral("stored first"));
    EXPECT_EQ(query("SELECT Website_URL FROM Clan WHERE Clan_Name = 'O''Brien Crew'"),
              QStringLiteral("http://crew.example"));
    ASSERT_EQ(prompter_->calls().size(), 1u);
    const DialogCall& error = prompter_->calls()[0];
    EXPECT_EQ(error.text, QStringLiteral("Error #: 3000\r\nDescription: sites are kept\r\n\r\n"
                                         "Please email your \"debug.log\" file to "
                                         "support@tallywick.org"));
    EXPECT_EQ(error.title, QStringLiteral("Error"));
    EXPECT_EQ(error.icon, MsgIcon::Critical);
    QFile log(filePath(QStringLiteral("debug.log")));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QByteArray record = log.readAll();
    EXPECT_TRUE(record.contains(" v110 [App.Profile]   "));
    EXPECT_TRUE(
        record.contains("SQL: update Clan set Website_URL = 'http://new.example' "
                        "where Clan_Name = 'O''Brien Crew'\r\n"));
    EXPECT_EQ(window_->totalGames->text(), QStringLiteral("0"));
    // The typed texts are still there to try again or cancel.
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->clanWebsiteEdit->text(), QStringLiteral("http://new.example"));
}

TEST_F(ProfileTest, ADatabaseThatCannotBeReadIsReportedAndNoDialogOpens) {
    writeIni("[User]\r\nGamertag=Ann\r\n[Application]\r\n");
    load();
    state_->db->close();
    EXPECT_EQ(showProfile(*state_, *window_), nullptr);
    EXPECT_TRUE(window_->findChildren<ProfileDialog*>().isEmpty());
    ASSERT_EQ(prompter_->calls().size(), 1u);
    EXPECT_EQ(
        prompter_->calls()[0].text,
        QStringLiteral("Error #: 3420\r\nDescription: Object invalid or no longer set.\r\n\r\n"
                       "Please email your \"debug.log\" file to support@tallywick.org"));
    EXPECT_EQ(prompter_->calls()[0].title, QStringLiteral("Error"));
}

// The settings may name a player the list does not hold (removed, or never
// listed): the window then shows the first entry, and the profile is that
// player's, named in the title, and Save writes to that player.
TEST_F(ProfileTest, TheProfileIsOfThePlayerTheWindowShows) {
    seed("UPDATE Player SET Is_Selectable = 'N' WHERE Player_Gamertag = 'Cat';");
    for (const char* setting : {"Cat", "Nobody", ""}) {
        SCOPED_TRACE(setting);
        newSession();
        ProfileDialog* dialog = openFor(setting);
        ASSERT_NE(dialog, nullptr);
        ASSERT_EQ(window_->tagListBox->currentText(), QStringLiteral("Ann"));
        EXPECT_EQ(dialog->gamertag(), QStringLiteral("Ann"));
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Profile - Ann"));
        EXPECT_EQ(dialog->quoteEdit->text(),
                  query("SELECT Personal_Quote FROM Player WHERE Player_Gamertag = 'Ann'"));
        EXPECT_EQ(dialog->clanWebsiteEdit->text(), QStringLiteral("http://crew.example"));
        const QString quote = QStringLiteral("for the shown one, not \"%1\"").arg(setting);
        dialog->quoteEdit->setText(quote);
        dialog->saveButton->click();
        EXPECT_EQ(query("SELECT Personal_Quote FROM Player WHERE Player_Gamertag = 'Ann'"), quote);
        EXPECT_EQ(query("SELECT Count(*) FROM Player WHERE Personal_Quote Like 'for the*'"),
                  QStringLiteral("1"));
    }
}

TEST_F(ProfileTest, ADialogWritesToThePlayerItWasOpenedFor) {
    ProfileDialog* ann = openFor("Ann");
    ASSERT_NE(ann, nullptr);
    profileOpener(*state_, *window_)();
    EXPECT_EQ(window_->findChildren<ProfileDialog*>().size(), 1);

    // Another player is selected while Ann's dialog is open.
    window_->tagListBox->setCurrentIndex(1);
    ASSERT_EQ(state_->currentGamertag, QStringLiteral("Bob"));
    profileOpener(*state_, *window_)();
    EXPECT_EQ(window_->findChildren<ProfileDialog*>().size(), 2);

    ann->quoteEdit->setText(QStringLiteral("for Ann"));
    ann->saveButton->click();
    EXPECT_EQ(query("SELECT Personal_Quote FROM Player WHERE Player_Gamertag = 'Ann'"),
              QStringLiteral("for Ann"));
    EXPECT_EQ(query("SELECT Personal_Quote FROM Player WHERE Player_Gamertag = 'Bob'"),
              QStringLiteral("kept safe"));
}

}  // namespace
}  // namespace tw::testing
