// The two purges on a real database and main window: the questions, the
// statements' effect, the reports, the settings key and the refresh, and a
// statement that fails half way.

#include <QComboBox>
#include <QLabel>

#include "MaintenanceFolder.h"
#include "maintenance/Purge.h"

namespace tw {
namespace {

using maintenance_testing::MaintenanceFolder;

// Two tag-list players (Ann in clan Alpha, Bob without a clan), two players
// known only from games (Xan in Xray, Yul in Alpha), an unused clan Zulu, and
// rows of every kind for all of them, staging tables included.
constexpr char kWorld[] = R"sql(
INSERT INTO Clan VALUES ('Alpha', 'http://alpha.example', '', '', ''),
    ('Xray', '', '', '', ''), ('Zulu', '', '', '', '');
INSERT INTO Player (Player_Gamertag, Clan_Name, Last_Game_ID, Last_Download, Is_Selectable,
    Is_Friend, Is_Clan, Is_Jerk, Is_Guest) VALUES
    ('Ann', 'Alpha', 2, '2005-01-16 21:30:00', 'Y', 'N', 'N', 'N', 'N'),
    ('Bob', NULL, 2, NULL, 'Y', 'N', 'N', 'N', 'N'),
    ('Xan', 'Xray', 0, NULL, 'N', 'N', 'N', 'N', 'N'),
    ('Yul', 'Alpha', 0, NULL, 'N', 'N', 'N', 'N', 'N');
INSERT INTO Game VALUES (1, 'Slayer', '2005-01-15 20:03:00', 'Lockout', 'Team Slayer', 'N', 600),
    (2, 'CTF', '2005-01-16 21:00:00', 'Midship', 'Arranged Game', 'N', NULL);
INSERT INTO Game_Player VALUES (1, 'Ann', 1, 'RED', 50, 10, 2, 3, 100, 40, 5),
    (1, 'Xan', 2, 'BLUE', 30, 5, 1, 8, NULL, NULL, NULL),
    (1, 'Yul', 3, 'BLUE', 10, 2, 0, 9, 20, 4, 0),
    (2, 'Bob', 1, '', 5, 1, 0, 0, 10, 3, 1),
    (2, 'Xan', 2, '', 3, 0, 0, 1, 8, 1, 0);
INSERT INTO Game_Player_Medal VALUES (1, 'Ann', 'Double Kill', 2), (1, 'Xan', 'Double Kill', 1),
    (1, 'Yul', 'Sniper Kill', 1), (2, 'Bob', 'Killing Spree', 1);
INSERT INTO Player_Playlist VALUES ('Ann', 'Team Slayer', 12, 50.5), ('Xan', 'Team Slayer', 5, 10),
    ('Yul', 'Rumble Pit', 3, 0), ('Bob', 'Rumble Pit', 7, 20);
INSERT INTO zLoad_Panel_1 VALUES (3, 'Ann', 1, 'RED', 5);
INSERT INTO zLoad_Panel_2 VALUES (3, 'Ann', 1, 2, 3);
INSERT INTO zLoad_Panel_4 VALUES (3, 'Ann', 'Double Kill', 1);
INSERT INTO zLoad_Panel_5 VALUES (3, 'Ann', 1, 2, 3);
)sql";

constexpr char kFailureText[] =
    "Error #: 3000\r\nDescription: players are kept\r\n\r\n"
    "Please email your \"debug.log\" file to support@tallywick.org";

class PurgeTest : public MaintenanceFolder {
  protected:
    void SetUp() override {
        MaintenanceFolder::SetUp();
        seed(kWorld);
        writeIni("[User]\r\nGamertag=Ann\r\n[Application]\r\nQuery_Count=0\r\n");
    }
    void expectQuestion(const DialogCall& call, const char* text) const {
        EXPECT_EQ(call.text, QString::fromLatin1(text));
        EXPECT_EQ(call.title, QStringLiteral("Confirm Purge"));
        EXPECT_EQ(call.icon, MsgIcon::Question);
        EXPECT_EQ(call.buttons, MsgButtons::YesNo);
    }
    QStringList tagList() const {
        QStringList entries;
        for (int i = 0; i < window_->tagListBox->count(); ++i) {
            entries << window_->tagListBox->itemText(i);
        }
        return entries;
    }
};

TEST_F(PurgeTest, AnsweringNoToEitherPurgeChangesNothing) {
    start();
    const QStringList before = dump();
    answerAndRun(MsgResult::No, purgeNonTagListClicked);
    answerAndRun(MsgResult::No, purgeEntireDatabaseClicked);
    ASSERT_EQ(messages().size(), 2u);
    expectQuestion(messages()[0], kPurgeNonTagListQuestion);
    expectQuestion(messages()[1], kPurgeEntireQuestion);
    EXPECT_EQ(dump(), before);
    EXPECT_EQ(ini("User", "Gamertag"), QStringLiteral("Ann"));
    EXPECT_EQ(state_->currentGamertag, QStringLiteral("Ann"));
}

TEST_F(PurgeTest, NonTagListPurgeKeepsOnlyTagListPlayersAndTheClansTheyName) {
    start();
    window_->clanName->setText(QStringLiteral("stale"));
    answerAndRun(MsgResult::Yes, purgeNonTagListClicked);

    EXPECT_EQ(
        queryRows("SELECT Player_Gamertag, Is_Selectable FROM Player ORDER BY Player_Gamertag"),
        QStringList({"Ann|Y", "Bob|Y"}));
    EXPECT_EQ(queryRows("SELECT Clan_Name, Website_URL FROM Clan"),
              QStringList({"Alpha|http://alpha.example"}));
    EXPECT_EQ(queryRows("SELECT Game_ID, Player_Gamertag FROM Game_Player ORDER BY Game_ID"),
              QStringList({"1|Ann", "2|Bob"}));
    EXPECT_EQ(
        queryRows("SELECT Player_Gamertag, Medal_Name FROM Game_Player_Medal ORDER BY Game_ID"),
        QStringList({"Ann|Double Kill", "Bob|Killing Spree"}));
    EXPECT_EQ(queryRows("SELECT Player_Gamertag FROM Player_Playlist ORDER BY Player_Gamertag"),
              QStringList({"Ann", "Bob"}));
    // Games and staging rows are left to the next download's merge.
    EXPECT_EQ(count("Game"), 2);
    EXPECT_EQ(count("zLoad_Panel_1"), 1);

    ASSERT_EQ(messages().size(), 2u);
    EXPECT_EQ(messages()[1].text, QString::fromLatin1(kPurgeNonTagListDone));
    EXPECT_EQ(messages()[1].title, QStringLiteral("Done"));
    EXPECT_EQ(messages()[1].icon, MsgIcon::Information);
    // The refresh has run after the report.
    EXPECT_EQ(window_->clanName->text(), QStringLiteral("Alpha"));
    EXPECT_EQ(tagList(), QStringList({"Ann", "Bob"}));
}

TEST_F(PurgeTest, EntirePurgeEmptiesEveryWrittenTableButKeepsTheReferenceTables) {
    start();
    const int medals = count("Medal");
    const int colors = count("Color");
    ASSERT_GT(medals, 0);
    ASSERT_GT(colors, 0);
    answerAndRun(MsgResult::Yes, purgeEntireDatabaseClicked);

    for (const char* table :
         {"Player_Playlist", "Game_Player_Medal", "Game_Player", "Game", "Player", "Clan",
          "zLoad_Panel_1", "zLoad_Panel_2", "zLoad_Panel_4", "zLoad_Panel_5"}) {
        EXPECT_EQ(count(QString::fromLatin1(table)), 0) << table;
    }
    EXPECT_EQ(count("Medal"), medals);
    EXPECT_EQ(count("Color"), colors);

    ASSERT_EQ(messages().size(), 2u);
    EXPECT_EQ(messages()[1].text, QStringLiteral("Database has been purged."));
    EXPECT_EQ(messages()[1].title, QStringLiteral("Done"));
    EXPECT_EQ(messages()[1].icon, MsgIcon::Information);
    EXPECT_TRUE(tagList().isEmpty());
    EXPECT_EQ(window_->totalGames->text(), QStringLiteral("0"));
    EXPECT_EQ(window_->lastDownload->text(), QStringLiteral("-"));
    EXPECT_EQ(window_->clanName->text(), QStringLiteral("-"));
    EXPECT_EQ(ini("User", "Gamertag"), QString());
    EXPECT_EQ(state_->currentGamertag, QString());
}

TEST_F(PurgeTest, AFailingStatementIsReportedOnceAndWhatRanBeforeItStaysDone) {
    seed(
        "CREATE TRIGGER KeepPlayers BEFORE DELETE ON Player "
        "BEGIN SELECT RAISE(ABORT, 'players are kept'); END;");
    start();
    window_->clanName->setText(QStringLiteral("stale"));
    answerAndRun(MsgResult::Yes, purgeNonTagListClicked);

    // Statements 1 to 3 ran; the fourth failed and the fifth never ran.
    EXPECT_EQ(queryRows("SELECT Player_Gamertag FROM Game_Player ORDER BY Game_ID"),
              QStringList({"Ann", "Bob"}));
    EXPECT_EQ(count("Player"), 4);
    EXPECT_EQ(count("Clan"), 3);

    ASSERT_EQ(messages().size(), 2u);
    EXPECT_EQ(messages()[1].text, QString::fromLatin1(kFailureText));
    EXPECT_EQ(messages()[1].title, QStringLiteral("Error"));
    EXPECT_EQ(messages()[1].icon, MsgIcon::Critical);
    const QByteArray log = debugLog();
    EXPECT_TRUE(log.contains(" v110 [App.Purge]   ")) << log.constData();
    EXPECT_TRUE(log.contains("players are kept\r\n"));
    EXPECT_TRUE(log.contains("SQL: DELETE Player.* FROM Player WHERE Player.Is_Selectable = 'N';"));
    EXPECT_EQ(window_->clanName->text(), QStringLiteral("Alpha"));
}

TEST_F(PurgeTest, AFailingEntirePurgeKeepsTheGamertagAndRefreshes) {
    seed(
        "CREATE TRIGGER KeepPlayers BEFORE DELETE ON Player "
        "BEGIN SELECT RAISE(ABORT, 'players are kept'); END;");
    start();
    answerAndRun(MsgResult::Yes, purgeEntireDatabaseClicked);

    EXPECT_EQ(count("Game"), 0);
    EXPECT_EQ(count("Player"), 4);
    ASSERT_EQ(messages().size(), 2u);
    EXPECT_EQ(messages()[1].text, QString::fromLatin1(kFailureText));
    EXPECT_EQ(messages()[1].title, QStringLiteral("Error"));
    EXPECT_EQ(ini("User", "Gamertag"), QStringLiteral("Ann"));
    EXPECT_EQ(tagList(), QStringList({"Ann", "Bob"}));
    // The games are gone, and the refreshed summary says so.
    EXPECT_EQ(window_->totalGames->text(), QStringLiteral("0"));
}

}  // namespace
}  // namespace tw
