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
        EnsureApplication();
        state_.prompter = &prompter_;
        state_.sleep = [](int) {};
        state_.settings.URL_Base_Domain = QStringLiteral("127.0.0.1");
        state_.settings.Connection_Timeout = 5000;
        fetcher_ = std::make_unique<Fetcher>(state_, prompter_);
        QObject::connect(fetcher_.get(), &Fetcher::Requesting, fetcher_.get(),
                         [this](const QString& path) { requested_ << path; });
        statsite::SiteConfig config;
        config.world.seed = 5;
        config.world.players = 2;
        config.world.games = 10;
        site_ = std::make_unique<statsite::StatSiteServer>(config);
        state_.settings.Direct_Port = site_->start(FreeSmallPort());
        player_ = QStringLiteral("/stats/player.aspx?tag=") +
                  site_->site().featuredGamertags()[0].replace(QLatin1Char(' '), QLatin1Char('+'));
    }
    void TearDown() override { fetcher_.reset(); }
    // Lets the event loop run, as the window does between two games.
    static void RunEvents(int ms) {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < ms) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
    }
    int SiteRequests(const QString& target) {
        return static_cast<int>(site_->site().requestLog().count(target.toUtf8()));
    }
    // The page as a fresh DownloadPage gets it.
    QByteArray Fetched(const QString& path) {
        fetcher_->DownloadPage(path, 0);
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
    const QByteArray index = Fetched(index_);
    const QByteArray player = Fetched(player_);
    ASSERT_TRUE(player.startsWith("HTTP/1.0 200"));
    requested_.clear();

    fetcher_->RequestAhead(index_);
    RunEvents(100);
    EXPECT_EQ(SiteRequests(index_), 2);
    // Put aside: the page being stored and the report of requests are as
    // they were, whatever the event loop did meanwhile.
    EXPECT_EQ(fetcher_->page(), player);
    EXPECT_TRUE(requested_.isEmpty());

    fetcher_->DownloadPage(index_, 0);
    EXPECT_EQ(fetcher_->page(), index);
    EXPECT_EQ(requested_, QStringList{index_});
    EXPECT_EQ(SiteRequests(index_), 2);
    EXPECT_EQ(fetcher_->WinsockState(), winsock::kClosed);
    EXPECT_TRUE(fetcher_->RequestSent);
    EXPECT_FALSE(fetcher_->ConnectFailed);
    EXPECT_TRUE(prompter_.Calls().empty());
}

TEST_F(FetcherAheadTest, AnotherPathOrAClosedSocketMakesAFreshAttempt) {
    const QByteArray player = Fetched(player_);
    requested_.clear();

    fetcher_->RequestAhead(index_);
    EXPECT_EQ(Fetched(player_), player);
    EXPECT_EQ(requested_, QStringList{player_});

    fetcher_->RequestAhead(player_);
    fetcher_->CloseSocket();
    EXPECT_EQ(Fetched(player_), player);
    EXPECT_EQ(requested_, (QStringList{player_, player_}));
    RunEvents(50);
    EXPECT_EQ(SiteRequests(player_), 4);
}

TEST_F(FetcherAheadTest, NothingGoesAheadWhileStoppingOrWithoutAProxyAddress) {
    fetcher_->requestStop();
    fetcher_->RequestAhead(index_);
    RunEvents(100);
    EXPECT_EQ(SiteRequests(index_), 0);
    fetcher_->clearStop();

    // The missing proxy is reported by DownloadPage, once, as without a
    // request ahead.
    state_.settings.Use_Proxy = true;
    prompter_.AnswerMessage(MsgResult::Ok);
    fetcher_->RequestAhead(index_);
    EXPECT_TRUE(prompter_.Calls().empty());
    fetcher_->DownloadPage(index_, 0);
    ASSERT_EQ(prompter_.Calls().size(), 1U);
    EXPECT_EQ(prompter_.Calls()[0].text, QString::fromLatin1(kNoProxyMessage));
    EXPECT_TRUE(fetcher_->ConnectFailed);
    EXPECT_TRUE(requested_.isEmpty());
}

TEST_F(FetcherAheadTest, AStopDuringTheTakeOverLeavesLikeAStopDuringAFreshAttempt) {
    fetcher_->RequestAhead(index_);
    QObject::connect(fetcher_.get(), &Fetcher::Requesting, fetcher_.get(),
                     [this] { fetcher_->requestStop(); });
    fetcher_->DownloadPage(index_, 0);
    EXPECT_TRUE(fetcher_->stopRequested());
    EXPECT_EQ(requested_, QStringList{index_});
    EXPECT_FALSE(fetcher_->ConnectFailed);
    EXPECT_TRUE(prompter_.Calls().empty());
}

// A whole download: every request sent ahead is one the program goes on to
// make, in the order it makes them, so the site sees nothing more or else.
class AheadDownloadTest : public SiteProgramTest {};

TEST_F(AheadDownloadTest, TheSiteGetsExactlyTheRequestsTheProgramReportsInTheirOrder) {
    StartSite({3, 30, 10, 11});
    const QString tag = site().featuredGamertags()[0];
    PrepareProgram({tag}, tag);
    Load();
    QList<QByteArray> reported;
    QObject::connect(
        &session().fetcher(), &Fetcher::Requesting, window_.get(),
        [&reported](const QString& path) { reported << path.toUtf8(); }, Qt::DirectConnection);
    const qsizetype before = site().requestLog().size();
    PressDownload();
    EXPECT_GT(CountRequests("&panel=hits"), 10);
    EXPECT_EQ(site().requestLog().mid(before), reported);
    ExpectTablesEqualTruth({tag});
}

}  // namespace
}  // namespace tw::testing
