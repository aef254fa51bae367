// The page fetcher on real loopback sockets: the exact bytes it sends, when
// it counts an answer complete, what it does with each fault of the site,
// and how a request sent ahead is taken over.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>

#include "download/Fetcher.h"
#include "download/ProgressDisplay.h"
#include "download/SiteProgram.h"
#include "statsite/StatSiteServer.h"

namespace tw::testing {
namespace {

// A server on the test's own thread that records the request and answers
// with scripted pieces (a pause in milliseconds before each), never closing.
class ScriptedServer {
  public:
    struct Piece {
        int pauseMs;
        QByteArray bytes;
    };
    explicit ScriptedServer(QList<Piece> pieces) : pieces_(std::move(pieces)) {
        EXPECT_TRUE(server_.listen(QHostAddress::LocalHost, freeSmallPort()));
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            QTcpSocket* peer = server_.nextPendingConnection();
            QObject::connect(peer, &QTcpSocket::readyRead, [this, peer] {
                received_ += peer->readAll();
                if (received_.endsWith("\r\n\r\n")) {
                    answer(peer);
                }
            });
        });
    }
    quint16 port() const { return server_.serverPort(); }
    const QByteArray& received() const { return received_; }

  private:
    void answer(QTcpSocket* peer) {
        int at = 0;
        for (const Piece& piece : pieces_) {
            at += piece.pauseMs;
            QTimer::singleShot(at, peer, [peer, bytes = piece.bytes] { peer->write(bytes); });
        }
    }
    QTcpServer server_;
    QList<Piece> pieces_;
    QByteArray received_;
};

class FetcherTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ensureApplication();
        state_.prompter = &prompter_;
        state_.sleep = [](int) {};
        Settings& s = state_.settings;
        s.urlBaseDomain = QStringLiteral("127.0.0.1");
        s.connectionTimeout = 5000;
        fetcher_ = std::make_unique<Fetcher>(state_, prompter_);
    }
    void startSite() {
        statsite::SiteConfig config;
        config.world.seed = 3;
        config.world.players = 2;
        config.world.games = 10;
        site_ = std::make_unique<statsite::StatSiteServer>(config);
        state_.settings.directPort = site_->start(freeSmallPort());
        target_ = QStringLiteral("/stats/player.aspx?tag=") +
                  site_->site().featuredGamertags()[0].replace(QLatin1Char(' '), QLatin1Char('+'));
        fetcher_->downloadPage(target_, 0);
        plain_ = fetcher_->page();
        ASSERT_TRUE(plain_.startsWith("HTTP/1.0 200"));
    }
    void TearDown() override { fetcher_.reset(); }
    void faults(const statsite::FaultPlan& plan) { site_->site().setFaults(plan); }
    int requestsFor(const QString& target) {
        return static_cast<int>(site_->site().requestLog().count(target.toUtf8()));
    }

    Session state_;
    ScriptedPrompter prompter_;
    std::unique_ptr<Fetcher> fetcher_;
    std::unique_ptr<statsite::StatSiteServer> site_;
    QString target_;
    QByteArray plain_;
};

const QByteArray kTail = "Connection: Keep-Alive\r\nAccept: */*\r\n\r\n";

TEST_F(FetcherTest, DirectRequestIsFiveLinesAndTheAnswerIsKept) {
    const QByteArray answer = "HTTP/1.0 200 OK\r\nContent-Length: 15\r\n\r\n<html>x</html>\n";
    ScriptedServer server({{0, answer}});
    state_.settings.directPort = server.port();
    double bytesShown = 0;
    QObject::connect(fetcher_.get(), &Fetcher::bytesReceived,
                     [&bytesShown](double total) { bytesShown = total; });
    fetcher_->downloadPage(QStringLiteral("/a?b=1"), 0);
    EXPECT_EQ(server.received(), "GET /a?b=1 HTTP/1.0\r\nHost: 127.0.0.1\r\n" + kTail);
    EXPECT_EQ(fetcher_->page(), answer);
    EXPECT_EQ(fetcher_->winsockState(), winsock::kClosed);
    EXPECT_EQ(fetcher_->contentLength, 15);
    EXPECT_EQ(fetcher_->headerLength, answer.size() - 15);
    EXPECT_EQ(downloadedBytesText(bytesShown), "0,054 bytes");
    EXPECT_TRUE(prompter_.calls().empty());
}

TEST_F(FetcherTest, ProxyRequestsNameTheSite) {
    Settings s;
    s.useProxy = true;
    s.proxyAddress = QStringLiteral("127.0.0.1");
    s.urlBaseDomain = QStringLiteral("stats.example");
    s.directPort = 80;
    EXPECT_EQ(requestText(s, QStringLiteral("/a?b=1")),
              "GET http://stats.example/a?b=1 HTTP/1.0\r\nHost: stats.example\r\n" + kTail);
    // A path that does not begin with "/" names the site itself.
    EXPECT_EQ(requestText(s, QStringLiteral("stats.example/a")),
              "GET http://stats.example/a HTTP/1.0\r\nHost: http://127.0.0.1\r\n" + kTail);

    ScriptedServer proxy({{0, "HTTP/1.0 200 OK\r\n\r\n<html></html>"}});
    state_.settings.useProxy = true;
    state_.settings.proxyAddress = QStringLiteral("127.0.0.1");
    state_.settings.proxyPort = proxy.port();
    state_.settings.urlBaseDomain = QStringLiteral("stats.example");
    state_.settings.directPort = 8642;
    fetcher_->downloadPage(QStringLiteral("/a?b=1"), 0);
    EXPECT_EQ(
        proxy.received(),
        "GET http://stats.example:8642/a?b=1 HTTP/1.0\r\nHost: stats.example:8642\r\n" + kTail);
    EXPECT_EQ(fetcher_->page(), "HTTP/1.0 200 OK\r\n\r\n<html></html>");
}

TEST_F(FetcherTest, AnAnswerWaitsForItsContentLength) {
    const QByteArray head = "HTTP/1.0 200 OK\r\nContent-Length: 5000\r\n\r\n";
    const QByteArray first = QByteArray(2993, 'a') + "</html>";
    const QByteArray rest(2000, 'b');
    ScriptedServer server({{0, head + first}, {300, rest}});
    state_.settings.directPort = server.port();
    fetcher_->downloadPage(QStringLiteral("/long"), 0);
    EXPECT_EQ(fetcher_->page(), head + first + rest);
    EXPECT_EQ(fetcher_->bodyBytes, 5000);
}

TEST_F(FetcherTest, APictureKeepsItsBodyEvenWhenTheHeaderArrivesInTwoPieces) {
    ScriptedServer server(
        {{0, "HTTP/1.0 200 OK\r\nContent-Length: 10\r\n"}, {200, "\r\n  \xFF\xD8pic\xFF\xD9  "}});
    state_.settings.directPort = server.port();
    fetcher_->downloadPage(QStringLiteral("/emblem"), kPictureMode);
    EXPECT_EQ(fetcher_->page(), "\xFF\xD8pic\xFF\xD9");
    EXPECT_TRUE(fetcher_->pictureMode);
}

TEST_F(FetcherTest, RedirectsAndSplitAnswersStillGiveThePage) {
    startSite();
    statsite::FaultPlan redirect;
    redirect.redirectFirst = 3;
    faults(redirect);
    const int before = requestsFor(target_);
    fetcher_->downloadPage(target_, 0);
    EXPECT_EQ(fetcher_->page(), plain_);
    EXPECT_EQ(requestsFor(target_) - before, 4) << "three 302 answers, then the page";

    statsite::FaultPlan split;
    split.splitHeaderBlank = true;
    split.splitPauseMs = 150;
    faults(split);
    fetcher_->downloadPage(target_, 0);
    EXPECT_EQ(fetcher_->page(), plain_);
    const qsizetype header = plain_.indexOf("\r\n\r\n") + 4;
    EXPECT_EQ(fetcher_->headerLength, header);
    EXPECT_EQ(fetcher_->bodyBytes, plain_.size() - header);
}

TEST_F(FetcherTest, WithoutContentLengthAnyCaseOfTheEndTagEndsThePage) {
    startSite();
    statsite::FaultPlan plan;
    plan.noContentLength = true;
    plan.upperCaseHtmlEnd = true;
    plan.splitWrites = 3;
    plan.splitPauseMs = 50;
    faults(plan);
    fetcher_->downloadPage(target_, 0);
    EXPECT_EQ(fetcher_->contentLength, 0);
    EXPECT_TRUE(fetcher_->page().contains("</HTML>"));
    EXPECT_EQ(fetcher_->winsockState(), winsock::kClosed);
    EXPECT_TRUE(prompter_.calls().empty());
}

TEST_F(FetcherTest, AResetInTheMiddleRequestsThePageAgain) {
    startSite();
    statsite::FaultPlan plan;
    plan.resetAfterBytes = 700;
    plan.times = 1;
    faults(plan);
    const int before = requestsFor(target_);
    fetcher_->downloadPage(target_, 0);
    EXPECT_EQ(requestsFor(target_) - before, 2);
    EXPECT_EQ(fetcher_->page(), plain_);
    EXPECT_TRUE(prompter_.calls().empty());
}

TEST_F(FetcherTest, ASlowSiteAsksRetryOrCancelAndCancelIsAFailure) {
    startSite();
    statsite::FaultPlan plan;
    plan.slowMs = 1500;
    faults(plan);
    state_.settings.connectionTimeout = 300;
    prompter_.answerMessage(MsgResult::Retry).answerMessage(MsgResult::Cancel);
    fetcher_->downloadPage(target_, 0);
    ASSERT_EQ(prompter_.calls().size(), 2u);
    for (const DialogCall& call : prompter_.calls()) {
        EXPECT_EQ(call.text,
                  "A connection to \"127.0.0.1\" could not be established.\r\n"
                  "Either your internet connection is having trouble, \r\n"
                  "or the stats pages on \"127.0.0.1\" are unavailable.");
        EXPECT_EQ(call.title, "Error");
        EXPECT_EQ(call.icon, MsgIcon::Critical);
        EXPECT_EQ(call.buttons, MsgButtons::RetryCancel);
    }
    EXPECT_FALSE(fetcher_->stopRequested()) << "giving up is no stop by the user";
    EXPECT_EQ(fetcher_->failure(), FetchFailure::Connection);
    EXPECT_TRUE(fetcher_->failureShown());
    EXPECT_EQ(fetcher_->failureError().description(),
              "the site gave no whole answer within 300 ms (Connection_Timeout)");
    EXPECT_EQ(requestsFor(target_), 3) << "the first fetch, then two attempts";
}

TEST_F(FetcherTest, ABodyThatKeepsComingMustStillEndWithinTheTimeLimit) {
    QList<ScriptedServer::Piece> pieces{{0, "HTTP/1.0 200 OK\r\n\r\n<html>"}};
    for (int i = 0; i < 100; ++i) {
        pieces.append({50, QByteArray(100, 'x')});
    }
    ScriptedServer server(pieces);
    state_.settings.directPort = server.port();
    state_.settings.connectionTimeout = 400;
    prompter_.answerMessage(MsgResult::Cancel);
    QElapsedTimer clock;
    clock.start();
    fetcher_->downloadPage(QStringLiteral("/trickle"), 0);
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_EQ(prompter_.calls().size(), 1u);
    EXPECT_EQ(fetcher_->failure(), FetchFailure::Connection);
}

TEST_F(FetcherTest, ASiteThatClosesEarlyIsAskedAgainAFewTimesThenItFails) {
    startSite();
    statsite::FaultPlan plan;
    plan.closeAfterBytes = 300;
    faults(plan);
    fetcher_->downloadPage(target_, 0);
    EXPECT_TRUE(prompter_.calls().empty());
    EXPECT_EQ(requestsFor(target_), 1 + 1 + kResendLimit) << "the first fetch, then six attempts";
    EXPECT_EQ(fetcher_->failure(), FetchFailure::Connection);
    EXPECT_EQ(fetcher_->failureError().description(),
              "the connection broke off 6 times before the answer was complete");
    EXPECT_FALSE(fetcher_->stopRequested());

    plan.times = 2;
    faults(plan);
    fetcher_->downloadPage(target_, 0);
    EXPECT_EQ(fetcher_->failure(), FetchFailure::None);
    EXPECT_EQ(fetcher_->page(), plain_) << "two early ends, then the whole page";
}

TEST_F(FetcherTest, AnUnreadableHeaderOrAnOversizeAnswerIsAFailureOfThatAnswer) {
    ScriptedServer server({{0, "HTTP/1.0 200 OK\r\nContent-Length: abc\r\n\r\n<html></html>"}});
    state_.settings.directPort = server.port();
    fetcher_->downloadPage(QStringLiteral("/odd"), 0);
    EXPECT_TRUE(prompter_.calls().empty());
    EXPECT_EQ(fetcher_->failure(), FetchFailure::Answer);
    EXPECT_EQ(fetcher_->failureError().number(), 13);
    EXPECT_EQ(fetcher_->failureError().description(), "unreadable answer: Type mismatch");

    ScriptedServer big({{0, "HTTP/1.0 200 OK\r\nContent-Length: 40000000\r\n\r\n<html>"}});
    state_.settings.directPort = big.port();
    fetcher_->downloadPage(QStringLiteral("/big"), 0);
    EXPECT_EQ(fetcher_->failure(), FetchFailure::Answer);
    EXPECT_EQ(fetcher_->failureError().description(), "the answer is larger than 32 MB");
    fetcher_->downloadPage(QStringLiteral("/big"), kPictureMode);
    EXPECT_EQ(fetcher_->failureError().description(), "the answer is larger than 8 MB");
}

TEST_F(FetcherTest, OnlyTheStatusLineRedirects) {
    const QByteArray body = "<html>302 Found is just text</html>";
    const QByteArray page =
        "HTTP/1.0 200 OK\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body;
    ScriptedServer words({{0, page}});
    state_.settings.directPort = words.port();
    fetcher_->downloadPage(QStringLiteral("/words"), 0);
    EXPECT_EQ(fetcher_->failure(), FetchFailure::None);
    EXPECT_EQ(fetcher_->statusCode(), 200);
    EXPECT_EQ(fetcher_->page(), page);

    startSite();
    statsite::FaultPlan always;
    always.redirectFirst = 1000000;
    faults(always);
    const int before = requestsFor(target_);
    fetcher_->downloadPage(target_, 0);
    EXPECT_EQ(requestsFor(target_) - before, 1 + kRedirectLimit);
    EXPECT_EQ(fetcher_->failure(), FetchFailure::Answer);
    EXPECT_EQ(fetcher_->failureError().description(),
              "the site redirected the request more than 5 times");
}

TEST_F(FetcherTest, ControlCharactersAndBytesBeyondAsciiArePercentEncodedOnTheWire) {
    EXPECT_EQ(requestTarget(QStringLiteral("/e?a=1\r\nX-Injected: yes\r\n\r\nGET /s")),
              "/e?a=1%0D%0AX-Injected:%20yes%0D%0A%0D%0AGET%20/s");
    EXPECT_EQ(requestTarget(QStringLiteral("/e?n=Caf\u00e9\x7f")), "/e?n=Caf%E9%7F");
    EXPECT_EQ(requestTarget(QStringLiteral("/stats/player.aspx?tag=Mr+T%2D1")),
              "/stats/player.aspx?tag=Mr+T%2D1");
}

TEST_F(FetcherTest, NoDirectPortIsAFailureWithoutAConnection) {
    state_.settings.directPort = 0;
    fetcher_->downloadPage(QStringLiteral("/a"), 0);
    EXPECT_TRUE(fetcher_->connectFailed);
    EXPECT_TRUE(prompter_.calls().empty());
    EXPECT_EQ(fetcher_->failure(), FetchFailure::Connection);
    EXPECT_EQ(fetcher_->failureError().description(),
              "Direct_Port is not set to a TCP port (1 to 65535)");
}

TEST_F(FetcherTest, NoListeningSiteIsAFailedConnection) {
    startSite();
    site_->stop();
    fetcher_->downloadPage(target_, 0);
    EXPECT_TRUE(fetcher_->connectFailed);
    EXPECT_FALSE(fetcher_->stopRequested());
    EXPECT_TRUE(prompter_.calls().empty());
    EXPECT_TRUE(fetcher_->page().isEmpty());
    EXPECT_EQ(fetcher_->failure(), FetchFailure::Connection);
    EXPECT_EQ(fetcher_->failureError().number(), 10061);
    EXPECT_EQ(fetcher_->failureError().description(),
              QStringLiteral("the connection to 127.0.0.1:%1 was refused")
                  .arg(state_.settings.directPort));
}

// A request sent ahead: the site gets it at once, but the program sees the
// attempt only when DownloadPage takes it over, as if it had started there.
class FetcherAheadTest : public FetcherTest {
  protected:
    void SetUp() override {
        FetcherTest::SetUp();
        startSite();
        QObject::connect(fetcher_.get(), &Fetcher::requesting, fetcher_.get(),
                         [this](const QString& path) { requested_ << path; });
    }
    // Lets the event loop run, as the window does between two games.
    static void runEvents(int ms) {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < ms) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
    }
    // The page as a fresh DownloadPage gets it.
    QByteArray fetched(const QString& path) {
        fetcher_->downloadPage(path, 0);
        return fetcher_->page();
    }

    const QString index_ = QStringLiteral("/");
    QStringList requested_;
};

TEST_F(FetcherAheadTest, TheSiteAnswersAtOnceAndTheTakeOverGivesThatPage) {
    const QByteArray index = fetched(index_);
    const QByteArray player = fetched(target_);
    requested_.clear();

    fetcher_->requestAhead(index_);
    runEvents(100);
    EXPECT_EQ(requestsFor(index_), 2);
    // Put aside: the page being stored and the report of requests are as
    // they were, whatever the event loop did meanwhile.
    EXPECT_EQ(fetcher_->page(), player);
    EXPECT_TRUE(requested_.isEmpty());

    fetcher_->downloadPage(index_, 0);
    EXPECT_EQ(fetcher_->page(), index);
    EXPECT_EQ(requested_, QStringList{index_});
    EXPECT_EQ(requestsFor(index_), 2);
    EXPECT_EQ(fetcher_->winsockState(), winsock::kClosed);
    EXPECT_TRUE(fetcher_->requestSent);
    EXPECT_FALSE(fetcher_->connectFailed);
    EXPECT_TRUE(prompter_.calls().empty());
}

TEST_F(FetcherAheadTest, AnotherPathOrAClosedSocketMakesAFreshAttempt) {
    fetcher_->requestAhead(index_);
    EXPECT_EQ(fetched(target_), plain_);
    EXPECT_EQ(requested_, QStringList{target_});

    fetcher_->requestAhead(target_);
    fetcher_->closeSocket();
    EXPECT_EQ(fetched(target_), plain_);
    EXPECT_EQ(requested_, (QStringList{target_, target_}));
    runEvents(50);
    EXPECT_EQ(requestsFor(target_), 4) << "the set-up's fetch, two fresh attempts and one ahead";
}

TEST_F(FetcherAheadTest, NothingGoesAheadWhileStoppingOrWithoutAProxyAddress) {
    fetcher_->requestStop();
    fetcher_->requestAhead(index_);
    runEvents(100);
    EXPECT_EQ(requestsFor(index_), 0);
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
