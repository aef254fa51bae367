// The tag-list service on the program's own database, linked without the
// widget library: what the window tests cannot see (the refusal of a listed
// gamertag, the statement a failure logs). The summary, removal, choice and
// profile are tested through the window in SummaryTest, TagListTest and
// ProfileTest, which call the same service.

#include <gtest/gtest.h>
#include "support/SqliteFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "core/Paths.h"
#include "core/Session.h"
#include "support/ScriptedPrompter.h"
#include "taglist/PlayerSummary.h"
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
        ASSERT_EQ(test_support::runSql(state_.dbPath, kWorld), "");
        QFile ini(state_.iniPath);
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[User]\r\nGamertag=Bravo\r\n");
        ini.close();
        state_.prompter = &prompter_;
    }
    void TearDown() override { state_.db.reset(); }

    PlayerSummary read() {
        PlayerSummary summary;
        EXPECT_EQ(readPlayerSummary(state_, summary), SummaryOutcome::Read);
        return summary;
    }

    QTemporaryDir dir_;
    Session state_;
    ScriptedPrompter prompter_;
};

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

}  // namespace
}  // namespace tw::testing
