// Adding, removing and selecting tags through the window.

#include <QAction>

#include "ProgramFolder.h"
#include "gui/PlayerSummaryView.h"
#include "taglist/PlayerSummary.h"

namespace tw::testing {
namespace {

class TagListTest : public ProgramFolderTest {
  protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        installDatabase();
        seed(
            "INSERT INTO Player (Player_Gamertag, Clan_Name, Last_Game_ID, Is_Selectable,"
            " Is_Friend, Is_Clan, Is_Jerk, Is_Guest) VALUES"
            " ('Alpha', 'Red', 3, 'Y','N','N','N','N'),"
            " ('Bravo', NULL, 0, 'Y','N','N','N','N'),"
            " ('Known Only', 'Blue', 9, 'N','Y','N','N','N');"
            "INSERT INTO Game_Player (Game_ID, Player_Gamertag) VALUES"
            " (8, 'Known Only'), (9, 'Known Only'), (3, 'Alpha');");
        writeIni("[User]\r\nGamertag=Alpha\r\n");
        load();
    }
    QString flag(const QString& gamertag) {
        return query("select Is_Selectable from Player where Player_Gamertag='" +
                     QString(gamertag).replace("'", "''") + "'");
    }
};

TEST_F(TagListTest, AddingCreatesTheFlaggedPlayerAndSelectsIt) {
    prompter_->answerInput("New Guy");
    addClicked(*state_, *window_);
    ASSERT_EQ(prompter_->calls().size(), 1u);
    const DialogCall& asked = prompter_->calls()[0];
    EXPECT_EQ(asked.kind, DialogKind::InputBox);
    EXPECT_EQ(asked.text, "Please enter a gamertag.");
    EXPECT_EQ(asked.title, "Add Gamertag");
    EXPECT_EQ(asked.defaultText, "");
    EXPECT_EQ(tagListEntries(), QStringList({"Alpha", "Bravo", "New Guy"}));
    EXPECT_EQ(window_->tagListBox->currentText(), "New Guy");
    EXPECT_EQ(state_->currentGamertag, "New Guy");
    EXPECT_EQ(ini("User", "Gamertag"), "New Guy");
    EXPECT_EQ(query("select Is_Selectable & Is_Friend & Is_Clan & Is_Guest & Is_Jerk & "
                    "Last_Game_ID from Player where Player_Gamertag='New Guy'"),
              "YNNNN0");
    EXPECT_EQ(query("select count(*) from Player where Player_Gamertag='New Guy' and "
                    "Clan_Name Is Null and Last_Download Is Null and Personal_Quote Is Null"),
              "1");
    EXPECT_EQ(window_->clanName->text(), "-");
}

TEST_F(TagListTest, BlankInputAddsNothing) {
    prompter_->answerInput("   ");
    addClicked(*state_, *window_);
    prompter_->answerInput("");
    addClicked(*state_, *window_);
    EXPECT_EQ(prompter_->calls().size(), 2u);
    EXPECT_EQ(tagListEntries(), QStringList({"Alpha", "Bravo"}));
    EXPECT_EQ(query("select count(*) from Player"), "3");
    EXPECT_EQ(state_->currentGamertag, "Alpha");
}

TEST_F(TagListTest, KnownPlayerIsReflaggedWithItsDataAndGames) {
    addClicked(*state_, *window_, "Known Only");
    EXPECT_TRUE(prompter_->calls().empty());
    EXPECT_EQ(flag("Known Only"), "Y");
    EXPECT_EQ(query("select count(*) from Player where Player_Gamertag='Known Only'"), "1");
    EXPECT_EQ(query("select Is_Friend & Clan_Name from Player where "
                    "Player_Gamertag='Known Only'"),
              "YBlue");
    EXPECT_EQ(window_->tagListBox->currentText(), "Known Only");
    EXPECT_EQ(window_->totalGames->text(), "2");
    EXPECT_EQ(window_->clanName->text(), "Blue");
}

TEST_F(TagListTest, RemovingAsksAndNoChangesNothing) {
    window_->tagListBox->setCurrentIndex(1);  // the user picks Bravo
    ASSERT_EQ(state_->currentGamertag, "Bravo");
    prompter_->answerMessage(MsgResult::No);
    removeClicked(*state_, *window_);
    ASSERT_EQ(prompter_->calls().size(), 1u);
    const DialogCall& asked = prompter_->calls()[0];
    EXPECT_EQ(asked.text,
              "This operation will NOT remove all data for this player.\r\n"
              "It will only remove them from this list.\r\n\r\nWould you like to proceed ?");
    EXPECT_EQ(asked.buttons, MsgButtons::YesNo);
    EXPECT_EQ(asked.icon, MsgIcon::Question);
    EXPECT_EQ(asked.title, "Confirm Remove Tag");
    EXPECT_EQ(flag("Bravo"), "Y");
    EXPECT_EQ(tagListEntries(), QStringList({"Alpha", "Bravo"}));
    EXPECT_EQ(state_->currentGamertag, "Bravo");
}

TEST_F(TagListTest, RemovingWithYesUnflagsAndSelectsTheFirstEntry) {
    window_->tagListBox->setCurrentIndex(1);
    prompter_->answerMessage(MsgResult::Yes);
    removeClicked(*state_, *window_);
    EXPECT_EQ(flag("Bravo"), "N");
    EXPECT_EQ(tagListEntries(), QStringList({"Alpha"}));
    EXPECT_EQ(window_->tagListBox->currentIndex(), 0);
    EXPECT_EQ(state_->currentGamertag, "Alpha");
    EXPECT_EQ(ini("User", "Gamertag"), "Alpha");
    EXPECT_EQ(window_->clanName->text(), "Red");
}

TEST_F(TagListTest, RemovingTheLastEntryShowsNobodyAndDisablesThePlayerButtons) {
    prompter_->answerMessage(MsgResult::Yes).answerMessage(MsgResult::Yes);
    removeClicked(*state_, *window_);  // Alpha
    ASSERT_EQ(state_->currentGamertag, "Bravo");
    removeClicked(*state_, *window_);  // Bravo
    EXPECT_TRUE(tagListEntries().isEmpty());
    EXPECT_EQ(window_->tagListBox->currentIndex(), -1);
    // The removed player is no longer the one downloads and profiles are for.
    EXPECT_EQ(state_->currentGamertag, "");
    EXPECT_EQ(ini("User", "Gamertag"), "");
    EXPECT_EQ(window_->clanName->text(), "-");
    EXPECT_EQ(window_->totalGames->text(), "0");
    EXPECT_EQ(window_->lastDownload->text(), "-");
    EXPECT_EQ(shownPicture(), state_->avatarDir + "unknown.jpg");
    EXPECT_FALSE(window_->downloadButton->isEnabled());
    EXPECT_FALSE(window_->removeButton->isEnabled());
    EXPECT_FALSE(window_->profileButton->isEnabled());
    window_->profileButton->click();
    EXPECT_EQ(profileOpened_, 0);
    EXPECT_EQ(query("select count(*) from Player"), "3");
    EXPECT_EQ(prompter_->calls().size(), 2u);

    // A new entry brings the buttons back.
    prompter_->answerInput("Charlie");
    addClicked(*state_, *window_);
    EXPECT_EQ(state_->currentGamertag, "Charlie");
    EXPECT_TRUE(window_->downloadButton->isEnabled());
    EXPECT_TRUE(window_->removeButton->isEnabled());
    EXPECT_TRUE(window_->profileButton->isEnabled());
}

TEST_F(TagListTest, SelectionRemembersTheGamertagAndRefreshes) {
    window_->tagListBox->setCurrentIndex(1);
    EXPECT_EQ(state_->currentGamertag, "Bravo");
    EXPECT_EQ(ini("User", "Gamertag"), "Bravo");
    EXPECT_EQ(window_->clanName->text(), "-");
    EXPECT_EQ(window_->totalGames->text(), "0");
    window_->tagListBox->setCurrentIndex(0);
    EXPECT_EQ(window_->clanName->text(), "Red");
    EXPECT_EQ(window_->totalGames->text(), "1");

    // Refilling the list (which passes through its first entry) is no
    // selection: the current player and the settings stay.
    window_->tagListBox->setCurrentIndex(1);
    showPlayerSummary(*state_, *window_);
    EXPECT_EQ(window_->tagListBox->currentIndex(), 1);
    EXPECT_EQ(state_->currentGamertag, "Bravo");
    EXPECT_EQ(ini("User", "Gamertag"), "Bravo");
}

TEST_F(TagListTest, GridPopUpInsertAddsTheGridsGamertagWithoutAsking) {
    window_->insertIntoTagListAction->setData(QStringLiteral("From Grid"));
    window_->insertIntoTagListAction->trigger();
    EXPECT_TRUE(prompter_->calls().empty());
    EXPECT_EQ(window_->insertIntoTagListAction->data().toString(), "") << "the add took it";
    EXPECT_EQ(tagListEntries(), QStringList({"Alpha", "Bravo", "From Grid"}));
    EXPECT_EQ(flag("From Grid"), "Y");
}

TEST_F(TagListTest, DatabaseErrorWhileAddingIsLoggedNotFatal) {
    state_->db->close();
    prompter_->answerInput("Charlie");
    prompter_->acknowledgeOkMessages(true);
    addClicked(*state_, *window_);
    ASSERT_EQ(prompter_->calls().size(), 2u);
    EXPECT_TRUE(prompter_->calls()[1].text.startsWith("Error #: 3000\r\nDescription: "));
    QFile log(filePath(QStringLiteral("debug.log")));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(log.readAll().contains(" v110 [App.TagList]   "));
    EXPECT_EQ(tagListEntries(), QStringList({"Alpha", "Bravo"}));
    EXPECT_FALSE(state_->endRequested);
}

TEST_F(TagListTest, ButtonsRunTheHandlers) {
    prompter_->answerInput("");
    window_->addButton->click();
    prompter_->answerMessage(MsgResult::No);
    window_->removeButton->click();
    window_->profileButton->click();
    ASSERT_EQ(prompter_->calls().size(), 2u);
    EXPECT_EQ(prompter_->calls()[0].kind, DialogKind::InputBox);
    EXPECT_EQ(prompter_->calls()[1].title, "Confirm Remove Tag");
    EXPECT_EQ(profileOpened_, 1);
}

}  // namespace
}  // namespace tw::testing
