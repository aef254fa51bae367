// The progress display of a download of seven new games.

#include <QLabel>

#include "download/SiteProgram.h"

namespace tw::testing {
namespace {

class DownloadProgressTest : public SiteProgramTest {};

TEST_F(DownloadProgressTest, SevenNewGamesCountUpToAHundredPercent) {
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
    EXPECT_EQ(seen[0].percent, "0%");
    EXPECT_EQ(seen[0].title, "Tallywick   0%");
    // The time left after the count is the feedback test's (it varies).
    EXPECT_TRUE(seen[3].text.startsWith(QStringLiteral("Reading...   4 of 7   about ")))
        << seen[3].text.toStdString();
    EXPECT_EQ(seen[3].percent, "43%");
    EXPECT_EQ(seen[3].title, "Tallywick   43%");
    EXPECT_TRUE(seen[6].text.startsWith(QStringLiteral("Reading...   7 of 7   about ")))
        << seen[6].text.toStdString();
    EXPECT_EQ(seen[6].percent, "86%");
    EXPECT_EQ(window_->progressPercent->text(), "100%");
    EXPECT_EQ(window_->windowTitle(), "Tallywick");
    EXPECT_EQ(window_->stageRow(3).complete.label->text(), "New games found (7)");
    // The clean-up clears and hides the progress display.
    EXPECT_TRUE(window_->progressPercent->isHidden());
    EXPECT_TRUE(window_->progressFull->isHidden());
    EXPECT_EQ(window_->progressText->text(), "");
    EXPECT_EQ(window_->downloadedBytes->text(), "");
}

}  // namespace
}  // namespace tw::testing
