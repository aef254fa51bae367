// Faults in what a page says rather than in how it arrives: "302 Found" in a 200
// page's body, numbers no count can have, a pager link without its page, a game
// without its length, an emblem address that carries a second request. Each
// changes only the page it names and never the truth.
#include <gtest/gtest.h>

#include "statsite/ScraperRules.h"
#include "statsite/SiteFixture.h"
#include "statsite/WireClient.h"

namespace statsite_test {
namespace {

QByteArray detail(const Game& game, const char* panel) {
    return "/stats/game.aspx?id=" + QByteArray::number(game.id) + "&panel=" + panel;
}

class ContentFaults : public ::testing::Test {
  protected:
    void SetUp() override {
        tag_ = urlEncode(world_.featuredGamertags().first().toUtf8());
        truth_ = site_.site().truth({});
    }

    // Sets the plan, and checks at the end that the truth is the world's as before.
    void faults(const FaultPlan& plan) { site_.site().setFaults(plan); }
    void TearDown() override { EXPECT_EQ(site_.site().truth({}), truth_); }

    RunningSite site_;
    World world_ = site_.world();
    QByteArray tag_;
    QByteArray truth_;
};

TEST_F(ContentFaults, Body302IsTextNearTheTopOfA200Page) {
    const QByteArray target = "/stats/player.aspx?tag=" + tag_;
    const WireResult plain = fetch(site_.port(), target);
    FaultPlan plan;
    plan.body302 = true;
    faults(plan);
    const WireResult echoed = fetch(site_.port(), target);
    EXPECT_TRUE(echoed.bytes.startsWith("HTTP/1.0 200 OK\r\n"));
    EXPECT_FALSE(echoed.header().contains("302"));
    const qsizetype at = echoed.body().indexOf("302 Found");
    EXPECT_GT(at, 0);
    EXPECT_LT(at, 512) << "near the top: it comes with the header";
    EXPECT_TRUE(echoed.header().contains(
        "\r\nContent-Length: " + QByteArray::number(echoed.body().size()) + "\r\n"));
    // Nothing else of the page changed: without the echo's line it is the plain page.
    QList<QByteArray> lines = echoed.body().split('\n');
    lines.removeIf([](const QByteArray& line) { return line.contains("302 Found"); });
    EXPECT_EQ(lines.join('\n'), plain.body());
    // A picture is no page that could echo text.
    const QByteArray picture = "/stats/emblem.ashx?s=70&0=2&1=11&2=0&3=3&fi=1&bi=2&fl=0&b=0&m=1";
    EXPECT_TRUE(fetch(site_.port(), picture).body().startsWith("\xFF\xD8"));
    EXPECT_FALSE(fetch(site_.port(), picture).bytes.contains("302 Found"));
}

TEST_F(ContentFaults, AHugeRedirectCountRedirectsEveryTime) {
    const QByteArray target = "/stats/player.aspx?tag=" + tag_;
    for (const QByteArray& count : {QByteArray("1000000"), QByteArray("99999999999")}) {
        const WireResult set = fetch(site_.port(), "/control/faults?redirect=" + count);
        EXPECT_EQ(set.body(), count == "1000000" ? "redirect=1000000\n" : "redirect=2147483647\n");
        for (int i = 0; i < 5; ++i) {
            const WireResult moved = fetch(site_.port(), target);
            EXPECT_TRUE(moved.bytes.startsWith("HTTP/1.0 302 Found\r\n")) << count.constData();
            EXPECT_TRUE(moved.header().contains("\r\nLocation: " + target + "\r\n"));
        }
    }
}

TEST_F(ContentFaults, KillsPanelShowsANumberTooLargeAndANegativeOne) {
    const Game& game = gameWhere(world_, [](const Game& g) { return g.entries.size() >= 3; });
    const Game& other = gameWhere(world_, [&](const Game& g) { return g.id != game.id; });
    const QByteArray plainKills = fetch(site_.port(), detail(game, "kills")).bytes;
    const QByteArray plainStats = fetch(site_.port(), detail(game, "stats")).bytes;
    const QByteArray plainOther = fetch(site_.port(), detail(other, "kills")).bytes;
    FaultPlan plan;
    plan.badNumberGame = game.id;
    plan.negativeNumberGame = game.id;
    faults(plan);
    const QList<ScrapedEntry> kills = scrapeKills(fetchBody(site_.port(), detail(game, "kills")));
    ASSERT_EQ(kills.size(), game.entries.size());
    EXPECT_EQ(kills.first().values[0], "99999999999");
    EXPECT_EQ(kills.last().values[0], "-3");
    for (qsizetype i = 0; i < kills.size(); ++i) {
        EXPECT_EQ(kills[i].values[1], QByteArray::number(game.entries[i].assists));
        if (i > 0 && i + 1 < kills.size()) {
            EXPECT_EQ(kills[i].values[0], QByteArray::number(game.entries[i].kills));
        }
    }
    // The same game's other panels, and another game's kills, are as ever.
    EXPECT_EQ(fetch(site_.port(), detail(other, "kills")).bytes, plainOther);
    EXPECT_EQ(fetch(site_.port(), detail(game, "stats")).bytes, plainStats);
    EXPECT_NE(fetch(site_.port(), detail(game, "kills")).bytes, plainKills);
}

TEST_F(ContentFaults, OnlyAnswersAFaultChangesCountAgainstItsTimes) {
    const Game& game = world_.games().last();
    FaultPlan plan;
    plan.negativeNumberGame = game.id;
    plan.times = 1;
    faults(plan);
    // Pages the fault does not touch pass without using up its one time ...
    fetchBody(site_.port(), "/stats/player.aspx?tag=" + tag_);
    fetchBody(site_.port(), detail(game, "stats"));
    EXPECT_EQ(scrapeKills(fetchBody(site_.port(), detail(game, "kills"))).last().values[0], "-3");
    // ... and once it is used up, the rerun reads the world's figure.
    EXPECT_EQ(scrapeKills(fetchBody(site_.port(), detail(game, "kills"))).last().values[0],
              QByteArray::number(game.entries.last().kills));
}

TEST_F(ContentFaults, LastPageLinkWithoutItsPageParameter) {
    const SitePlayer& player = *world_.findPlayer(world_.featuredGamertags().first());
    const int pages = world_.pageCount(player);
    ASSERT_GE(pages, 2);
    const QByteArray list = "/stats/games.aspx?tag=" + tag_;
    const QByteArray plain = fetchBody(site_.port(), list);
    const QByteArray last = list + "&page=" + QByteArray::number(pages);
    const QByteArray lastPlain = fetchBody(site_.port(), last);
    FaultPlan plan;
    plan.noPageParam = true;
    faults(plan);
    const QByteArray page = fetchBody(site_.port(), list);
    EXPECT_TRUE(
        page.contains("<a class=\"IBBPagerLastPage\" href=\"" + list + "\">Last &raquo;</a>"));
    const qsizetype link = inStr(1, page, "class=\"IBBPagerLastPage\"");
    ASSERT_GT(link, 0);
    EXPECT_EQ(inStr(link, page, "&page"), 0);
    // Only the page parameter is gone: the rows and the other pager links stay.
    EXPECT_EQ(page.size() + 6 + QByteArray::number(pages).size(), plain.size());
    EXPECT_TRUE(page.contains("&amp;page=2\">2</a>"));
    // The last page has no last-page link to lose.
    EXPECT_EQ(fetchBody(site_.port(), last), lastPlain);
}

TEST_F(ContentFaults, StatsPanelWithoutGameLength) {
    const Game& game = gameWhere(world_, [](const Game& g) { return !g.partiallyPurged; });
    const Game& other =
        gameWhere(world_, [&](const Game& g) { return !g.partiallyPurged && g.id != game.id; });
    FaultPlan plan;
    plan.noGameLengthGame = game.id;
    faults(plan);
    const QByteArray browserForm =
        "/stats/game.aspx?gameID=" + QByteArray::number(game.id) + "&panel=stats";
    for (const QByteArray& target :
         {detail(game, "stats"), "/stats/game.aspx?id=" + QByteArray::number(game.id),
          browserForm}) {
        const QByteArray page = fetchBody(site_.port(), target);
        EXPECT_FALSE(page.contains("Game Length")) << target.constData();
        EXPECT_FALSE(page.contains("partially purged"));
        EXPECT_EQ(scrapeStats(page).entries.size(), game.entries.size());
    }
    EXPECT_TRUE(fetchBody(site_.port(), detail(game, "kills")).contains("Game Length: "));
    EXPECT_TRUE(fetchBody(site_.port(), detail(other, "stats")).contains("Game Length: "));
}

TEST_F(ContentFaults, EmblemAddressCarriesRawLineEndsAndASecondRequest) {
    FaultPlan plan;
    plan.emblemCrlf = true;
    faults(plan);
    const QByteArray page = fetchBody(site_.port(), "/stats/player.aspx?tag=" + tag_);
    const Emblem& emblem = world_.findPlayer(world_.featuredGamertags().first())->emblem;
    const QByteArray src =
        "src=\"/stats/emblem.ashx?s=90&amp;0=" + QByteArray::number(emblem.primary) +
        "&amp;1=" + QByteArray::number(emblem.secondary);
    const qsizetype at = page.indexOf(src);
    ASSERT_GT(at, 0);
    const QByteArray attribute = page.mid(at, page.indexOf('"', at + 5) + 1 - at);
    EXPECT_TRUE(attribute.endsWith("&amp;m=1\r\nX-Injected: yes\r\n\r\nGET /smuggled HTTP/1.0\""))
        << attribute.constData();
    // Read as the program reads it, the query keeps the injected bytes.
    EXPECT_TRUE(
        scrapePlayer(page).query.endsWith("\r\nX-Injected: yes\r\n\r\nGET /smuggled HTTP/1.0"));
    // Only the player page carries an emblem address of its own.
    const QByteArray list = fetchBody(site_.port(), "/stats/games.aspx?tag=" + tag_);
    EXPECT_FALSE(list.contains("X-Injected"));
}

TEST_F(ContentFaults, ControlRequestSetsEveryNewFaultAndSaysSo) {
    const WireResult set = fetch(
        site_.port(),
        "/control/faults?endless&body-302&bad-number=48213001&negative-number=48213002"
        "&no-page-param&no-game-length=48213003&emblem-crlf&fault-match=game.aspx&fault-times=2");
    EXPECT_EQ(set.body(),
              "endless, body-302, bad-number=48213001, negative-number=48213002, no-page-param, "
              "no-game-length=48213003, emblem-crlf, fault-match=game.aspx, fault-times=2\n");
    const FaultPlan plan = site_.site().faults();
    EXPECT_TRUE(plan.endless);
    EXPECT_TRUE(plan.body302);
    EXPECT_EQ(plan.badNumberGame, 48213001);
    EXPECT_EQ(plan.negativeNumberGame, 48213002);
    EXPECT_TRUE(plan.noPageParam);
    EXPECT_EQ(plan.noGameLengthGame, 48213003);
    EXPECT_TRUE(plan.emblemCrlf);
    EXPECT_EQ(plan.match, "game.aspx");
    EXPECT_EQ(plan.times, 2);
    EXPECT_EQ(fetch(site_.port(), "/control/faults").body(), "no faults\n");
}

}  // namespace
}  // namespace statsite_test
