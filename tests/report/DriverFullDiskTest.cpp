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
        state_.tpsDir = disk_.path() + QLatin1Char('/');
        addPlayer(QStringLiteral("Red Fox"));
        addGames(QStringLiteral("Red Fox"), 1, 3,
                 QStringLiteral("1, 'RED', 10, 5, 2, 4, 40, 10, 2"));
    }
    QString page() const { return disk_.filePath(QStringLiteral("Red_Fox.html")); }

    test_support::SmallDisk disk_;
};

TEST_F(DriverFullDisk, APageThatFindsNoRoomIsAnErrorAndTheOlderPageStays) {
    writeTemplate("first ?GAMERTAG?");
    prompter_.answerMessage(MsgResult::No);
    createReport();
    ASSERT_EQ(bytes(page()), "first Red Fox\r\n");
    writeTemplate("second ?GAMERTAG?");
    ASSERT_TRUE(disk_.fill());

    prompter_.acknowledgeOkMessages(true);
    createReport();
    EXPECT_EQ(prompter_.lastCall().text,
              debugLogMessage(AppError(75, QString(), QStringLiteral("Path/File access error"))));
    EXPECT_TRUE(logText().contains(QStringLiteral("#75 - Tallywick - Path/File access error")));
    EXPECT_EQ(bytes(page()), "first Red Fox\r\n");
    EXPECT_EQ(disk_.entries(), (QStringList{"Red_Fox.html", "template.html"}));

    disk_.freeSpace();
    prompter_.answerMessage(MsgResult::No);
    createReport();
    EXPECT_EQ(
        prompter_.lastCall().text,
        QStringLiteral("Your TPS Report has been created.\r\nWould you like to view it now?"));
    EXPECT_EQ(bytes(page()), "second Red Fox\r\n");
    EXPECT_EQ(disk_.entries(), (QStringList{"Red_Fox.html", "template.html"}));
}

}  // namespace
}  // namespace tw::test
