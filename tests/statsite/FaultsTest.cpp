// Each fault the site can inject, seen as raw bytes on the wire.
#include <gtest/gtest.h>

#include "statsite/ScraperRules.h"
#include "statsite/SiteFixture.h"
#include "statsite/WireClient.h"

namespace statsite_test {
namespace {

class Faults : public ::testing::Test {
  protected:
    void SetUp() override {
        target_ = "/stats/player.aspx?tag=" +
                  urlEncode(site_.site().featuredGamertags().first().toUtf8());
        plain_ = fetch(site_.port(), target_);
        // The site closes after its one answer, although the request asks to keep alive.
        ASSERT_EQ(plain_.end, WireEnd::Closed);
    }

    WireResult faulted(const FaultPlan& plan) {
        site_.site().setFaults(plan);
        return fetch(site_.port(), target_);
    }

    RunningSite site_;
    QByteArray target_;
    WireResult plain_;
};

TEST_F(Faults, PlainAnswerIsHttp10WithLengthAndAnEndingBlankLine) {
    EXPECT_TRUE(plain_.bytes.startsWith("HTTP/1.0 200 OK\r\n"));
    EXPECT_TRUE(plain_.header().endsWith("\r\n\r\n"));
    EXPECT_TRUE(plain_.header().contains(
        "\r\nContent-Length: " + QByteArray::number(plain_.body().size()) + "\r\n"));
    EXPECT_TRUE(plain_.body().endsWith("</html>\r\n"));
}

TEST_F(Faults, RedirectsTheFirstRequestsOfEachTarget) {
    FaultPlan plan;
    plan.redirectFirst = 2;
    site_.site().setFaults(plan);
    for (int i = 0; i < 2; ++i) {
        const WireResult moved = fetch(site_.port(), target_);
        EXPECT_TRUE(moved.bytes.startsWith("HTTP/1.0 302 Found\r\n")) << i;
        EXPECT_TRUE(moved.header().contains("\r\nLocation: " + target_ + "\r\n"));
        EXPECT_EQ(moved.end, WireEnd::Closed);
    }
    EXPECT_EQ(fetch(site_.port(), target_).bytes, plain_.bytes);
    // Another target has its own count.
    const QByteArray other = target_ + "x";
    EXPECT_TRUE(fetch(site_.port(), other).bytes.startsWith("HTTP/1.0 302 Found\r\n"));
}

TEST_F(Faults, SplitsTheAnswerIntoWritesWithPauses) {
    FaultPlan plan;
    plan.splitWrites = 3;
    plan.splitPauseMs = 150;
    const WireResult split = faulted(plan);
    EXPECT_EQ(split.bytes, plain_.bytes);
    EXPECT_GE(split.arrivals.size(), 3);
    EXPECT_GE(split.totalMs, 280);
}

TEST_F(Faults, SplitsInsideTheHeadersBlankLine) {
    FaultPlan plan;
    plan.splitHeaderBlank = true;
    plan.splitPauseMs = 200;
    const WireResult split = faulted(plan);
    EXPECT_EQ(split.bytes, plain_.bytes);
    ASSERT_GE(split.arrivals.size(), 2);
    EXPECT_FALSE(split.arrivals[0].contains("\r\n\r\n"));
    EXPECT_TRUE(split.arrivals[0].endsWith("Connection: close\r\n"));
    EXPECT_TRUE(split.arrivals[1].startsWith("\r\n<!DOCTYPE"));
}

TEST_F(Faults, LeavesOutContentLengthOrSendsUpperCaseEnd) {
    FaultPlan plan;
    plan.noContentLength = true;
    const WireResult bare = faulted(plan);
    EXPECT_FALSE(bare.header().contains("Content-Length"));
    EXPECT_EQ(bare.body(), plain_.body());

    plan = FaultPlan{};
    plan.upperCaseHtmlEnd = true;
    const WireResult upper = faulted(plan);
    EXPECT_TRUE(upper.body().endsWith("</HTML>\r\n"));
    EXPECT_FALSE(upper.body().contains("</html>"));
    EXPECT_EQ(upper.body().size(), plain_.body().size());
    EXPECT_TRUE(upper.header().contains(
        "Content-Length: " + QByteArray::number(upper.body().size()) + "\r\n"));
}

TEST_F(Faults, AnswersSlowly) {
    FaultPlan plan;
    plan.slowMs = 400;
    const WireResult slow = faulted(plan);
    EXPECT_GE(slow.firstByteMs, 350);
    EXPECT_EQ(slow.bytes, plain_.bytes);
}

TEST_F(Faults, ResetsOrClosesInTheMiddleOfTheAnswer) {
    FaultPlan plan;
    plan.resetAfterBytes = 700;
    const WireResult reset = faulted(plan);
    EXPECT_EQ(reset.end, WireEnd::Reset);
    EXPECT_EQ(reset.bytes, plain_.bytes.left(700));

    plan = FaultPlan{};
    plan.closeAfterBytes = 900;
    const WireResult cut = faulted(plan);
    EXPECT_EQ(cut.end, WireEnd::Closed);
    EXPECT_EQ(cut.bytes, plain_.bytes.left(900));
    EXPECT_FALSE(cut.bytes.toLower().contains("</html>"));
}

TEST_F(Faults, AppliesOnlyToMatchingTargetsAndTheFirstTimes) {
    FaultPlan plan;
    plan.closeAfterBytes = 10;
    plan.match = "games.aspx";
    plan.times = 1;
    site_.site().setFaults(plan);
    EXPECT_EQ(fetch(site_.port(), target_).bytes, plain_.bytes);
    const QByteArray list = "/stats/games.aspx?tag=" + target_.mid(target_.indexOf('=') + 1);
    EXPECT_EQ(fetch(site_.port(), list).bytes.size(), 10);
    EXPECT_TRUE(fetch(site_.port(), list).body().endsWith("</html>\r\n"));
}

TEST_F(Faults, StoppedSiteRefusesConnections) {
    FaultPlan plan;
    plan.stopAfterRequests = 2;
    site_.site().setFaults(plan);
    EXPECT_EQ(fetch(site_.port(), target_).bytes, plain_.bytes);
    EXPECT_EQ(fetch(site_.port(), target_).bytes, plain_.bytes);
    EXPECT_EQ(fetch(site_.port(), target_).end, WireEnd::Refused);

    RunningSite other;
    other.server().stop();
    EXPECT_FALSE(other.server().isListening());
    EXPECT_EQ(fetch(other.port(), target_).end, WireEnd::Refused);
}

TEST_F(Faults, RequestsThatAreNoGetAreRefusedAndProxyFormIsServed) {
    const WireResult post = fetchRaw(site_.port(), "POST / HTTP/1.0\r\n\r\n");
    EXPECT_TRUE(post.bytes.startsWith("HTTP/1.0 400 Bad Request\r\n"));
    // Through a proxy the program asks for "http://" + path.
    EXPECT_EQ(fetchRaw(site_.port(), programRequest("http://" + target_)).bytes, plain_.bytes);
    EXPECT_EQ(fetchRaw(site_.port(), programRequest("http://127.0.0.1:8642" + target_)).bytes,
              plain_.bytes);
    EXPECT_EQ(fetchRaw(site_.port(), programRequest("127.0.0.1:8642" + target_)).bytes,
              plain_.bytes);
}

}  // namespace
}  // namespace statsite_test
