// What the download display tells besides the stage rows: the time left
// beside the game count (once there is a basis for it), the stopped state
// after Stop, and no byte count left after "No new games found".

#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>

#include "download/Fetcher.h"
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
    EXPECT_EQ(QString::fromLatin1(kDownloadStoppedText), "Stopped; the games read are kept");
}

class DownloadFeedbackTest : public SiteProgramTest {};

TEST_F(DownloadFeedbackTest, TheGameCountGainsTheTimeLeftAfterTheFirstGame) {
    startSite({3, 30, 10, 3});
    const QString tag = site().featuredGamertags()[0];
    prepareProgram({tag}, tag);
    load();
    pressDownload();
    site().grow(tag, 7);
    QStringList seen;
    // Queued after the window's own connection: it sees what the window drew.
    QObject::connect(&session(), &DownloadSession::gameProgress, window_.get(),
                     [&](int done, int count, qint64) {
                         if (done < count) {
                             seen << window_->progressText->text();
                         }
                     });
    pressDownload();
    ASSERT_EQ(seen.size(), 7);
    EXPECT_EQ(seen[0], "Reading...   1 of 7");
    const QRegularExpression withTimeLeft(
        QStringLiteral("^Reading\\.\\.\\.   (\\d) of 7   about \\d\\d:\\d\\d:\\d\\d left$"));
    for (int i = 1; i < seen.size(); ++i) {
        const QRegularExpressionMatch match = withTimeLeft.match(seen[i]);
        ASSERT_TRUE(match.hasMatch()) << seen[i].toStdString();
        EXPECT_EQ(match.captured(1).toInt(), i + 1);
    }
    EXPECT_EQ(window_->progressText->text(), "") << "the clean-up clears it";
    // The longest count the run showed fits its label whole.
    window_->show();
    window_->progressText->setText(seen.last());
    QApplication::processEvents();
    EXPECT_LE(window_->progressText->sizeHint().width(), window_->progressText->width())
        << seen.last().toStdString();
}

TEST_F(DownloadFeedbackTest, StopLeavesTheStoppedStateAndTheNextRunClearsIt) {
    startSite({3, 40, 10, 21});
    const QString tag = site().featuredGamertags()[0];
    prepareProgram({tag}, tag);
    load();
    int stats = 0;
    // Stop is pressed, as the user does, on the window's thread while the
    // third game's panel is on its way; the download waits for the press.
    QObject::connect(
        &session().fetcher(), &Fetcher::requesting, window_.get(),
        [&](const QString& path) {
            if (path.contains(QLatin1String("&panel=hits")) && ++stats == 3) {
                window_->stopButton->click();
            }
        },
        Qt::BlockingQueuedConnection);
    pressDownload();
    EXPECT_EQ(window_->progressText->text(), "Stopped; the games read are kept");
    EXPECT_EQ(window_->windowTitle(), "Tallywick");
    EXPECT_TRUE(window_->stopButton->isHidden());
    EXPECT_FALSE(window_->downloadButton->isHidden());
    EXPECT_EQ(value(QStringLiteral("select count(*) from (select distinct Game_ID from "
                                   "Game_Player)")),
              "2");

    stats = 100;  // no more stops
    pressDownload();
    EXPECT_EQ(window_->progressText->text(), "");
    expectTablesEqualTruth({tag});
}

TEST_F(DownloadFeedbackTest, NoNewGamesLeavesNoByteCount) {
    startSite({3, 12, 10, 5});
    const QString tag = site().featuredGamertags()[0];
    prepareProgram({tag}, tag);
    load();
    pressDownload();
    EXPECT_EQ(window_->downloadedBytes->text(), "");
    pressDownload();
    EXPECT_FALSE(window_->stageRow(3).info.label->isHidden());
    EXPECT_EQ(window_->stageRow(3).info.label->text(), "No new games found");
    EXPECT_EQ(window_->downloadedBytes->text(), "");
}

}  // namespace
}  // namespace tw::testing
