// The purges and the import as plain functions on a database with no window:
// what they answer, what they tell, and what the caller must refresh.

#include <gtest/gtest.h>
#include "support/SqliteFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include "core/Paths.h"
#include "core/Session.h"
#include "db/Database.h"
#include "db/SqliteSchemaBuilder.h"
#include "maintenance/ImportOld.h"
#include "maintenance/Purge.h"
#include "support/ScriptedPrompter.h"

namespace tw {
namespace {

class MaintenanceServiceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        buildPaths(state_, dir_.path());
        sqlite::createStatisticsDatabase(state_.dbPath,
                                         QStringLiteral(TALLYWICK_SOURCE_DIR "/src/db"));
        state_.db = Database::open(state_.dbPath);
        state_.db->execute(QStringLiteral(
            "INSERT INTO Player (Player_Gamertag, Last_Game_ID, Is_Selectable) VALUES "
            "('Ann', 0, 'Y')"));
        state_.db->execute(QStringLiteral(
            "INSERT INTO Player (Player_Gamertag, Last_Game_ID, Is_Selectable) VALUES "
            "('Xan', 0, 'N')"));
        state_.prompter = &prompter_;
        prompter_.acknowledgeOkMessages(true);
    }
    void TearDown() override { state_.db.reset(); }

    QString players() {
        QStringList names;
        auto rs = state_.db->openRecordset(
            QStringLiteral("SELECT Player_Gamertag FROM Player ORDER BY Player_Gamertag"));
        for (; !rs->isEof(); rs->moveNext()) {
            names << rs->field(0).joinText();
        }
        rs->close();
        return names.join(QLatin1Char(','));
    }

    QTemporaryDir dir_;
    Session state_;
    ScriptedPrompter prompter_;
};

TEST_F(MaintenanceServiceTest, APurgeAnsweredNoAsksNoRefresh) {
    prompter_.answerMessage(MsgResult::No);
    EXPECT_FALSE(purgeNonTagListPlayers(state_));
    prompter_.answerMessage(MsgResult::No);
    EXPECT_FALSE(purgeEntireDatabase(state_));
    EXPECT_EQ(players(), "Ann,Xan");
    EXPECT_EQ(prompter_.calls().size(), 2u);
}

TEST_F(MaintenanceServiceTest, AFailedPurgeStillAsksForARefreshAndLogsItsStatement) {
    state_.db.reset();
    ASSERT_EQ(test_support::runSql(state_.dbPath,
                                   "CREATE TRIGGER KeepPlayers BEFORE DELETE ON Player "
                                   "BEGIN SELECT RAISE(ABORT, 'players are kept'); END;"),
              "");
    state_.db = Database::open(state_.dbPath);
    state_.currentGamertag = QStringLiteral("Ann");
    prompter_.answerMessage(MsgResult::Yes);
    EXPECT_TRUE(purgeEntireDatabase(state_));
    EXPECT_EQ(state_.currentGamertag, "Ann");
    QFile log(debugLogPath(state_));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(log.readAll().contains("SQL: delete * from Player\r\n"));
}

TEST_F(MaintenanceServiceTest, WithoutAnOldFileTheImportTellsSoAndAsksNoRefresh) {
    prompter_.answerMessage(MsgResult::Yes);
    EXPECT_FALSE(importOldDatabase(state_));
    ASSERT_EQ(prompter_.calls().size(), 2u);
    EXPECT_EQ(prompter_.calls()[1].text, QString::fromLatin1(kOldDatabaseNotFound));
}

}  // namespace
}  // namespace tw
