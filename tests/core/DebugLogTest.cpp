// debug.log records: exact bytes, appended in order, and the message shown.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/DebugLog.h"
#include "core/Paths.h"
#include "core/Session.h"
#include "support/RecordingPrompter.h"

namespace tw {
namespace {

class DebugLogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        buildPaths(state_, dir_.path());
        state_.prompter = &prompter_;
        state_.clock = [this] { return now_; };
    }
    QByteArray logBytes() const {
        QFile log(dir_.filePath(QStringLiteral("debug.log")));
        return log.open(QIODevice::ReadOnly) ? log.readAll() : QByteArray("<missing>");
    }

    QTemporaryDir dir_;
    Session state_;
    RecordingPrompter prompter_;
    QDateTime now_{QDate(2005, 1, 5), QTime(15, 7, 9)};
};

TEST_F(DebugLogTest, TwoFailuresGiveTwoRecordsWithTheExactLayout) {
    writeDebugLog(state_, "Init", AppError(3343, "DAO.Workspace", "Unrecognized database format"));

    now_ = QDateTime(QDate(2006, 11, 30), QTime(0, 0, 0));
    LogContext download;
    download.gamertag = "Master Chief";
    download.stage = 3;
    download.statement = "select * from Game where Game_ID=5";
    download.page = "HTTP/1.0 200 OK\r\n\r\n<html>\xc3\xa9</html>";
    writeDebugLog(state_, "DataArrive", AppError(13, "Tallywick", "Type mismatch"), download);

    const QByteArray rule = QByteArray(51, '-') + "\r\n";
    const QByteArray expected = rule + " v110 [App.Init]   1/5/2005 3:07:09 PM\r\n" + rule +
                                "#3343 - DAO.Workspace - Unrecognized database format\r\n"
                                "Tag: \r\n"
                                "Stg: 0\r\n"
                                "SQL: \r\n"
                                "Dat: \r\n\r\n\r\n" +
                                rule + " v110 [App.DataArrive]   11/30/2006\r\n" + rule +
                                "#13 - Tallywick - Type mismatch\r\n"
                                "Tag: Master Chief\r\n"
                                "Stg: 3\r\n"
                                "SQL: select * from Game where Game_ID=5\r\n"
                                "Dat: HTTP/1.0 200 OK\r\n\r\n<html>\xc3\xa9</html>\r\n\r\n\r\n";
    EXPECT_EQ(logBytes(), expected);
}

TEST_F(DebugLogTest, TellsTheUserWithTheSupportAddress) {
    writeDebugLog(state_, "RunQuery", AppError(3075, "DAO.Database", "Syntax error"));
    ASSERT_EQ(prompter_.messages.size(), 1u);
    const RecordedMessage& shown = prompter_.messages[0];
    EXPECT_EQ(shown.text,
              "Error #: 3075\r\nDescription: Syntax error\r\n\r\n"
              "Please email your \"debug.log\" file to support@tallywick.org");
    EXPECT_EQ(shown.icon, MsgIcon::Exclamation);
    EXPECT_EQ(shown.buttons, MsgButtons::Ok);
    EXPECT_EQ(shown.title, "Tallywick");
}

TEST_F(DebugLogTest, AnUnwritableLogIsToldWithItsPathAndReasonInsteadOfAskingForIt) {
    const QString log = dir_.filePath(QStringLiteral("debug.log"));
    ASSERT_TRUE(QDir().mkpath(log));
    writeDebugLog(state_, "Main", AppError(3000, "Tallywick", "disk full"));
    ASSERT_EQ(prompter_.messages.size(), 1u);
    EXPECT_EQ(prompter_.messages[0].text,
              "Error #: 3000\r\nDescription: disk full\r\n\r\n"
              "The error could not be written to \"debug.log\" (" +
                  log + "): Is a directory");
    EXPECT_EQ(prompter_.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_TRUE(QFileInfo(log).isDir());

    // The operations' own failure box says the same, with its icon and title.
    reportOperationFailure(state_, "PurgeAll", AppError(3043, "DAO", "Disk or network error."));
    ASSERT_EQ(prompter_.messages.size(), 2u);
    EXPECT_TRUE(prompter_.messages[1].text.endsWith("): Is a directory"));
    EXPECT_EQ(prompter_.messages[1].icon, MsgIcon::Critical);
    EXPECT_EQ(prompter_.messages[1].title, "Error");
}

TEST_F(DebugLogTest, APageLongerThan64KBIsCutWithItsLengthNoted) {
    const AppError error(13, "Tallywick", "Type mismatch");
    QByteArray page(65536, 'a');
    LogContext download;
    download.page = page;  // exactly the limit: whole, no note
    EXPECT_TRUE(debugLogRecord(download, "DataArrive", error, now_)
                    .endsWith("Dat: " + page + "\r\n\r\n\r\n"));

    page += "b" + QByteArray(300000, 'c');
    download.page = page;
    writeDebugLog(state_, "DataArrive", error, download);
    const QByteArray record = logBytes();
    EXPECT_TRUE(record.endsWith("Dat: " + QByteArray(65536, 'a') +
                                "\r\n[page cut: 65536 of 365537 bytes shown]\r\n\r\n\r\n"));
    EXPECT_LT(record.size(), 66000);
}

}  // namespace
}  // namespace tw
