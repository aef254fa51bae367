// The import from an old version's file, with old files made by the tool
// users are given (tools/sql/make-old-version.sh) from databases of ours.

#include <QComboBox>
#include <QLabel>

#include "MaintenanceFolder.h"
#include "maintenance/ImportOld.h"

namespace tw {
namespace {

using maintenance_testing::CreateDatabase;
using maintenance_testing::MaintenanceFolder;
using maintenance_testing::MakeOldVersion;
using maintenance_testing::SeedFile;

// What an old release recorded: a tag-list player Old with a clan, a
// player known from games, two games (one without shot figures), medals and
// experience levels.
constexpr char kOldRows[] = R"sql(
INSERT INTO Clan VALUES ('Old Guard', 'http://guard.example', '', '', '');
INSERT INTO Player (Player_Gamertag, Clan_Name, Primary_Color_Code, Personal_Quote,
    Last_Game_ID, Last_Download, Is_Selectable, Is_Friend, Is_Clan, Is_Jerk, Is_Guest) VALUES
    ('Old', 'Old Guard', 3, 'from the old days', 11, '2004-12-24 18:05:09', 'Y', 'N', 'N', 'N', 'N'),
    ('Foe', NULL, NULL, NULL, 0, NULL, 'N', 'N', 'N', 'N', 'N');
INSERT INTO Game VALUES (10, 'Slayer', '2004-12-20 19:00:00', 'Lockout', 'Rumble Pit', 'N', 480),
    (11, 'Oddball', '2004-12-24 18:00:00', 'Midship', 'Arranged Game', 'Y', NULL);
INSERT INTO Game_Player VALUES (10, 'Old', 1, '', 25, 25, 0, 7, 300, 110, 20),
    (10, 'Foe', 2, '', 12, 12, 0, 20, 250, 60, 4),
    (11, 'Old', 1, 'RED', 95, 3, 1, 2, NULL, NULL, NULL);
INSERT INTO Game_Player_Medal VALUES (10, 'Old', 'Double Kill', 3), (10, 'Foe', 'Sniper Kill', 1);
INSERT INTO Player_Playlist VALUES ('Old', 'Rumble Pit', 17, 42.5);
)sql";

class ImportOldTest : public MaintenanceFolder {
  protected:
    // An old release's file in the program folder, made from a database of
    // ours holding `rows`.
    void InstallOldVersion(const char* version, const char* rows) {
        const QString source = Path(QStringLiteral("work/source%1.mdb").arg(version));
        CreateDatabase(source);
        SeedFile(source, rows);
        MakeOldVersion(source, version, dir_.path());
    }
    QString OldPath(const char* version) const {
        return Path(QStringLiteral("tallywick%1.mdb").arg(version));
    }
    void ExpectDone() const {
        ASSERT_EQ(Messages().size(), 2u) << Messages()[1].text.toStdString();
        EXPECT_EQ(Messages()[1].text, QStringLiteral("Import is complete."));
        EXPECT_EQ(Messages()[1].title, QStringLiteral("Done"));
        EXPECT_EQ(Messages()[1].icon, MsgIcon::Information);
    }
};

TEST_F(ImportOldTest, TheOldFileHoldsOnlyItsReleasesTables) {
    InstallOldVersion("109", "");
    InstallOldVersion("108", "");
    InstallOldVersion("107", "");
    const std::pair<const char*, QStringList> expected[] = {
        {"109", {"Clan", "Game", "Game_Player", "Game_Player_Medal", "Player", "Player_Playlist"}},
        {"108", {"Game", "Game_Player", "Game_Player_Medal", "Player", "Player_Playlist"}},
        {"107", {"Game", "Game_Player", "Game_Player_Medal", "Player"}},
    };
    for (const auto& [version, tables] : expected) {
        auto db = Database::Open(OldPath(version));
        QStringList names = db->TableNames();
        names.sort();
        EXPECT_EQ(names, tables) << version;
    }
}

TEST_F(ImportOldTest, OnlyTheNewestOldFileIsReadClanIncludedAndEveryValueArrives) {
    InstallOldVersion("109", kOldRows);
    InstallOldVersion("107",
                      "INSERT INTO Player (Player_Gamertag, Is_Selectable) "
                      "VALUES ('Only107', 'Y');");
    Start();
    window_->clanName->setText(QStringLiteral("stale"));
    prompter_->AnswerMessage(MsgResult::Yes);
    importOldClicked(*state_, *window_);
    ExpectDone();
    const DialogCall& question = Messages()[0];
    EXPECT_EQ(question.text,
              QStringLiteral("This operation could take a few minutes, and there is no progress "
                             "meter, be patient.\r\n\r\nWould you like to continue?"));
    EXPECT_EQ(question.title, QStringLiteral("Confirm Import"));
    EXPECT_EQ(question.icon, MsgIcon::Question);
    EXPECT_EQ(question.buttons, MsgButtons::YesNo);

    EXPECT_EQ(Rows("SELECT * FROM Clan"), QStringList({"Old Guard|http://guard.example|||"}));
    EXPECT_EQ(
        Rows("SELECT * FROM Player ORDER BY Player_Gamertag"),
        QStringList({"Foe|||||0||N|N|N|N|N",
                     "Old|Old Guard|3||from the old days|11|12/24/2004 6:05:09 PM|Y|N|N|N|N"}));
    EXPECT_EQ(Rows("SELECT * FROM Game ORDER BY Game_ID"),
              QStringList({"10|Slayer|12/20/2004 7:00:00 PM|Lockout|Rumble Pit|N|480",
                           "11|Oddball|12/24/2004 6:00:00 PM|Midship|Arranged Game|Y|"}));
    EXPECT_EQ(Rows("SELECT * FROM Game_Player ORDER BY Game_ID, Finished_Place"),
              QStringList({"10|Old|1||25|25|0|7|300|110|20", "10|Foe|2||12|12|0|20|250|60|4",
                           "11|Old|1|RED|95|3|1|2|||"}));
    EXPECT_EQ(Count("Game_Player_Medal"), 2);
    EXPECT_EQ(Rows("SELECT * FROM Player_Playlist"), QStringList({"Old|Rumble Pit|17|42.5"}));
    // The window was refreshed from the imported rows.
    ASSERT_EQ(window_->tagListBox->count(), 1);
    EXPECT_EQ(window_->tagListBox->itemText(0), QStringLiteral("Old"));
    EXPECT_EQ(window_->totalGames->text(), QStringLiteral("2"));
}

TEST_F(ImportOldTest, AnOlderFileWithoutClanTableIsImportedWhenItIsTheOnlyOne) {
    InstallOldVersion("108",
                      "INSERT INTO Player (Player_Gamertag, Last_Game_ID, Is_Selectable) "
                      "VALUES ('Only108', 0, 'Y');"
                      "INSERT INTO Player_Playlist VALUES ('Only108', 'Team Snipers', 4, 0);");
    Start();
    prompter_->AnswerMessage(MsgResult::Yes);
    importOldClicked(*state_, *window_);
    ExpectDone();
    EXPECT_EQ(Rows("SELECT Player_Gamertag FROM Player"), QStringList({"Only108"}));
    EXPECT_EQ(Rows("SELECT Playlist FROM Player_Playlist"), QStringList({"Team Snipers"}));
}

TEST_F(ImportOldTest, WithoutAnOldFileTheUserIsToldAndNothingChanges) {
    Seed(kOldRows);
    Start();
    const QStringList before = Dump();
    prompter_->AnswerMessage(MsgResult::Yes);
    importOldClicked(*state_, *window_);
    ASSERT_EQ(Messages().size(), 2u);
    EXPECT_EQ(Messages()[1].text,
              QStringLiteral("A database file for versions 1.0.7 thru 1.0.9 was not found.\r\n"
                             "Make sure it exists in the program directory."));
    EXPECT_EQ(Messages()[1].title, QStringLiteral("Error"));
    EXPECT_EQ(Messages()[1].icon, MsgIcon::Critical);
    EXPECT_EQ(Dump(), before);
}

TEST_F(ImportOldTest, AnsweringNoChangesNothing) {
    InstallOldVersion("109", kOldRows);
    Start();
    const QStringList before = Dump();
    prompter_->AnswerMessage(MsgResult::No);
    importOldClicked(*state_, *window_);
    EXPECT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Dump(), before);
}

TEST_F(ImportOldTest, PresentRowsAreKeptAndASecondImportAddsNothing) {
    // Old is known already, with a quote of today and game 10 stored.
    Seed(
        "INSERT INTO Player (Player_Gamertag, Personal_Quote, Last_Game_ID, Is_Selectable) "
        "VALUES ('Old', 'said today', 99, 'Y');"
        "INSERT INTO Game VALUES (10, 'Slayer', '2004-12-20 19:00:00', 'Lockout', "
        "'Rumble Pit', 'N', 480);"
        "INSERT INTO Game_Player (Game_ID, Player_Gamertag, Kills) VALUES (10, 'Old', 99);");
    InstallOldVersion("109", kOldRows);
    Start();
    prompter_->AnswerMessage(MsgResult::Yes);
    importOldClicked(*state_, *window_);
    ExpectDone();
    EXPECT_EQ(Rows("SELECT Personal_Quote, Last_Game_ID FROM Player WHERE Player_Gamertag = 'Old'"),
              QStringList({"said today|99"}));
    // Game 11 arrives; the stored row of game 10 stays as it was.
    EXPECT_EQ(Rows("SELECT Game_ID, Kills FROM Game_Player WHERE Player_Gamertag = 'Old' "
                   "ORDER BY Game_ID"),
              QStringList({"10|99", "11|3"}));
    EXPECT_EQ(Count("Game"), 2);

    const QStringList afterFirst = Dump();
    prompter_->AnswerMessage(MsgResult::Yes);
    importOldClicked(*state_, *window_);
    EXPECT_EQ(Messages().size(), 4u);
    EXPECT_EQ(Messages()[3].text, QStringLiteral("Import is complete."));
    EXPECT_EQ(Dump(), afterFirst);
}

TEST_F(ImportOldTest, AColumnTheCurrentTableLacksEndsTheImportAndKeepsEarlierTables) {
    InstallOldVersion("109", kOldRows);
    SeedFile(OldPath("109"), "ALTER TABLE Player_Playlist ADD COLUMN Rank_Points INTEGER;");
    Start();
    window_->clanName->setText(QStringLiteral("stale"));
    prompter_->AnswerMessage(MsgResult::Yes);
    importOldClicked(*state_, *window_);

    ASSERT_EQ(Messages().size(), 2u);
    const QString description = QStringLiteral(
        "Item not found in this collection: Player_Playlist.Rank_Points (a column of the old "
        "file that this version's Player_Playlist table does not have).");
    EXPECT_EQ(Messages()[1].text, QStringLiteral("Error #: 3265\r\nDescription: ") + description +
                                      QStringLiteral("\r\n\r\nPlease email your \"debug.log\" "
                                                     "file to support@tallywick.org"));
    EXPECT_EQ(Messages()[1].title, QStringLiteral("Tallywick"));
    EXPECT_EQ(Messages()[1].icon, MsgIcon::Exclamation);
    const QByteArray log = DebugLog();
    EXPECT_TRUE(log.contains(" v110 [App.ImportOld]   "));
    EXPECT_TRUE(log.contains("#3265 - DAO.Recordset - " + description.toUtf8() + "\r\n"))
        << log.constData();
    // The SQL line names the table being copied, not an earlier statement.
    EXPECT_TRUE(log.contains("\r\nSQL: Player_Playlist\r\n")) << log.constData();
    EXPECT_FALSE(log.contains("stale statement"));
    // The five tables before Player_Playlist were copied; it was not.
    EXPECT_EQ(Count("Game"), 2);
    EXPECT_EQ(Count("Clan"), 1);
    EXPECT_EQ(Count("Player"), 2);
    EXPECT_EQ(Count("Game_Player"), 3);
    EXPECT_EQ(Count("Game_Player_Medal"), 2);
    EXPECT_EQ(Count("Player_Playlist"), 0);
    // No refresh on the error path.
    EXPECT_EQ(window_->clanName->text(), QStringLiteral("stale"));
    // The old file was closed again: it can be opened exclusively.
    EXPECT_NO_THROW(Database::Open(OldPath("109")));
}

TEST_F(ImportOldTest, AnOldFileThatIsNoDatabaseEndsTheImportWithARecord) {
    QFile notADatabase(OldPath("109"));
    ASSERT_TRUE(notADatabase.open(QIODevice::WriteOnly));
    notADatabase.write("this is a letter, not a database\n");
    notADatabase.close();
    Start();
    const QStringList before = Dump();
    prompter_->AnswerMessage(MsgResult::Yes);
    importOldClicked(*state_, *window_);
    ASSERT_EQ(Messages().size(), 2u);
    EXPECT_TRUE(Messages()[1].text.startsWith(QStringLiteral("Error #: 3343\r\n")))
        << Messages()[1].text.toStdString();
    EXPECT_TRUE(DebugLog().contains("[App.ImportOld]"));
    EXPECT_EQ(Dump(), before);
}

}  // namespace
}  // namespace tw
