// What the download display tells while new games are read: the count, the
// percentage in the label and the title, the time left beside the count (once
// there is a basis for it), and no byte count left after the run or after
// "No new games found". The stopped state is DownloadStopTest's.

#include <QLabel>
#include <QRegularExpression>

#include "download/SiteProgram.h"
#include "gui/DownloadTexts.h"

namespace tw::testing {
namespace {

TEST(DownloadTextsTest, TimeLeftComesFromThePaceOfTheGamesReadAndOnlyWithABasis) {
    EXPECT_EQ(timeLeftText(0, 7, 0), "") << "no game read: no basis";
    EXPECT_EQ(timeLeftText(2, 7, 3000), "about 00:00:08 left") << "1.5 s a game, 5 to go";
    EXPECT_EQ(timeLeftText(3, 4, 1), "about 00:00:01 left") << "never 0 while games remain";
    EXPECT_EQ(timeLeftText(1, 3, 3600000), "about 02:00:00 left");
    EXPECT_EQ(timeLeftText(7, 7, 5000), "") << "every game read";
    EXPECT_EQ(gameCountText(0, 7, 0), "Reading...   1 of 7");
    EXPECT_EQ(gameCountText(2, 7, 3000), "Reading...   3 of 7   about 00:00:08 left");
}

class DownloadFeedbackTest : public SiteProgramTest {};

TEST_F(DownloadFeedbackTest, SevenNewGamesCountUpToAHundredPercentWithTheTimeLeft) {
    startSite({3, 30, 10, 3});
    const QString tag = site().featuredGamertags()[0];
    prepareProgram({tag}, tag);
    load();
    pressDownload();
    site().grow(tag, 7);

    struct Seen {
        QString text, percent, title;
    };
    QList<Seen> seen;
    // What the window shows before each game: this connection is queued
    // after the window's own, so it sees the display the window just drew.
    QObject::connect(
        &session(), &DownloadSession::gameProgress, window_.get(),
        [&](int done, int count, qint64) {
            if (done < count) {
                seen.append({window_->progressText->text(), window_->progressPercent->text(),
                             window_->windowTitle()});
            }
        });
    pressDownload();
    ASSERT_EQ(seen.size(), 7);
    EXPECT_EQ(seen[0].text, "Reading...   1 of 7");
    const QRegularExpression withTimeLeft(
        QStringLiteral("^Reading\\.\\.\\.   (\\d) of 7   about \\d\\d:\\d\\d:\\d\\d left$"));
    for (int i = 1; i < seen.size(); ++i) {
        const QRegularExpressionMatch match = withTimeLeft.match(seen[i].text);
        ASSERT_TRUE(match.hasMatch()) << seen[i].text.toStdString();
        EXPECT_EQ(match.captured(1).toInt(), i + 1);
    }
    EXPECT_EQ(seen[0].percent, "0%");
    EXPECT_EQ(seen[0].title, "Tallywick   0%");
    EXPECT_EQ(seen[3].percent, "43%");
    EXPECT_EQ(seen[3].title, "Tallywick   43%");
    EXPECT_EQ(seen[6].percent, "86%");
    EXPECT_EQ(window_->progressPercent->text(), "100%");
    EXPECT_EQ(window_->windowTitle(), "Tallywick");
    EXPECT_EQ(window_->stageRow(3).complete.label->text(), "New games found (7)");
    // The clean-up clears and hides the progress display.
    EXPECT_TRUE(window_->progressPercent->isHidden());
    EXPECT_TRUE(window_->progressFull->isHidden());
    EXPECT_EQ(window_->progressText->text(), "");
    EXPECT_EQ(window_->downloadedBytes->text(), "");

    pressDownload();
    EXPECT_FALSE(window_->stageRow(3).info.label->isHidden());
    EXPECT_EQ(window_->stageRow(3).info.label->text(), "No new games found");
    EXPECT_EQ(window_->downloadedBytes->text(), "");

    // The longest count the run showed fits its label whole.
    window_->show();
    window_->progressText->setText(seen[6].text);
    QApplication::processEvents();
    EXPECT_LE(window_->progressText->sizeHint().width(), window_->progressText->width())
        << seen[6].text.toStdString();
}

}  // namespace
}  // namespace tw::testing
