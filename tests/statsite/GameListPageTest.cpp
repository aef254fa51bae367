// The paged game list read with the game list scraper's rules: the pager's
// last-page link gives the page count, rows give the world's games newest first.
#include <gtest/gtest.h>

#include "statsite/PageText.h"
#include "statsite/ScraperRules.h"
#include "statsite/SiteFixture.h"
#include "statsite/WireClient.h"

namespace statsite_test {
namespace {

QByteArray listTarget(const QString& tag, int page) {
    QByteArray target = "/stats/games.aspx?tag=" + urlEncode(tag.toUtf8());
    return page > 0 ? target + "&page=" + QByteArray::number(page) : target;
}

void expectRows(const World& world, const SitePlayer& player, int pageSize, int page,
                const QList<ScrapedGame>& rows) {
    const QList<const Game*> games = world.gamesNewestFirst(player);
    const qsizetype first = static_cast<qsizetype>(page - 1) * pageSize;
    ASSERT_EQ(rows.size(), qMin<qsizetype>(pageSize, games.size() - first)) << "page " << page;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const Game& game = *games[first + i];
        EXPECT_EQ(rows[i].id, game.id);
        EXPECT_EQ(rows[i].type, game.type.toUtf8());
        EXPECT_EQ(rows[i].date, pagetext::usDateTime(game.played));
        EXPECT_EQ(rows[i].map, game.map.toUtf8());
        EXPECT_EQ(rows[i].playlist, game.playlist.toUtf8());
    }
}

TEST(GameListPage, MoreThanTwelvePagesAreCountedFromTheProbePage) {
    SiteConfig config = RunningSite::withWorld(77, 3, 160);
    config.world.pageSize = 5;
    RunningSite site(config);
    const World world = site.world();
    const SitePlayer& busy = *world.findPlayer(world.featuredGamertags().first());
    const int pages = world.pageCount(busy);
    ASSERT_GT(pages, 12);
    EXPECT_EQ(scrapePageCount(fetch(site.port(), listTarget(busy.gamertag, 12)).bytes), pages);
    for (int page = 1; page <= pages; ++page) {
        const QByteArray text = fetch(site.port(), listTarget(busy.gamertag, page)).bytes;
        expectRows(world, busy, 5, page, scrapeGameRows(text));
        const bool marker = inStr(1, text, "class=\"IBBPagerLastPage\"") > 0;
        EXPECT_EQ(marker, page < pages) << "page " << page;
    }
    // Without a page number the first page is meant.
    EXPECT_EQ(scrapeGameRows(fetch(site.port(), listTarget(busy.gamertag, 0)).bytes).first().id,
              world.gamesNewestFirst(busy).first()->id);
    // A page past the end lists nothing and has no pager.
    const QByteArray past = fetch(site.port(), listTarget(busy.gamertag, pages + 1)).bytes;
    EXPECT_TRUE(scrapeGameRows(past).isEmpty());
    EXPECT_EQ(scrapePageCount(past), 1);
}

TEST(GameListPage, ExactlyTwelvePagesAreCountedFromTheFirstPage) {
    RunningSite site(RunningSite::withWorld(77, 3, 60));
    const QString tag = site.site().featuredGamertags().first();
    // Growth brings the player to 111..120 games: twelve pages of ten.
    const qsizetype games = site.world().findPlayer(tag)->games.size();
    ASSERT_LE(games, 111);
    site.site().grow(tag, static_cast<int>(111 - games));
    ASSERT_EQ(site.world().pageCount(*site.world().findPlayer(tag)), 12);
    // Page 12 is the last page: it has no last-page link, so the program falls
    // back to the first page, which has it.
    EXPECT_EQ(inStr(1, fetch(site.port(), listTarget(tag, 12)).bytes, "IBBPagerLastPage"), 0);
    EXPECT_EQ(scrapeGameRows(fetch(site.port(), listTarget(tag, 12)).bytes).size(), 1);
    EXPECT_EQ(scrapePageCount(fetch(site.port(), listTarget(tag, 0)).bytes), 12);
}

TEST(GameListPage, OnePageHasNoPagerAndListsEveryGame) {
    RunningSite site;
    const World world = site.world();
    const SitePlayer& quiet = playerWhere(world, [&](const SitePlayer& p) {
        return p.featured && world.pageCount(p) == 1 && !p.games.isEmpty();
    });
    const QByteArray probe = fetch(site.port(), listTarget(quiet.gamertag, 12)).bytes;
    EXPECT_EQ(inStr(1, probe, "IBBPagerLastPage"), 0);
    EXPECT_TRUE(scrapeGameRows(probe).isEmpty());
    const QByteArray first = fetch(site.port(), listTarget(quiet.gamertag, 0)).bytes;
    EXPECT_EQ(scrapePageCount(first), 1);
    EXPECT_EQ(inStr(1, first, "&page"), 0);
    expectRows(world, quiet, world.options().pageSize, 1, scrapeGameRows(first));
}

TEST(GameListPage, IdsGrowWithTimeAndDatesUseTheUsForm) {
    const World world = RunningSite().world();
    for (qsizetype i = 1; i < world.games().size(); ++i) {
        EXPECT_GT(world.games()[i].id, world.games()[i - 1].id);
        EXPECT_GT(world.games()[i].played, world.games()[i - 1].played);
    }
    const QDateTime evening(QDate(2005, 1, 15), QTime(20, 3), Qt::UTC);
    EXPECT_EQ(pagetext::usDateTime(evening), "1/15/2005 8:03 PM");
    EXPECT_EQ(pagetext::usDateTime(QDateTime(QDate(2004, 12, 1), QTime(0, 7), Qt::UTC)),
              "12/1/2004 12:07 AM");
    EXPECT_EQ(pagetext::usDateTime(QDateTime(QDate(2004, 12, 1), QTime(12, 30), Qt::UTC)),
              "12/1/2004 12:30 PM");
}

}  // namespace
}  // namespace statsite_test
