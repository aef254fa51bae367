// The settings file and debug.log on a disk with no room left (a small tmpfs,
// mounted when the tests run as root): the write fails and says so once, the
// old file keeps every byte, no temporary is left, and once room is freed the
// same write succeeds.

#include <gtest/gtest.h>

#include <QFile>

#include "core/DebugLog.h"
#include "core/ExitRule.h"
#include "core/Paths.h"
#include "core/Session.h"
#include "core/SettingsFile.h"
#include "support/QtPrinters.h"
#include "support/RecordingPrompter.h"
#include "support/SmallDisk.h"

namespace tw {
namespace {

const QByteArray kSettings =
    "[User]\r\nGamertag=Ann\r\n[Internet]\r\nURL_Base_Domain=127.0.0.1\r\n"
    "[Application]\r\nTop=1\r\nLeft=2\r\nHeight=3\r\nWidth=4\r\nQuery_Count=1\r\n"
    "[Query_1]\r\nName=Mine\r\nSQL=select * from Game\r\n";

class FullDiskTest : public test_support::SmallDiskTest {
  protected:
    void SetUp() override {
        SmallDiskTest::SetUp();
        if (IsSkipped()) {
            return;
        }
        buildPaths(state_, disk_.path());
        state_.prompter = &prompter_;
        state_.clock = [] { return QDateTime(QDate(2005, 1, 5), QTime(15, 7, 9)); };
        state_.endProgram = [](int) {};
    }
    static void put(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    static QByteArray bytes(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    Session state_;
    RecordingPrompter prompter_;
};

TEST_F(FullDiskTest, ExitOnAFullDiskKeepsTheSettingsAndTellsOnceWithPathAndReason) {
    put(state_.iniPath, kSettings);
    ASSERT_TRUE(disk_.fill());

    EXPECT_TRUE(unloadMainWindow(state_, {900, 15, 8000, 12000}, [] {}));
    ASSERT_EQ(prompter_.messages.size(), 1u);  // one for the four keys
    EXPECT_EQ(prompter_.messages[0].text, "An error occurred while writing to the INI file.\r\n" +
                                              state_.iniPath + ": No space left on device");
    EXPECT_EQ(prompter_.messages[0].icon, MsgIcon::Critical);
    EXPECT_EQ(prompter_.messages[0].title, "Error");
    EXPECT_EQ(bytes(state_.iniPath), kSettings);
    EXPECT_EQ(disk_.entries(), QStringList{"tallywick110.ini"});

    disk_.freeSpace();
    prompter_.messages.clear();
    EXPECT_TRUE(writeIni(state_, "User", "Gamertag", "Bob"));
    EXPECT_TRUE(prompter_.messages.empty());
    QByteArray expected = kSettings;
    expected.replace("Gamertag=Ann", "Gamertag=Bob");
    EXPECT_EQ(bytes(state_.iniPath), expected);
    EXPECT_EQ(disk_.entries(), QStringList{"tallywick110.ini"});
}

TEST_F(FullDiskTest, ALogThatCannotBeWrittenIsNamedWithTheReasonAndKeepsItsRecords) {
    const QString log = debugLogPath(state_);
    const QByteArray earlier = "an earlier record\r\n";
    put(log, earlier);
    ASSERT_TRUE(disk_.fill());
    // Far more than the room left in the log's last block: the record is
    // written in part before the disk refuses, and that part is taken back.
    LogContext context;
    context.page = QByteArray(20000, 'p');
    const AppError error(75, "Tallywick", "Path/File access error");

    writeDebugLog(state_, "CreateTPS", error, context);
    ASSERT_EQ(prompter_.messages.size(), 1u);
    EXPECT_EQ(prompter_.messages[0].text,
              "Error #: 75\r\nDescription: Path/File access error\r\n\r\n"
              "The error could not be written to \"debug.log\" (" +
                  log + "): No space left on device");
    EXPECT_EQ(prompter_.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(prompter_.messages[0].title, "Tallywick");
    EXPECT_EQ(bytes(log), earlier);

    disk_.freeSpace();
    writeDebugLog(state_, "CreateTPS", error, context);
    ASSERT_EQ(prompter_.messages.size(), 2u);
    EXPECT_EQ(prompter_.messages[1].text, debugLogMessage(error));
    EXPECT_EQ(bytes(log), earlier + debugLogRecord(context, "CreateTPS", error, state_.clock()));
}

}  // namespace
}  // namespace tw
