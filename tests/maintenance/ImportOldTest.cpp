// The import from an old version's file, with old files made by the tool
// users are given (tools/sql/make-old-version.sh) from databases of ours.

#include <QComboBox>
#include <QLabel>

#include "MaintenanceFolder.h"
#include "maintenance/ImportOld.h"

namespace tw {
namespace {

using maintenance_testing::createDatabase;
using maintenance_testing::MaintenanceFolder;
using maintenance_testing::makeOldVersion;
using maintenance_testing::seedFile;

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
    void installOldVersion(const char* version, const char* rows) {
        const QString source = filePath(QStringLiteral("work/source%1.mdb").arg(version));
        createDatabase(source);
        seedFile(source, rows);
        makeOldVersion(source, version, dir_.path());
    }
    QString oldPath(const char* version) const {
        return filePath(QStringLiteral("tallywick%1.mdb").arg(version));
    }
    void expectDone() const {
        ASSERT_EQ(messages().size(), 2u) << messages()[1].text.toStdString();
        EXPECT_EQ(messages()[1].text, QStringLiteral("Import is complete."));
        EXPECT_EQ(messages()[1].title, QStringLiteral("Done"));
        EXPECT_EQ(messages()[1].icon, MsgIcon::Information);
    }
};

TEST_F(ImportOldTest, TheOldFileHoldsOnlyItsReleasesTables) {
    installOldVersion("109", "");
    installOldVersion("108", "");
    installOldVersion("107", "");
    const std::pair<const char*, QStringList> expected[] = {
        {"109", {"Clan", "Game", "Game_Player", "Game_Player_Medal", "Player", "Player_Playlist"}},
        {"108", {"Game", "Game_Player", "Game_Player_Medal", "Player", "Player_Playlist"}},
        {"107", {"Game", "Game_Player", "Game_Player_Medal", "Player"}},
    };
    for (const auto& [version, tables] : expected) {
        auto db = Database::open(oldPath(version));
        QStringList names = db->tableNames();
        names.sort();
        EXPECT_EQ(names, tables) << version;
    }
}

TEST_F(ImportOldTest, OnlyTheNewestOldFileIsReadClanIncludedAndEveryValueArrives) {
    installOldVersion("109", kOldRows);
    installOldVersion("107",
                      "INSERT INTO Player (Player_Gamertag, Is_Selectable) "
                      "VALUES ('Only107', 'Y');");
    start();
    window_->clanName->setText(QStringLiteral("stale"));
    answerAndRun(MsgResult::Yes, importOldClicked);
    expectDone();
    // A copy: messages() hands back a new list each time.
    const DialogCall question = messages()[0];
    EXPECT_EQ(question.text,
              QStringLiteral("This operation could take a few minutes, and there is no progress "
                             "meter, be patient.\r\n\r\nWould you like to continue?"));
    EXPECT_EQ(question.title, QStringLiteral("Confirm Import"));
    EXPECT_EQ(question.icon, MsgIcon::Question);
    EXPECT_EQ(question.buttons, MsgButtons::YesNo);

    EXPECT_EQ(queryRows("SELECT * FROM Clan"), QStringList({"Old Guard|http://guard.example|||"}));
    EXPECT_EQ(
        queryRows("SELECT * FROM Player ORDER BY Player_Gamertag"),
        QStringList({"Foe|||||0||N|N|N|N|N",
                     "Old|Old Guard|3||from the old days|11|12/24/2004 6:05:09 PM|Y|N|N|N|N"}));
    EXPECT_EQ(queryRows("SELECT * FROM Game ORDER BY Game_ID"),
              QStringList({"10|Slayer|12/20/2004 7:00:00 PM|Lockout|Rumble Pit|N|480",
                           "11|Oddball|12/24/2004 6:00:00 PM|Midship|Arranged Game|Y|"}));
    EXPECT_EQ(queryRows("SELECT * FROM Game_Player ORDER BY Game_ID, Finished_Place"),
              QStringList({"10|Old|1||25|25|0|7|300|110|20", "10|Foe|2||12|12|0|20|250|60|4",
                           "11|Old|1|RED|95|3|1|2|||"}));
    EXPECT_EQ(count("Game_Player_Medal"), 2);
    EXPECT_EQ(queryRows("SELECT * FROM Player_Playlist"), QStringList({"Old|Rumble Pit|17|42.5"}));
    // The window was refreshed from the imported rows.
    ASSERT_EQ(window_->tagListBox->count(), 1);
    EXPECT_EQ(window_->tagListBox->itemText(0), QStringLiteral("Old"));
    EXPECT_EQ(window_->totalGames->text(), QStringLiteral("2"));
}

TEST_F(ImportOldTest, AnOlderFileWithoutClanTableIsImportedWhenItIsTheOnlyOne) {
    installOldVersion("108",
                      "INSERT INTO Player (Player_Gamertag, Last_Game_ID, Is_Selectable) "
                      "VALUES ('Only108', 0, 'Y');"
                      "INSERT INTO Player_Playlist VALUES ('Only108', 'Team Snipers', 4, 0);");
    start();
    answerAndRun(MsgResult::Yes, importOldClicked);
    expectDone();
    EXPECT_EQ(queryRows("SELECT Player_Gamertag FROM Player"), QStringList({"Only108"}));
    EXPECT_EQ(queryRows("SELECT Playlist FROM Player_Playlist"), QStringList({"Team Snipers"}));
}

TEST_F(ImportOldTest, WithoutAnOldFileTheUserIsToldAndNothingChanges) {
    seed(kOldRows);
    start();
    const QStringList before = dump();
    answerAndRun(MsgResult::Yes, importOldClicked);
    ASSERT_EQ(messages().size(), 2u);
    EXPECT_EQ(messages()[1].text,
              QStringLiteral("A database file for versions 1.0.7 thru 1.0.9 was not found.\r\n"
                             "Make sure it exists in the program directory."));
    EXPECT_EQ(messages()[1].title, QStringLiteral("Error"));
    EXPECT_EQ(messages()[1].icon, MsgIcon::Critical);
    EXPECT_EQ(dump(), before);
}

TEST_F(ImportOldTest, AnsweringNoChangesNothing) {
    installOldVersion("109", kOldRows);
    start();
    const QStringList before = dump();
    answerAndRun(MsgResult::No, importOldClicked);
    EXPECT_EQ(messages().size(), 1u);
    EXPECT_EQ(dump(), before);
}

TEST_F(ImportOldTest, PresentRowsAreKeptAndASecondImportAddsNothing) {
    // Old is known already, with a quote of today and game 10 stored.
    seed(
        "INSERT INTO Player (Player_Gamertag, Personal_Quote, Last_Game_ID, Is_Selectable) "
        "VALUES ('Old', 'said today', 99, 'Y');"
        "INSERT INTO Game VALUES (10, 'Slayer', '2004-12-20 19:00:00', 'Lockout', "
        "'Rumble Pit', 'N', 480);"
        "INSERT INTO Game_Player (Game_ID, Player_Gamertag, Kills) VALUES (10, 'Old', 99);");
    installOldVersion("109", kOldRows);
    start();
    answerAndRun(MsgResult::Yes, importOldClicked);
    expectDone();
    EXPECT_EQ(
        queryRows("SELECT Personal_Quote, Last_Game_ID FROM Player WHERE Player_Gamertag = 'Old'"),
        QStringList({"said today|99"}));
    // Game 11 arrives; the stored row of game 10 stays as it was.
    EXPECT_EQ(queryRows("SELECT Game_ID, Kills FROM Game_Player WHERE Player_Gamertag = 'Old' "
                        "ORDER BY Game_ID"),
              QStringList({"10|99", "11|3"}));
    EXPECT_EQ(count("Game"), 2);

    const QStringList afterFirst = dump();
    answerAndRun(MsgResult::Yes, importOldClicked);
    EXPECT_EQ(messages().size(), 4u);
    EXPECT_EQ(messages()[3].text, QStringLiteral("Import is complete."));
    EXPECT_EQ(dump(), afterFirst);
}

TEST_F(ImportOldTest, AColumnTheCurrentTableLacksEndsTheImportAndKeepsEarlierTables) {
    installOldVersion("109", kOldRows);
    seedFile(oldPath("109"), "ALTER TABLE Player_Playlist ADD COLUMN Rank_Points INTEGER;");
    start();
    window_->clanName->setText(QStringLiteral("stale"));
    answerAndRun(MsgResult::Yes, importOldClicked);

    ASSERT_EQ(messages().size(), 2u);
    const QString description = QStringLiteral(
        "Item not found in this collection: Player_Playlist.Rank_Points (a column of the old "
        "file that this version's Player_Playlist table does not have).");
    EXPECT_EQ(messages()[1].text, QStringLiteral("Error #: 3265\r\nDescription: ") + description +
                                      QStringLiteral("\r\n\r\nPlease email your \"debug.log\" "
                                                     "file to support@tallywick.org"));
    EXPECT_EQ(messages()[1].title, QStringLiteral("Tallywick"));
    EXPECT_EQ(messages()[1].icon, MsgIcon::Exclamation);
    const QByteArray log = debugLog();
    EXPECT_TRUE(log.contains(" v110 [App.ImportOld]   "));
    EXPECT_TRUE(log.contains("#3265 - DAO.Recordset - " + description.toUtf8() + "\r\n"))
        << log.constData();
    // The SQL line names the table being copied, not an earlier statement.
    EXPECT_TRUE(log.contains("\r\nSQL: Player_Playlist\r\n")) << log.constData();
    EXPECT_FALSE(log.contains("stale statement"));
    // The five tables before Player_Playlist were copied; it was not.
    EXPECT_EQ(count("Game"), 2);
    EXPECT_EQ(count("Clan"), 1);
    EXPECT_EQ(count("Player"), 2);
    EXPECT_EQ(count("Game_Player"), 3);
    EXPECT_EQ(count("Game_Player_Medal"), 2);
    EXPECT_EQ(count("Player_Playlist"), 0);
    // No refresh on the error path.
    EXPECT_EQ(window_->clanName->text(), QStringLiteral("stale"));
    // The old file was closed again: it can be opened exclusively.
    EXPECT_NO_THROW(Database::open(oldPath("109")));
}

TEST_F(ImportOldTest, AnOldFileThatIsNoDatabaseEndsTheImportWithARecord) {
    QFile notADatabase(oldPath("109"));
    ASSERT_TRUE(notADatabase.open(QIODevice::WriteOnly));
    notADatabase.write("this is a letter, not a database\n");
    notADatabase.close();
    start();
    const QStringList before = dump();
    answerAndRun(MsgResult::Yes, importOldClicked);
    ASSERT_EQ(messages().size(), 2u);
    EXPECT_TRUE(messages()[1].text.startsWith(QStringLiteral("Error #: 3343\r\n")))
        << messages()[1].text.toStdString();
    EXPECT_TRUE(debugLog().contains("[App.ImportOld]"));
    EXPECT_EQ(dump(), before);
}

}  // namespace
}  // namespace tw
