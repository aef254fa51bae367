// The report written into a report folder on a disk with no room left (a
// small tmpfs, mounted when the tests run as root): error 75 is logged and
// shown, the older page keeps its bytes, no temporary is left, and the same
// report is written once room is freed.

#include "ReportTestSupport.h"
#include "core/DebugLog.h"
#include "support/SmallDisk.h"

namespace tw::test {
namespace {

class DriverFullDisk : public ReportTest {
  protected:
    void SetUp() override {
        if (!disk_.mounted()) {
            GTEST_SKIP() << "no small disk: " << disk_.whyNot().toStdString();
        }
        ReportTest::SetUp();
        state_.TpsDir = disk_.path() + QLatin1Char('/');
        AddPlayer(QStringLiteral("Red Fox"));
        AddGames(QStringLiteral("Red Fox"), 1, 3,
                 QStringLiteral("1, 'RED', 10, 5, 2, 4, 40, 10, 2"));
    }
    QString Page() const { return disk_.filePath(QStringLiteral("Red_Fox.html")); }

    test_support::SmallDisk disk_;
};

TEST_F(DriverFullDisk, APageThatFindsNoRoomIsAnErrorAndTheOlderPageStays) {
    WriteTemplate("first ?GAMERTAG?");
    prompter_.AnswerMessage(MsgResult::No);
    CreateReport();
    ASSERT_EQ(Bytes(Page()), "first Red Fox\r\n");
    WriteTemplate("second ?GAMERTAG?");
    ASSERT_TRUE(disk_.fill());

    prompter_.AcknowledgeOkMessages(true);
    CreateReport();
    EXPECT_EQ(prompter_.LastCall().text,
              DebugLogMessage(AppError(75, QString(), QStringLiteral("Path/File access error"))));
    EXPECT_TRUE(LogText().contains(QStringLiteral("#75 - Tallywick - Path/File access error")));
    EXPECT_EQ(Bytes(Page()), "first Red Fox\r\n");
    EXPECT_EQ(disk_.entries(), (QStringList{"Red_Fox.html", "template.html"}));

    disk_.freeSpace();
    prompter_.AnswerMessage(MsgResult::No);
    CreateReport();
    EXPECT_EQ(
        prompter_.LastCall().text,
        QStringLiteral("Your TPS Report has been created.\r\nWould you like to view it now?"));
    EXPECT_EQ(Bytes(Page()), "second Red Fox\r\n");
    EXPECT_EQ(disk_.entries(), (QStringList{"Red_Fox.html", "template.html"}));
}

}  // namespace
}  // namespace tw::test
