// An answer that never ends: a header without Content-Length, then a page whose
// closing tags never come, for as long as the client reads. The site itself must
// neither pile the endless bytes up in memory nor go on once the client has left.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QFile>
#include <QThread>

#include "statsite/ScraperRules.h"
#include "statsite/SiteFixture.h"
#include "statsite/WireClient.h"

namespace statsite_test {
namespace {

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

qint64 residentBytes() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly)) {
        return -1;
    }
    return statm.readAll().split(' ').value(1).toLongLong() * 4096;
}

class EndlessAnswer : public ::testing::Test {
  protected:
    void SetUp() override {
        tag_ = urlEncode(site_.site().featuredGamertags().first().toUtf8());
        player_ = "/stats/player.aspx?tag=" + tag_;
        plain_ = fetch(site_.port(), player_);
    }

    RunningSite site_;
    QByteArray tag_;
    QByteArray player_;
    WireResult plain_;
};

TEST_F(EndlessAnswer, HasNoLengthNeverEndsAndStopsWhenTheClientLeaves) {
    FaultPlan plan;
    plan.endless = true;
    site_.site().setFaults(plan);
    const qsizetype enough = 8 * 1024 * 1024;
    const WireResult endless = fetchSome(site_.port(), player_, enough);
    EXPECT_EQ(endless.end, WireEnd::StillOpen);
    ASSERT_GE(endless.bytes.size(), enough);
    EXPECT_TRUE(endless.bytes.startsWith("HTTP/1.0 200 OK\r\n"));
    EXPECT_TRUE(endless.header().endsWith("\r\n\r\n"));
    EXPECT_FALSE(endless.header().contains("Content-Length"));
    // The page begins as ever and goes on where its closing tags would be.
    const QByteArray page = plain_.body();
    EXPECT_TRUE(endless.body().startsWith(page.left(page.lastIndexOf("</body>"))));
    EXPECT_FALSE(endless.bytes.toLower().contains("</html>"));
    EXPECT_FALSE(endless.bytes.toLower().contains("</body>"));

    // The client closed its socket: the site's side ends, and nothing keeps working.
    EXPECT_TRUE(waitFor([&] { return site_.server().openConnections() == 0; }, 5000));
    const double before = cpuSeconds();
    QThread::msleep(400);
    EXPECT_LT(cpuSeconds() - before, 0.1);
    // The site answers as before.
    site_.site().setFaults({});
    EXPECT_EQ(fetch(site_.port(), player_).bytes, plain_.bytes);
}

TEST_F(EndlessAnswer, WaitsForAClientThatDoesNotReadInsteadOfQueueing) {
    FaultPlan plan;
    plan.endless = true;
    site_.site().setFaults(plan);
    const qint64 before = residentBytes();
    WireConnection stalled(site_.port());
    ASSERT_TRUE(stalled.connected());
    // Only the first bytes are read, then the client sits still for a while.
    const WireResult start = stalled.exchange(programRequest(player_), 1);
    ASSERT_EQ(start.end, WireEnd::StillOpen);
    QThread::msleep(100);  // the socket buffers fill
    const double cpu = cpuSeconds();
    QThread::msleep(600);
    // The site waits: it neither spins nor, at loopback speed, queues hundreds of
    // megabytes in the meantime.
    EXPECT_LT(cpuSeconds() - cpu, 0.15);
    EXPECT_LT(residentBytes() - before, 48LL * 1024 * 1024);
    EXPECT_EQ(site_.server().openConnections(), 1);
    stalled.close();
    EXPECT_TRUE(waitFor([&] { return site_.server().openConnections() == 0; }, 5000));
}

TEST_F(EndlessAnswer, FollowsMatchAndTimesAndCanBeCutShort) {
    FaultPlan plan;
    plan.endless = true;
    plan.match = "games.aspx";
    plan.times = 1;
    site_.site().setFaults(plan);
    const QByteArray list = "/stats/games.aspx?tag=" + tag_;
    EXPECT_EQ(fetch(site_.port(), player_).bytes, plain_.bytes);
    const WireResult endless = fetchSome(site_.port(), list, 512 * 1024);
    EXPECT_EQ(endless.end, WireEnd::StillOpen);
    EXPECT_FALSE(endless.header().contains("Content-Length"));
    const WireResult again = fetch(site_.port(), list);
    EXPECT_EQ(again.end, WireEnd::Closed);
    EXPECT_TRUE(again.header().contains("Content-Length: "));
    EXPECT_TRUE(again.body().endsWith("</html>\r\n"));

    // With an early close the endless body is cut where asked.
    plan = FaultPlan{};
    plan.endless = true;
    plan.closeAfterBytes = 300000;
    site_.site().setFaults(plan);
    const WireResult cut = fetch(site_.port(), player_);
    EXPECT_EQ(cut.end, WireEnd::Closed);
    EXPECT_EQ(cut.bytes.size(), 300000);
    EXPECT_FALSE(cut.header().contains("Content-Length"));
    EXPECT_FALSE(cut.bytes.toLower().contains("</html>"));
}

}  // namespace
}  // namespace statsite_test
