// What the site received and how often it answered: the record of raw request
// lines (where a request smuggled in through an emblem address would show), the
// count of answers, and a stop after every count of answers of a small world.
#include <gtest/gtest.h>

#include "statsite/MiniDownload.h"
#include "statsite/ScraperRules.h"
#include "statsite/SiteFixture.h"
#include "statsite/WireClient.h"

namespace statsite_test {
namespace {

TEST(RequestRecord, HoldsEveryLineOfEveryRequestButControlRequests) {
    RunningSite site;
    const QByteArray target =
        "/stats/player.aspx?tag=" + urlEncode(site.site().featuredGamertags().first().toUtf8());
    fetch(site.port(), target);
    fetchRaw(site.port(), "GET /a\\b%E9\xE9\t HTTP/1.0\n\n");
    const QByteArray expected = "GET " + target +
                                " HTTP/1.0\\r\\n\n"
                                "Host: 127.0.0.1\\r\\n\n"
                                "Connection: Keep-Alive\\r\\n\n"
                                "Accept: */*\\r\\n\n"
                                "\\r\\n\n"
                                "GET /a\\\\b%E9\\xE9\\x09 HTTP/1.0\\n\n"
                                "\\n\n";
    EXPECT_EQ(fetchBody(site.port(), "/control/requests"), expected);
    // The control request just made is not in the record either.
    EXPECT_EQ(fetchBody(site.port(), "/control/requests"), expected);
    const QList<QByteArray> lines = site.site().requestLines();
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines[0], "GET " + target + " HTTP/1.0\r\n");
    EXPECT_EQ(lines[5], "GET /a\\b%E9\xE9\t HTTP/1.0\n");

    EXPECT_EQ(fetchBody(site.port(), "/control/requests?clear"), "cleared\n");
    EXPECT_EQ(fetchBody(site.port(), "/control/requests"), "");
    EXPECT_TRUE(site.site().requestLines().isEmpty());
    // A request without its blank line is recorded when its connection ends.
    fetchRaw(site.port(), "GET /unfinished HTTP/1.0\r\nHost: x", 300);
    site.server().stop();
    EXPECT_EQ(site.site().requestLines(),
              (QList<QByteArray>{"GET /unfinished HTTP/1.0\r\n", "Host: x"}));
}

TEST(RequestRecord, ShowsARequestSmuggledThroughTheEmblemAddress) {
    RunningSite site;
    FaultPlan plan;
    plan.emblemCrlf = true;
    site.site().setFaults(plan);
    const QByteArray page =
        fetchBody(site.port(), "/stats/player.aspx?tag=" +
                                   urlEncode(site.site().featuredGamertags().first().toUtf8()));
    const QByteArray query = scrapePlayer(page).query;
    ASSERT_TRUE(query.contains("\r\n"));

    // A careless fetcher puts the address into its request as it is ...
    site.site().clearRequestLines();
    fetch(site.port(), "/stats/emblem.ashx?" + query);
    const QByteArray careless = fetchBody(site.port(), "/control/requests");
    EXPECT_TRUE(careless.contains("\nX-Injected: yes\\r\\n\n")) << careless.constData();
    EXPECT_TRUE(careless.contains("\nGET /smuggled HTTP/1.0 HTTP/1.0\\r\\n\n"));

    // ... a careful one encodes the line ends, and the record has one request line.
    QByteArray encoded = query;
    encoded.replace("\r", "%0D").replace("\n", "%0A").replace(" ", "%20");
    fetchBody(site.port(), "/control/requests?clear");
    fetch(site.port(), "/stats/emblem.ashx?" + encoded);
    const QList<QByteArray> lines = site.site().requestLines();
    ASSERT_EQ(lines.size(), 5);
    EXPECT_TRUE(lines[0].startsWith("GET /stats/emblem.ashx?s=70&"));
    for (const QByteArray& line : lines) {
        EXPECT_FALSE(line.startsWith("X-Injected")) << line.constData();
        EXPECT_FALSE(line.startsWith("GET /smuggled")) << line.constData();
    }
}

// The targets a whole download of the tag list asks for, in order.
QList<QByteArray> downloadTargets(const SiteConfig& config, int* served) {
    RunningSite site(config);
    const QStringList tags = site.site().featuredGamertags();
    MiniDownload download(site.port());
    for (const QString& tag : tags) {
        download.addTag(tag.toUtf8());
    }
    for (const QString& tag : tags) {
        download.download(tag.toUtf8());
    }
    *served = fetchBody(site.port(), "/control/served").trimmed().toInt();
    EXPECT_EQ(fetchBody(site.port(), "/control/served?clear").trimmed().toInt(), *served);
    EXPECT_EQ(site.site().answersServed(), 0);
    QList<QByteArray> targets = site.site().requestLog();
    targets.removeIf([](const QByteArray& target) { return target.startsWith("/control/"); });
    return targets;
}

TEST(AnswerCount, CountsAWholeDownloadAndStopsAfterEveryNumberOfItsAnswers) {
    const SiteConfig config = RunningSite::withWorld(3, 1, 3);
    int served = 0;
    const QList<QByteArray> targets = downloadTargets(config, &served);
    // Every answer is counted, redirects and pages that say "not found" too.
    EXPECT_EQ(served, targets.size());
    ASSERT_GE(served, 1 + 2 + 1 + 2 * 3) << "player page, emblems, game list, panels";
    for (int k = 1; k <= served; ++k) {
        SiteConfig stopping = config;
        stopping.faults.stopAfterRequests = k;
        RunningSite site(stopping);
        for (int i = 0; i < targets.size(); ++i) {
            const WireResult answer = fetch(site.port(), targets[i]);
            if (i < k) {
                EXPECT_EQ(answer.end, WireEnd::Closed) << "k=" << k << " i=" << i;
                EXPECT_TRUE(answer.bytes.startsWith("HTTP/1.0 ")) << "k=" << k << " i=" << i;
            } else {
                EXPECT_EQ(answer.end, WireEnd::Refused) << "k=" << k << " i=" << i;
                break;
            }
        }
        EXPECT_EQ(site.site().answersServed(), k);
    }
}

TEST(AnswerCount, AConnectionAcceptedBeforeTheStopGetsNoAnswer) {
    SiteConfig config = RunningSite::withWorld(3, 1, 3);
    config.faults.stopAfterRequests = 1;
    RunningSite site(config);
    WireConnection first(site.port());
    WireConnection second(site.port());
    ASSERT_TRUE(first.connected() && second.connected());
    ASSERT_TRUE(waitFor([&] { return site.server().openConnections() == 2; }, 5000));
    EXPECT_TRUE(first.exchange(programRequest("/")).bytes.startsWith("HTTP/1.0 200 OK\r\n"));
    const WireResult late = second.exchange(programRequest("/"));
    EXPECT_TRUE(late.bytes.isEmpty());
    EXPECT_EQ(late.end, WireEnd::Reset);
    EXPECT_EQ(fetch(site.port(), "/").end, WireEnd::Refused);
    EXPECT_EQ(site.site().answersServed(), 1);
}

}  // namespace
}  // namespace statsite_test
