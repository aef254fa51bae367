// The player summary panel: tag list, labels, selection and the avatar.

#include <QChartView>
#include <QImage>

#include "ProgramFolder.h"
#include "gui/PlayerSummaryView.h"
#include "taglist/PlayerSummary.h"

namespace tw::testing {
namespace {

class SummaryTest : public ProgramFolderTest {
  protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        installDatabase();
        seed(
            "INSERT INTO Player (Player_Gamertag, Clan_Name, Last_Game_ID, Last_Download,"
            " Is_Selectable, Is_Friend, Is_Clan, Is_Jerk, Is_Guest) VALUES"
            " ('Master Chief', 'Spartans', 77, '2005-01-05 15:07:00', 'Y','N','N','N','N'),"
            " ('Cortana', '', 0, NULL, 'Y','N','N','N','N'),"
            " ('Guilty Spark', 'Monitors', 5, '2005-02-01 09:00:00', 'N','N','N','N','N'),"
            " ('O''Neil', NULL, 12, '2004-12-31 23:59:00', 'Y','N','N','N','N');"
            "INSERT INTO Game_Player (Game_ID, Player_Gamertag, Kills) VALUES"
            " (70, 'Master Chief', 1), (71, 'Master Chief', 2), (77, 'Master Chief', 3),"
            " (12, 'O''Neil', 4), (70, 'Guilty Spark', 5);");
    }
    void putAvatar(const QString& fileName, const QByteArray& bytes) {
        QFile file(filePath("avatar/" + fileName));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    void expectPanel(const char* clan, const char* games, const char* lastUpdate) {
        EXPECT_EQ(window_->clanName->text(), clan);
        EXPECT_EQ(window_->totalGames->text(), games);
        EXPECT_EQ(window_->lastDownload->text(), lastUpdate);
    }
};

TEST_F(SummaryTest, TheRememberedPlayerIsShownWithClanGamesAndLastUpdate) {
    struct Case {
        const char* gamertag;
        int index;
        const char* clan;
        const char* games;
        const char* lastUpdate;
    };
    const Case cases[] = {
        {"Master Chief", 0, "Spartans", "3", "Jan 5, 2005 3:07 PM"},
        {"Cortana", 1, "-", "0", "-"},  // empty values show dashes and no games
        {"O'Neil", 2, "-", "1", "Dec 31, 2004 11:59 PM"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.gamertag);
        writeIni(QByteArray("[User]\r\nGamertag=") + c.gamertag + "\r\n");
        newSession();
        load();
        EXPECT_EQ(tagListEntries(), QStringList({"Master Chief", "Cortana", "O'Neil"}));
        EXPECT_EQ(window_->tagListBox->currentIndex(), c.index);
        EXPECT_EQ(window_->tagListBox->currentText(), c.gamertag);
        expectPanel(c.clan, c.games, c.lastUpdate);
        EXPECT_EQ(shownPicture(), state_->avatarDir + "unknown.jpg");
        EXPECT_EQ(window_->windowTitle(), "Tallywick");
        EXPECT_FALSE(window_->resultChart->isVisible());
        EXPECT_TRUE(prompter_->calls().empty());
        EXPECT_FALSE(QFile::exists(filePath("debug.log")));
    }
}

// Whenever the setting names nobody in the list, the first entry is shown:
// it becomes the current player in memory and in the settings file, with
// its whole summary, so the profile, the download and the report all work on
// the player the window shows.
TEST_F(SummaryTest, ASettingNamingNoListedPlayerMakesTheShownFirstPlayerCurrent) {
    const QByteArray settings[] = {"", "Gamertag=\r\n", "Gamertag=Guilty Spark\r\n",
                                   "Gamertag=Nobody At All\r\n", "Gamertag=master chief\r\n"};
    for (const QByteArray& setting : settings) {
        SCOPED_TRACE(setting.toStdString());
        writeIni("[User]\r\n" + setting);
        newSession();
        load();
        EXPECT_EQ(window_->tagListBox->currentIndex(), 0);
        EXPECT_EQ(state_->currentGamertag, "Master Chief");
        EXPECT_EQ(ini("User", "Gamertag"), "Master Chief");
        expectPanel("Spartans", "3", "Jan 5, 2005 3:07 PM");
        EXPECT_TRUE(window_->downloadButton->isEnabled());
        EXPECT_TRUE(window_->removeButton->isEnabled());
        EXPECT_TRUE(window_->profileButton->isEnabled());
    }
}

TEST_F(SummaryTest, EmptyTagListClearsTheGamertagEverywhereAndDisablesThePlayerButtons) {
    seed("UPDATE Player SET Is_Selectable='N';");
    writeIni("[User]\r\nGamertag=Cortana\r\n");
    load();
    EXPECT_TRUE(tagListEntries().isEmpty());
    EXPECT_EQ(state_->currentGamertag, "");
    EXPECT_EQ(ini("User", "Gamertag"), "");
    expectPanel("-", "0", "-");
    EXPECT_EQ(shownPicture(), state_->avatarDir + "unknown.jpg");
    // Nobody to download, remove or profile; a player can still be added.
    EXPECT_FALSE(window_->downloadButton->isEnabled());
    EXPECT_FALSE(window_->removeButton->isEnabled());
    EXPECT_FALSE(window_->profileButton->isEnabled());
    EXPECT_TRUE(window_->addButton->isEnabled());
}

TEST_F(SummaryTest, AvatarOfAGamertagWithBlanksUsesUnderscores) {
    QImage red(69, 69, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(filePath(QStringLiteral("avatar/Master_Chief.jpg")), "JPG"));
    writeIni("[User]\r\nGamertag=Master Chief\r\n");
    load();
    EXPECT_EQ(shownPicture(), state_->avatarDir + "Master_Chief.jpg");
    const QImage shown = window_->avatarPicture->pixmap().toImage();
    ASSERT_FALSE(shown.isNull());
    const QColor centre = shown.pixelColor(shown.width() / 2, shown.height() / 2);
    EXPECT_GT(centre.red(), 200);
    EXPECT_LT(centre.green(), 60);
}

TEST_F(SummaryTest, CorruptAvatarIsDeletedAndUnknownShown) {
    putAvatar("Master_Chief.jpg", "\xff\xd8 this is no picture");
    writeIni("[User]\r\nGamertag=Master Chief\r\n");
    load();
    EXPECT_FALSE(QFile::exists(filePath("avatar/Master_Chief.jpg")));
    EXPECT_EQ(shownPicture(), state_->avatarDir + "unknown.jpg");
    EXPECT_TRUE(prompter_->calls().empty());
    expectPanel("Spartans", "3", "Jan 5, 2005 3:07 PM");
}

TEST_F(SummaryTest, BrokenUnknownPictureLeavesThePanelEmptyButWorking) {
    QFile::remove(filePath("avatar/unknown.jpg"));
    putAvatar("Cortana.jpg", "broken");
    writeIni("[User]\r\nGamertag=Cortana\r\n");
    load();
    EXPECT_EQ(shownPicture(), "");
    EXPECT_FALSE(QFile::exists(filePath("avatar/Cortana.jpg")));
    EXPECT_TRUE(prompter_->calls().empty());
}

TEST_F(SummaryTest, RefreshReopensTheDatabaseAndEndsTheDownloadState) {
    load();
    state_->db->execute(
        "update Player set Clan_Name='Renamed' where Player_Gamertag='Master Chief'");
    state_->downloadInProgress = true;
    showPlayerSummary(*state_, *window_);
    EXPECT_EQ(window_->clanName->text(), "Renamed");
    EXPECT_FALSE(state_->downloadInProgress);
    EXPECT_EQ(query("select count(*) from Player"), "4");
}

}  // namespace
}  // namespace tw::testing
