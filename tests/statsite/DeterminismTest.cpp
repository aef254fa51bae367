// The same seed gives byte-identical pages, pictures, growth and truth; another
// seed gives another world.
#include <gtest/gtest.h>

#include <QCryptographicHash>

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

TEST(Determinism, SameSeedGivesTheSameBytesAnotherSeedAnotherWorld) {
    RunningSite first(RunningSite::withWorld(42, 8, 50));
    RunningSite second(RunningSite::withWorld(42, 8, 50));
    const World world = first.world();
    for (const QByteArray& target : someTargets(world)) {
        EXPECT_EQ(fetch(first.port(), target).bytes, fetch(second.port(), target).bytes)
            << target.constData();
    }
    EXPECT_EQ(first.site().truth({}), second.site().truth({}));
    // Another seed gives another world.
    RunningSite other(RunningSite::withWorld(43, 8, 50));
    EXPECT_NE(first.site().featuredGamertags(), other.site().featuredGamertags());
    EXPECT_NE(first.site().truth({}), other.site().truth({}));
    const QString tag = world.featuredGamertags().at(1);
    EXPECT_EQ(first.site().grow(tag, 5), second.site().grow(tag, 5));
    EXPECT_EQ(first.site().truth({tag}), second.site().truth({tag}));
}

QByteArray sha1(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex();
}

// The digests were taken from the site before the accent players and the new
// faults existed: the default world, its truth and its pages are as they were.
TEST(Determinism, DefaultWorldIsTheOneItAlwaysWas) {
    RunningSite site;
    EXPECT_EQ(sha1(site.site().truth({})), "b0bb9d87f4e53faeefe3433afd27bcc94790d6c0");
    const World world = site.world();
    const SitePlayer& first = *world.findPlayer(world.featuredGamertags().first());
    const QByteArray tag = urlEncode(first.gamertag.toUtf8());
    const QByteArray id = QByteArray::number(world.gamesNewestFirst(first).first()->id);
    QByteArray pages;
    for (const QByteArray& target :
         {"/stats/player.aspx?tag=" + tag, "/stats/games.aspx?tag=" + tag,
          "/stats/games.aspx?tag=" + tag + "&page=2", "/stats/game.aspx?id=" + id + "&panel=stats",
          "/stats/game.aspx?id=" + id + "&panel=kills",
          "/stats/game.aspx?id=" + id + "&panel=medals",
          "/stats/game.aspx?id=" + id + "&panel=hits"}) {
        pages += fetch(site.port(), target).bytes;
    }
    EXPECT_EQ(sha1(pages), "6e815c2775d569b2e05d2cfae9ecf4415e34921a");
}

TEST(Determinism, AccentPlayersOnlyAddToTheWorld) {
    RunningSite plain(RunningSite::withWorld(42, 8, 50));
    SiteConfig config = RunningSite::withWorld(42, 8, 50);
    config.world.accents = true;
    RunningSite accents(config);
    const World before = plain.world();
    const World after = accents.world();
    ASSERT_EQ(after.players().size(), before.players().size() + 2);
    ASSERT_GT(after.games().size(), before.games().size());
    for (qsizetype i = 0; i < before.players().size(); ++i) {
        EXPECT_EQ(after.players()[i].gamertag, before.players()[i].gamertag);
    }
    // The seed's games are the same games, to the byte of every panel.
    for (qsizetype i = 0; i < before.games().size(); ++i) {
        const QByteArray id = QByteArray::number(before.games()[i].id);
        ASSERT_EQ(after.games()[i].id, before.games()[i].id);
        for (const char* panel : {"stats", "kills", "medals", "hits"}) {
            const QByteArray target = "/stats/game.aspx?id=" + id + "&panel=" + panel;
            EXPECT_EQ(fetch(accents.port(), target).bytes, fetch(plain.port(), target).bytes);
        }
    }
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
