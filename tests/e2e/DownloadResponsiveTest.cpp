// The window while a download runs: its event loop keeps turning through the
// whole run (the stage pauses and the waits for the site happen on the
// download's own thread), and a second Download during the run starts
// nothing.

#include <QElapsedTimer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <algorithm>

#include "download/SiteProgram.h"

namespace tw::testing {
namespace {

class DownloadResponsiveTest : public SiteProgramTest {};

// The most the window's loop may stand still between two turns.
constexpr qint64 kLongestGapMs = 200;

TEST_F(DownloadResponsiveTest, TheWindowKeepsTurningAndASecondDownloadStartsNothing) {
    startSite({2, 12, 10, 31});
    const QString tag = site().featuredGamertags()[0];
    prepareProgram({tag}, tag);
    load();
    // Each stage pause lasts longer than the gap allowed: on the window's
    // thread it would show as a gap.
    state_->sleep = [](int) { QThread::msleep(kLongestGapMs + 100); };
    int runsEnded = 0;
    QObject::connect(
        &session(), &DownloadSession::finished, window_.get(), [&runsEnded] { ++runsEnded; },
        Qt::DirectConnection);

    QElapsedTimer sinceTurn;
    qint64 longestGap = 0;
    int turns = 0;
    QTimer ticker;
    ticker.setInterval(10);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longestGap = std::max(longestGap, sinceTurn.restart());
        ++turns;
    });
    bool runningAtSecondClick = false;
    QTimer secondClick;
    secondClick.setSingleShot(true);
    QObject::connect(&secondClick, &QTimer::timeout, [&] {
        runningAtSecondClick = downloadPanel_->running();
        // The button itself is hidden while a run is active; the guard must
        // hold for whatever reaches the handler.
        downloadPanel_->downloadClicked();
        window_->downloadButton->click();
    });

    forgetRequests();
    QSignalSpy finished(downloadPanel_, &DownloadPanel::runFinished);
    sinceTurn.start();
    ticker.start();
    window_->downloadButton->click();
    ASSERT_TRUE(downloadPanel_->running());
    secondClick.start(150);
    ASSERT_TRUE(finished.wait(120000));
    ticker.stop();
    // Room for a second run to show itself, had one started.
    QTest::qWait(500);

    EXPECT_TRUE(runningAtSecondClick);
    EXPECT_EQ(finished.size(), 1);
    EXPECT_EQ(runsEnded, 1);
    EXPECT_EQ(countRequests("player.aspx"), 1) << "one run asked for the player page once";
    EXPECT_GT(turns, 50) << "the run lasts over four stage pauses";
    EXPECT_LE(longestGap, kLongestGapMs);
    EXPECT_FALSE(downloadPanel_->running());
    expectTablesEqualTruth({tag});
}

}  // namespace
}  // namespace tw::testing
