// The same seed gives byte-identical pages, pictures, growth and truth; another
// seed gives another world.
#include <gtest/gtest.h>

#include "statsite/ScraperRules.h"
#include "statsite/SiteFixture.h"
#include "statsite/WireClient.h"

namespace statsite_test {
namespace {

QList<QByteArray> someTargets(const World& world) {
    QList<QByteArray> targets = {"/",
                                 "/stats/emblem.ashx?s=70&0=3&1=9&2=0&3=1&fi=2&bi=5&fl=0&b=0&m=1"};
    for (const SitePlayer& player : world.players()) {
        const QByteArray tag = urlEncode(player.gamertag.toUtf8());
        targets += {"/stats/player.aspx?tag=" + tag, "/stats/games.aspx?tag=" + tag + "&page=12",
                    "/stats/games.aspx?tag=" + tag + "&page=2"};
    }
    for (const Game& game : world.games()) {
        for (const char* panel : {"stats", "kills", "medals", "hits"}) {
            targets.append("/stats/game.aspx?id=" + QByteArray::number(game.id) +
                           "&panel=" + panel);
        }
    }
    return targets;
}

TEST(Determinism, SameSeedGivesTheSameBytes) {
    RunningSite first(RunningSite::withWorld(42, 8, 50));
    RunningSite second(RunningSite::withWorld(42, 8, 50));
    const World world = first.world();
    for (const QByteArray& target : someTargets(world)) {
        EXPECT_EQ(fetch(first.port(), target).bytes, fetch(second.port(), target).bytes)
            << target.constData();
    }
    EXPECT_EQ(first.site().truth({}), second.site().truth({}));
    const QString tag = world.featuredGamertags().at(1);
    EXPECT_EQ(first.site().grow(tag, 5), second.site().grow(tag, 5));
    EXPECT_EQ(first.site().truth({tag}), second.site().truth({tag}));
}

TEST(Determinism, AnotherSeedGivesAnotherWorld) {
    RunningSite first(RunningSite::withWorld(42, 8, 50));
    RunningSite other(RunningSite::withWorld(43, 8, 50));
    EXPECT_NE(first.site().featuredGamertags(), other.site().featuredGamertags());
    EXPECT_NE(first.site().truth({}), other.site().truth({}));
}

TEST(Determinism, OnePlayerCanHaveAThousandGames) {
    RunningSite site(RunningSite::withWorld(9, 3, 2500));
    const World world = site.world();
    const SitePlayer& busiest = *world.findPlayer(world.featuredGamertags().first());
    EXPECT_GE(busiest.games.size(), 1000);
    const QByteArray last = "/stats/games.aspx?tag=" + urlEncode(busiest.gamertag.toUtf8()) +
                            "&page=" + QByteArray::number(world.pageCount(busiest));
    EXPECT_FALSE(scrapeGameRows(fetch(site.port(), last).bytes).isEmpty());
}

}  // namespace
}  // namespace statsite_test
