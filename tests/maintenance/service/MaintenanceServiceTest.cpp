// The purges and the import as plain functions on a database with no window:
// what they answer, what they tell, and what the caller must refresh.

#include <gtest/gtest.h>
#include <sqlite3.h>

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
        BuildPaths(state_, dir_.path());
        sqlite::CreateStatisticsDatabase(state_.DbPath,
                                         QStringLiteral(TALLYWICK_SOURCE_DIR "/src/db"));
        state_.Db = Database::Open(state_.DbPath);
        state_.Db->Execute(QStringLiteral(
            "INSERT INTO Player (Player_Gamertag, Last_Game_ID, Is_Selectable) VALUES "
            "('Ann', 0, 'Y')"));
        state_.Db->Execute(QStringLiteral(
            "INSERT INTO Player (Player_Gamertag, Last_Game_ID, Is_Selectable) VALUES "
            "('Xan', 0, 'N')"));
        state_.prompter = &prompter_;
        prompter_.AcknowledgeOkMessages(true);
    }
    void TearDown() override { state_.Db.reset(); }

    QString Players() {
        QStringList names;
        auto rs = state_.Db->OpenRecordset(
            QStringLiteral("SELECT Player_Gamertag FROM Player ORDER BY Player_Gamertag"));
        for (; !rs->IsEOF(); rs->MoveNext()) {
            names << rs->Field(0).joinText();
        }
        rs->Close();
        return names.join(QLatin1Char(','));
    }

    QTemporaryDir dir_;
    Session state_;
    ScriptedPrompter prompter_;
};

TEST_F(MaintenanceServiceTest, APurgeAnsweredNoAsksNoRefresh) {
    prompter_.AnswerMessage(MsgResult::No);
    EXPECT_FALSE(PurgeNonTagListPlayers(state_));
    prompter_.AnswerMessage(MsgResult::No);
    EXPECT_FALSE(PurgeEntireDatabase(state_));
    EXPECT_EQ(Players(), "Ann,Xan");
    EXPECT_EQ(prompter_.Calls().size(), 2u);
}

TEST_F(MaintenanceServiceTest, ThePurgeOfNonTagListPlayersKeepsTheList) {
    prompter_.AnswerMessage(MsgResult::Yes);
    EXPECT_TRUE(PurgeNonTagListPlayers(state_));
    EXPECT_EQ(Players(), "Ann");
    ASSERT_EQ(prompter_.Calls().size(), 2u);
    EXPECT_EQ(prompter_.Calls()[1].text, QString::fromLatin1(kPurgeNonTagListDone));
}

TEST_F(MaintenanceServiceTest, AFailedPurgeStillAsksForARefreshAndLogsItsStatement) {
    state_.Db.reset();
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(state_.DbPath.toUtf8().constData(), &db), SQLITE_OK);
    const int rc = sqlite3_exec(db,
                                "CREATE TRIGGER KeepPlayers BEFORE DELETE ON Player "
                                "BEGIN SELECT RAISE(ABORT, 'players are kept'); END;",
                                nullptr, nullptr, nullptr);
    sqlite3_close(db);
    ASSERT_EQ(rc, SQLITE_OK);
    state_.Db = Database::Open(state_.DbPath);
    state_.CurrentGamertag = QStringLiteral("Ann");
    prompter_.AnswerMessage(MsgResult::Yes);
    EXPECT_TRUE(PurgeEntireDatabase(state_));
    EXPECT_EQ(state_.CurrentGamertag, "Ann");
    QFile log(DebugLogPath(state_));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(log.readAll().contains("SQL: delete * from Player\r\n"));
}

TEST_F(MaintenanceServiceTest, WithoutAnOldFileTheImportTellsSoAndAsksNoRefresh) {
    prompter_.AnswerMessage(MsgResult::Yes);
    EXPECT_FALSE(ImportOldDatabase(state_));
    ASSERT_EQ(prompter_.Calls().size(), 2u);
    EXPECT_EQ(prompter_.Calls()[1].text, QString::fromLatin1(kOldDatabaseNotFound));
}

}  // namespace
}  // namespace tw
