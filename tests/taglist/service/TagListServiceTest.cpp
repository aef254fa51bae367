// The tag-list service and the player summary on the program's own database,
// with no window: what the command line and the window both rely on.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "core/IniFile.h"
#include "core/Paths.h"
#include "core/Session.h"
#include "support/ScriptedPrompter.h"
#include "taglist/PlayerSummary.h"
#include "taglist/Profile.h"
#include "taglist/TagList.h"

namespace tw::testing {
namespace {

constexpr char kWorld[] = R"sql(
INSERT INTO Clan (Clan_Name, Website_URL) VALUES ('Red', 'http://red.example');
INSERT INTO Player (Player_Gamertag, Clan_Name, Last_Game_ID, Last_Download, Is_Selectable,
    Is_Friend, Is_Clan, Is_Jerk, Is_Guest, Personal_Quote) VALUES
    ('Alpha', 'Red', 7, '2005-01-05 15:07:00', 'Y', 'N', 'N', 'N', 'N', 'hi'),
    ('Bravo', NULL, 0, NULL, 'Y', 'N', 'N', 'N', 'N', NULL),
    ('Known Only', NULL, 0, NULL, 'N', 'N', 'N', 'N', 'N', NULL);
INSERT INTO Game (Game_ID, Type) VALUES (7, 'Slayer'), (8, 'CTF');
INSERT INTO Game_Player (Game_ID, Player_Gamertag) VALUES (7, 'Alpha'), (8, 'Alpha');
)sql";

class TagListServiceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!QCoreApplication::instance()) {
            static int argc = 1;
            static char name[] = "test_taglist_service";
            static char* argv[] = {name, nullptr};
            static QCoreApplication app(argc, argv);  // the picture plug-ins
        }
        ASSERT_TRUE(dir_.isValid());
        ASSERT_TRUE(QDir(dir_.path()).mkpath(QStringLiteral("avatar")));
        ASSERT_TRUE(QFile::copy(QStringLiteral(TALLYWICK_SOURCE_DIR "/assets/avatar/unknown.jpg"),
                                dir_.filePath(QStringLiteral("avatar/unknown.jpg"))));
        buildPaths(state_, dir_.path());
        ASSERT_TRUE(
            QFile::copy(QStringLiteral(TALLYWICK_PROGRAM_DIR "/tallywick110.mdb"), state_.dbPath));
        seed(kWorld);
        QFile ini(state_.iniPath);
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[User]\r\nGamertag=Bravo\r\n");
        ini.close();
        state_.prompter = &prompter_;
    }
    void TearDown() override { state_.db.reset(); }

    void seed(const char* sql) {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(state_.dbPath.toUtf8().constData(), &db), SQLITE_OK);
        char* message = nullptr;
        const int rc = sqlite3_exec(db, sql, nullptr, nullptr, &message);
        const std::string error = message ? message : "";
        sqlite3_free(message);
        sqlite3_close(db);
        ASSERT_EQ(rc, SQLITE_OK) << error;
    }
    QString ini(const char* section, const char* key) const {
        return IniFile(state_.iniPath).read(section, key);
    }
    PlayerSummary read() {
        PlayerSummary summary;
        EXPECT_EQ(readPlayerSummary(state_, summary), SummaryOutcome::Read);
        return summary;
    }

    QTemporaryDir dir_;
    Session state_;
    ScriptedPrompter prompter_;
};

TEST_F(TagListServiceTest, SummaryOfTheRememberedPlayer) {
    state_.currentGamertag = QStringLiteral("Alpha");
    const PlayerSummary summary = read();
    EXPECT_EQ(summary.gamertags, QStringList({"Alpha", "Bravo"}));
    EXPECT_EQ(summary.selected, 0);
    EXPECT_EQ(summary.clan, "Red");
    EXPECT_EQ(summary.totalGames, "2");
    EXPECT_EQ(summary.lastDownload, "Jan 5, 2005 3:07 PM");
    EXPECT_EQ(summary.avatarPath, state_.avatarDir + "unknown.jpg");
    EXPECT_FALSE(summary.avatar.isNull());
    EXPECT_TRUE(prompter_.calls().empty());
}

TEST_F(TagListServiceTest, AnUnlistedCurrentPlayerGivesWayToTheFirstEntry) {
    state_.currentGamertag = QStringLiteral("Known Only");
    const PlayerSummary summary = read();
    EXPECT_EQ(summary.selected, 0);
    EXPECT_EQ(state_.currentGamertag, "Alpha");
    EXPECT_EQ(ini("User", "Gamertag"), "Alpha");
}

TEST_F(TagListServiceTest, AMissingDatabaseEndsTheProgramWithOneMessage) {
    QFile::remove(state_.dbPath);
    prompter_.acknowledgeOkMessages(true);
    PlayerSummary summary;
    EXPECT_EQ(readPlayerSummary(state_, summary), SummaryOutcome::DatabaseClosed);
    EXPECT_TRUE(state_.endRequested);
    ASSERT_EQ(prompter_.calls().size(), 1u);
    EXPECT_EQ(prompter_.calls()[0].text, databaseMissingMessage());
}

TEST_F(TagListServiceTest, AddFlagsAKnownPlayerAndRefusesAListedOne) {
    read();
    TagList tagList(state_);
    EXPECT_EQ(tagList.add(QStringLiteral("Known Only")), TagList::AddResult::Added);
    EXPECT_EQ(tagList.gamertags(), QStringList({"Alpha", "Bravo", "Known Only"}));
    EXPECT_EQ(tagList.add(QStringLiteral("O'Neil")), TagList::AddResult::Added);
    EXPECT_EQ(tagList.gamertags().last(), "O'Neil");
    EXPECT_TRUE(prompter_.calls().empty());

    prompter_.acknowledgeOkMessages(true);
    EXPECT_EQ(tagList.add(QStringLiteral("Bravo")), TagList::AddResult::AlreadyListed);
    ASSERT_EQ(prompter_.calls().size(), 1u);
    EXPECT_EQ(prompter_.calls()[0].text, "That gamertag is already in the list.");
    EXPECT_EQ(prompter_.calls()[0].title, "Error");
    EXPECT_EQ(prompter_.calls()[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(tagList.gamertags().size(), 4) << "nothing added";
}

TEST_F(TagListServiceTest, RemoveOnlyClearsTheFlag) {
    read();
    TagList tagList(state_);
    prompter_.answerMessage(MsgResult::No);
    EXPECT_FALSE(tagList.confirmRemove());
    prompter_.answerMessage(MsgResult::Yes);
    EXPECT_TRUE(tagList.confirmRemove());
    EXPECT_EQ(prompter_.calls()[1].text, QString::fromLatin1(kRemoveConfirmMessage));
    EXPECT_TRUE(tagList.remove(QStringLiteral("Alpha")));
    EXPECT_EQ(tagList.gamertags(), QStringList({"Bravo"}));
    PlayerSummary summary;
    readPlayerSummary(state_, summary);
    EXPECT_EQ(summary.gamertags, QStringList({"Bravo"}));
    EXPECT_EQ(summary.totalGames, "0");
}

TEST_F(TagListServiceTest, AFailedStatementIsLoggedWithItsText) {
    read();
    state_.db->close();
    prompter_.acknowledgeOkMessages(true);
    EXPECT_FALSE(TagList(state_).remove(QStringLiteral("O'Neil")));
    QFile log(debugLogPath(state_));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QByteArray record = log.readAll();
    EXPECT_TRUE(record.contains(" [App.TagList]   "));
    EXPECT_TRUE(record.contains("SQL: select * from Player where Player_Gamertag='O''Neil'\r\n"))
        << record.constData();
}

TEST_F(TagListServiceTest, ChoosingRemembersTheGamertagAndAllowsItsProfile) {
    read();
    TagList(state_).choose(QStringLiteral("Alpha"));
    EXPECT_EQ(state_.currentGamertag, "Alpha");
    EXPECT_EQ(ini("User", "Gamertag"), "Alpha");
    EXPECT_TRUE(TagList(state_).profileMayOpen());
    state_.currentGamertag.clear();
    EXPECT_FALSE(TagList(state_).profileMayOpen()) << "no player, no profile";
}

TEST_F(TagListServiceTest, ProfileIsReadAndSaved) {
    read();
    Profile profile;
    ASSERT_TRUE(readProfile(state_, QStringLiteral("Bravo"), profile));
    EXPECT_EQ(profile.website, "");
    EXPECT_FALSE(profile.primaryColor.isValid());
    ASSERT_TRUE(saveProfile(state_, QStringLiteral("Alpha"), QStringLiteral("Red"),
                            QStringLiteral("  it's mine  "), QStringLiteral(" http://x ")));
    Profile saved;
    ASSERT_TRUE(readProfile(state_, QStringLiteral("Alpha"), saved));
    EXPECT_EQ(saved.quote, "it's mine");
}

}  // namespace
}  // namespace tw::testing
