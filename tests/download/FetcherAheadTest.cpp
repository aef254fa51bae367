// A request sent ahead: the site gets it at once, but the program sees the
// attempt only when DownloadPage takes it over, as if it had started there.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <memory>

#include "download/Fetcher.h"
#include "download/SiteProgram.h"
#include "statsite/StatSiteServer.h"

namespace tw::testing {
namespace {

class FetcherAheadTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ensureApplication();
        state_.prompter = &prompter_;
        state_.sleep = [](int) {};
        state_.settings.urlBaseDomain = QStringLiteral("127.0.0.1");
        state_.settings.connectionTimeout = 5000;
        fetcher_ = std::make_unique<Fetcher>(state_, prompter_);
        QObject::connect(fetcher_.get(), &Fetcher::requesting, fetcher_.get(),
                         [this](const QString& path) { requested_ << path; });
        statsite::SiteConfig config;
        config.world.seed = 5;
        config.world.players = 2;
        config.world.games = 10;
        site_ = std::make_unique<statsite::StatSiteServer>(config);
        state_.settings.directPort = site_->start(freeSmallPort());
        player_ = QStringLiteral("/stats/player.aspx?tag=") +
                  site_->site().featuredGamertags()[0].replace(QLatin1Char(' '), QLatin1Char('+'));
    }
    void TearDown() override { fetcher_.reset(); }
    // Lets the event loop run, as the window does between two games.
    static void runEvents(int ms) {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < ms) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
    }
    int siteRequests(const QString& target) {
        return static_cast<int>(site_->site().requestLog().count(target.toUtf8()));
    }
    // The page as a fresh DownloadPage gets it.
    QByteArray fetched(const QString& path) {
        fetcher_->downloadPage(path, 0);
        return fetcher_->page();
    }

    Session state_;
    ScriptedPrompter prompter_;
    std::unique_ptr<Fetcher> fetcher_;
    std::unique_ptr<statsite::StatSiteServer> site_;
    QString player_;
    const QString index_ = QStringLiteral("/");
    QStringList requested_;
};

TEST_F(FetcherAheadTest, TheSiteAnswersAtOnceAndTheTakeOverGivesThatPage) {
    const QByteArray index = fetched(index_);
    const QByteArray player = fetched(player_);
    ASSERT_TRUE(player.startsWith("HTTP/1.0 200"));
    requested_.clear();

    fetcher_->requestAhead(index_);
    runEvents(100);
    EXPECT_EQ(siteRequests(index_), 2);
    // Put aside: the page being stored and the report of requests are as
    // they were, whatever the event loop did meanwhile.
    EXPECT_EQ(fetcher_->page(), player);
    EXPECT_TRUE(requested_.isEmpty());

    fetcher_->downloadPage(index_, 0);
    EXPECT_EQ(fetcher_->page(), index);
    EXPECT_EQ(requested_, QStringList{index_});
    EXPECT_EQ(siteRequests(index_), 2);
    EXPECT_EQ(fetcher_->winsockState(), winsock::kClosed);
    EXPECT_TRUE(fetcher_->requestSent);
    EXPECT_FALSE(fetcher_->connectFailed);
    EXPECT_TRUE(prompter_.calls().empty());
}

TEST_F(FetcherAheadTest, AnotherPathOrAClosedSocketMakesAFreshAttempt) {
    const QByteArray player = fetched(player_);
    requested_.clear();

    fetcher_->requestAhead(index_);
    EXPECT_EQ(fetched(player_), player);
    EXPECT_EQ(requested_, QStringList{player_});

    fetcher_->requestAhead(player_);
    fetcher_->closeSocket();
    EXPECT_EQ(fetched(player_), player);
    EXPECT_EQ(requested_, (QStringList{player_, player_}));
    runEvents(50);
    EXPECT_EQ(siteRequests(player_), 4);
}

TEST_F(FetcherAheadTest, NothingGoesAheadWhileStoppingOrWithoutAProxyAddress) {
    fetcher_->requestStop();
    fetcher_->requestAhead(index_);
    runEvents(100);
    EXPECT_EQ(siteRequests(index_), 0);
    fetcher_->clearStop();

    // The missing proxy is reported by DownloadPage, once, as without a
    // request ahead.
    state_.settings.useProxy = true;
    prompter_.answerMessage(MsgResult::Ok);
    fetcher_->requestAhead(index_);
    EXPECT_TRUE(prompter_.calls().empty());
    fetcher_->downloadPage(index_, 0);
    ASSERT_EQ(prompter_.calls().size(), 1U);
    EXPECT_EQ(prompter_.calls()[0].text, QString::fromLatin1(kNoProxyMessage));
    EXPECT_TRUE(fetcher_->connectFailed);
    EXPECT_TRUE(requested_.isEmpty());
}

TEST_F(FetcherAheadTest, AStopDuringTheTakeOverLeavesLikeAStopDuringAFreshAttempt) {
    fetcher_->requestAhead(index_);
    QObject::connect(fetcher_.get(), &Fetcher::requesting, fetcher_.get(),
                     [this] { fetcher_->requestStop(); });
    fetcher_->downloadPage(index_, 0);
    EXPECT_TRUE(fetcher_->stopRequested());
    EXPECT_EQ(requested_, QStringList{index_});
    EXPECT_FALSE(fetcher_->connectFailed);
    EXPECT_TRUE(prompter_.calls().empty());
}

// A whole download: every request sent ahead is one the program goes on to
// make, in the order it makes them, so the site sees nothing more or else.
class AheadDownloadTest : public SiteProgramTest {};

TEST_F(AheadDownloadTest, TheSiteGetsExactlyTheRequestsTheProgramReportsInTheirOrder) {
    startSite({3, 30, 10, 11});
    const QString tag = site().featuredGamertags()[0];
    prepareProgram({tag}, tag);
    load();
    QList<QByteArray> reported;
    QObject::connect(
        &session().fetcher(), &Fetcher::requesting, window_.get(),
        [&reported](const QString& path) { reported << path.toUtf8(); }, Qt::DirectConnection);
    const qsizetype before = site().requestLog().size();
    pressDownload();
    EXPECT_GT(countRequests("&panel=hits"), 10);
    EXPECT_EQ(site().requestLog().mid(before), reported);
    expectTablesEqualTruth({tag});
}

}  // namespace
}  // namespace tw::testing
