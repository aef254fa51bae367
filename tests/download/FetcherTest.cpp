// The page fetcher on real loopback sockets: the exact bytes it sends, when
// it counts an answer complete, and what it does with each fault of the site.

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
        EXPECT_TRUE(server_.listen(QHostAddress::LocalHost, FreeSmallPort()));
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            QTcpSocket* peer = server_.nextPendingConnection();
            QObject::connect(peer, &QTcpSocket::readyRead, [this, peer] {
                received_ += peer->readAll();
                if (received_.endsWith("\r\n\r\n")) {
                    Answer(peer);
                }
            });
        });
    }
    quint16 port() const { return server_.serverPort(); }
    const QByteArray& received() const { return received_; }

  private:
    void Answer(QTcpSocket* peer) {
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
        EnsureApplication();
        state_.prompter = &prompter_;
        state_.sleep = [](int) {};
        Settings& s = state_.settings;
        s.URL_Base_Domain = QStringLiteral("127.0.0.1");
        s.Connection_Timeout = 5000;
        fetcher_ = std::make_unique<Fetcher>(state_, prompter_);
    }
    void StartSite() {
        statsite::SiteConfig config;
        config.world.seed = 3;
        config.world.players = 2;
        config.world.games = 10;
        site_ = std::make_unique<statsite::StatSiteServer>(config);
        state_.settings.Direct_Port = site_->start(FreeSmallPort());
        target_ = QStringLiteral("/stats/player.aspx?tag=") +
                  site_->site().featuredGamertags()[0].replace(QLatin1Char(' '), QLatin1Char('+'));
        fetcher_->DownloadPage(target_, 0);
        plain_ = fetcher_->page();
        ASSERT_TRUE(plain_.startsWith("HTTP/1.0 200"));
    }
    void TearDown() override { fetcher_.reset(); }
    void Faults(const statsite::FaultPlan& plan) { site_->site().setFaults(plan); }
    int RequestsFor(const QString& target) {
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
    state_.settings.Direct_Port = server.port();
    double bytesShown = 0;
    QObject::connect(fetcher_.get(), &Fetcher::bytesReceived,
                     [&bytesShown](double total) { bytesShown = total; });
    fetcher_->DownloadPage(QStringLiteral("/a?b=1"), 0);
    EXPECT_EQ(server.received(), "GET /a?b=1 HTTP/1.0\r\nHost: 127.0.0.1\r\n" + kTail);
    EXPECT_EQ(fetcher_->page(), answer);
    EXPECT_EQ(fetcher_->WinsockState(), winsock::kClosed);
    EXPECT_EQ(fetcher_->ContentLength, 15);
    EXPECT_EQ(fetcher_->HeaderLength, answer.size() - 15);
    EXPECT_EQ(downloadedBytesText(bytesShown), "0,054 bytes");
    EXPECT_TRUE(prompter_.Calls().empty());
}

TEST_F(FetcherTest, ProxyRequestsNameTheSite) {
    Settings s;
    s.Use_Proxy = true;
    s.Proxy_Address = QStringLiteral("127.0.0.1");
    s.URL_Base_Domain = QStringLiteral("stats.example");
    s.Direct_Port = 80;
    EXPECT_EQ(RequestText(s, QStringLiteral("/a?b=1")),
              "GET http://stats.example/a?b=1 HTTP/1.0\r\nHost: stats.example\r\n" + kTail);
    // A path that does not begin with "/" names the site itself.
    EXPECT_EQ(RequestText(s, QStringLiteral("stats.example/a")),
              "GET http://stats.example/a HTTP/1.0\r\nHost: http://127.0.0.1\r\n" + kTail);

    ScriptedServer proxy({{0, "HTTP/1.0 200 OK\r\n\r\n<html></html>"}});
    state_.settings.Use_Proxy = true;
    state_.settings.Proxy_Address = QStringLiteral("127.0.0.1");
    state_.settings.Proxy_Port = proxy.port();
    state_.settings.URL_Base_Domain = QStringLiteral("stats.example");
    state_.settings.Direct_Port = 8642;
    fetcher_->DownloadPage(QStringLiteral("/a?b=1"), 0);
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
    state_.settings.Direct_Port = server.port();
    fetcher_->DownloadPage(QStringLiteral("/long"), 0);
    EXPECT_EQ(fetcher_->page(), head + first + rest);
    EXPECT_EQ(fetcher_->BodyBytes, 5000);
}

TEST_F(FetcherTest, APictureKeepsItsBodyEvenWhenTheHeaderArrivesInTwoPieces) {
    ScriptedServer server(
        {{0, "HTTP/1.0 200 OK\r\nContent-Length: 10\r\n"}, {200, "\r\n  \xFF\xD8pic\xFF\xD9  "}});
    state_.settings.Direct_Port = server.port();
    fetcher_->DownloadPage(QStringLiteral("/emblem"), kPictureMode);
    EXPECT_EQ(fetcher_->page(), "\xFF\xD8pic\xFF\xD9");
    EXPECT_TRUE(fetcher_->PictureMode);
}

TEST_F(FetcherTest, RedirectsAndSplitAnswersStillGiveThePage) {
    StartSite();
    statsite::FaultPlan redirect;
    redirect.redirectFirst = 3;
    Faults(redirect);
    const int before = RequestsFor(target_);
    fetcher_->DownloadPage(target_, 0);
    EXPECT_EQ(fetcher_->page(), plain_);
    EXPECT_EQ(RequestsFor(target_) - before, 4) << "three 302 answers, then the page";

    statsite::FaultPlan split;
    split.splitHeaderBlank = true;
    split.splitPauseMs = 150;
    Faults(split);
    fetcher_->DownloadPage(target_, 0);
    EXPECT_EQ(fetcher_->page(), plain_);
    const qsizetype header = plain_.indexOf("\r\n\r\n") + 4;
    EXPECT_EQ(fetcher_->HeaderLength, header);
    EXPECT_EQ(fetcher_->BodyBytes, plain_.size() - header);
}

TEST_F(FetcherTest, WithoutContentLengthAnyCaseOfTheEndTagEndsThePage) {
    StartSite();
    statsite::FaultPlan plan;
    plan.noContentLength = true;
    plan.upperCaseHtmlEnd = true;
    plan.splitWrites = 3;
    plan.splitPauseMs = 50;
    Faults(plan);
    fetcher_->DownloadPage(target_, 0);
    EXPECT_EQ(fetcher_->ContentLength, 0);
    EXPECT_TRUE(fetcher_->page().contains("</HTML>"));
    EXPECT_EQ(fetcher_->WinsockState(), winsock::kClosed);
    EXPECT_TRUE(prompter_.Calls().empty());
}

TEST_F(FetcherTest, AResetInTheMiddleRequestsThePageAgain) {
    StartSite();
    statsite::FaultPlan plan;
    plan.resetAfterBytes = 700;
    plan.times = 1;
    Faults(plan);
    const int before = RequestsFor(target_);
    fetcher_->DownloadPage(target_, 0);
    EXPECT_EQ(RequestsFor(target_) - before, 2);
    EXPECT_EQ(fetcher_->page(), plain_);
    EXPECT_TRUE(prompter_.Calls().empty());
}

TEST_F(FetcherTest, ASlowSiteAsksRetryOrCancelAndCancelIsAFailure) {
    StartSite();
    statsite::FaultPlan plan;
    plan.slowMs = 1500;
    Faults(plan);
    state_.settings.Connection_Timeout = 300;
    prompter_.AnswerMessage(MsgResult::Retry).AnswerMessage(MsgResult::Cancel);
    fetcher_->DownloadPage(target_, 0);
    ASSERT_EQ(prompter_.Calls().size(), 2u);
    for (const DialogCall& call : prompter_.Calls()) {
        EXPECT_EQ(call.text,
                  "A connection to \"127.0.0.1\" could not be established.\r\n"
                  "Either your internet connection is having trouble, \r\n"
                  "or the stats pages on \"127.0.0.1\" are unavailable.");
        EXPECT_EQ(call.title, "Error");
        EXPECT_EQ(call.icon, MsgIcon::Critical);
        EXPECT_EQ(call.buttons, MsgButtons::RetryCancel);
    }
    EXPECT_FALSE(fetcher_->stopRequested()) << "giving up is no stop by the user";
    EXPECT_EQ(fetcher_->Failure(), FetchFailure::Connection);
    EXPECT_TRUE(fetcher_->FailureShown());
    EXPECT_EQ(fetcher_->FailureError().description(),
              "the site gave no whole answer within 300 ms (Connection_Timeout)");
    EXPECT_EQ(RequestsFor(target_), 3) << "the first fetch, then two attempts";
}

TEST_F(FetcherTest, ABodyThatKeepsComingMustStillEndWithinTheTimeLimit) {
    QList<ScriptedServer::Piece> pieces{{0, "HTTP/1.0 200 OK\r\n\r\n<html>"}};
    for (int i = 0; i < 100; ++i) {
        pieces.append({50, QByteArray(100, 'x')});
    }
    ScriptedServer server(pieces);
    state_.settings.Direct_Port = server.port();
    state_.settings.Connection_Timeout = 400;
    prompter_.AnswerMessage(MsgResult::Cancel);
    QElapsedTimer clock;
    clock.start();
    fetcher_->DownloadPage(QStringLiteral("/trickle"), 0);
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_EQ(prompter_.Calls().size(), 1u);
    EXPECT_EQ(fetcher_->Failure(), FetchFailure::Connection);
}

TEST_F(FetcherTest, ASiteThatClosesEarlyIsAskedAgainAFewTimesThenItFails) {
    StartSite();
    statsite::FaultPlan plan;
    plan.closeAfterBytes = 300;
    Faults(plan);
    fetcher_->DownloadPage(target_, 0);
    EXPECT_TRUE(prompter_.Calls().empty());
    EXPECT_EQ(RequestsFor(target_), 1 + 1 + kResendLimit) << "the first fetch, then six attempts";
    EXPECT_EQ(fetcher_->Failure(), FetchFailure::Connection);
    EXPECT_EQ(fetcher_->FailureError().description(),
              "the connection broke off 6 times before the answer was complete");
    EXPECT_FALSE(fetcher_->stopRequested());

    plan.times = 2;
    Faults(plan);
    fetcher_->DownloadPage(target_, 0);
    EXPECT_EQ(fetcher_->Failure(), FetchFailure::None);
    EXPECT_EQ(fetcher_->page(), plain_) << "two early ends, then the whole page";
}

TEST_F(FetcherTest, AnUnreadableHeaderOrAnOversizeAnswerIsAFailureOfThatAnswer) {
    ScriptedServer server({{0, "HTTP/1.0 200 OK\r\nContent-Length: abc\r\n\r\n<html></html>"}});
    state_.settings.Direct_Port = server.port();
    fetcher_->DownloadPage(QStringLiteral("/odd"), 0);
    EXPECT_TRUE(prompter_.Calls().empty());
    EXPECT_EQ(fetcher_->Failure(), FetchFailure::Answer);
    EXPECT_EQ(fetcher_->FailureError().number(), 13);
    EXPECT_EQ(fetcher_->FailureError().description(), "unreadable answer: Type mismatch");

    ScriptedServer big({{0, "HTTP/1.0 200 OK\r\nContent-Length: 40000000\r\n\r\n<html>"}});
    state_.settings.Direct_Port = big.port();
    fetcher_->DownloadPage(QStringLiteral("/big"), 0);
    EXPECT_EQ(fetcher_->Failure(), FetchFailure::Answer);
    EXPECT_EQ(fetcher_->FailureError().description(), "the answer is larger than 32 MB");
    fetcher_->DownloadPage(QStringLiteral("/big"), kPictureMode);
    EXPECT_EQ(fetcher_->FailureError().description(), "the answer is larger than 8 MB");
}

TEST_F(FetcherTest, OnlyTheStatusLineRedirects) {
    const QByteArray body = "<html>302 Found is just text</html>";
    const QByteArray page =
        "HTTP/1.0 200 OK\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body;
    ScriptedServer words({{0, page}});
    state_.settings.Direct_Port = words.port();
    fetcher_->DownloadPage(QStringLiteral("/words"), 0);
    EXPECT_EQ(fetcher_->Failure(), FetchFailure::None);
    EXPECT_EQ(fetcher_->StatusCode(), 200);
    EXPECT_EQ(fetcher_->page(), page);

    StartSite();
    statsite::FaultPlan always;
    always.redirectFirst = 1000000;
    Faults(always);
    const int before = RequestsFor(target_);
    fetcher_->DownloadPage(target_, 0);
    EXPECT_EQ(RequestsFor(target_) - before, 1 + kRedirectLimit);
    EXPECT_EQ(fetcher_->Failure(), FetchFailure::Answer);
    EXPECT_EQ(fetcher_->FailureError().description(),
              "the site redirected the request more than 5 times");
}

TEST_F(FetcherTest, ControlCharactersAndBytesBeyondAsciiArePercentEncodedOnTheWire) {
    EXPECT_EQ(RequestTarget(QStringLiteral("/e?a=1\r\nX-Injected: yes\r\n\r\nGET /s")),
              "/e?a=1%0D%0AX-Injected:%20yes%0D%0A%0D%0AGET%20/s");
    EXPECT_EQ(RequestTarget(QStringLiteral("/e?n=Caf\u00e9\x7f")), "/e?n=Caf%E9%7F");
    EXPECT_EQ(RequestTarget(QStringLiteral("/stats/player.aspx?tag=Mr+T%2D1")),
              "/stats/player.aspx?tag=Mr+T%2D1");
}

TEST_F(FetcherTest, NoDirectPortIsAFailureWithoutAConnection) {
    state_.settings.Direct_Port = 0;
    fetcher_->DownloadPage(QStringLiteral("/a"), 0);
    EXPECT_TRUE(fetcher_->ConnectFailed);
    EXPECT_TRUE(prompter_.Calls().empty());
    EXPECT_EQ(fetcher_->Failure(), FetchFailure::Connection);
    EXPECT_EQ(fetcher_->FailureError().description(),
              "Direct_Port is not set to a TCP port (1 to 65535)");
}

TEST_F(FetcherTest, NoListeningSiteIsAFailedConnection) {
    StartSite();
    site_->stop();
    fetcher_->DownloadPage(target_, 0);
    EXPECT_TRUE(fetcher_->ConnectFailed);
    EXPECT_FALSE(fetcher_->stopRequested());
    EXPECT_TRUE(prompter_.Calls().empty());
    EXPECT_TRUE(fetcher_->page().isEmpty());
    EXPECT_EQ(fetcher_->Failure(), FetchFailure::Connection);
    EXPECT_EQ(fetcher_->FailureError().number(), 10061);
    EXPECT_EQ(fetcher_->FailureError().description(),
              QStringLiteral("the connection to 127.0.0.1:%1 was refused")
                  .arg(state_.settings.Direct_Port));
}

}  // namespace
}  // namespace tw::testing
