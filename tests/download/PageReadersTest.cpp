// The player page and game list readers give back what the simulated site
// put on its pages, and refuse a page they cannot read as a whole.
#include <gtest/gtest.h>

#include "download/GameList.h"
#include "download/PageCharset.h"
#include "download/PageReading.h"
#include "download/PlayerPage.h"
#include "statsite/GameListPage.h"
#include "statsite/PlayerPage.h"
#include "statsite/WorldBuilder.h"

namespace tw {
namespace {

using statsite::SitePlayer;
using statsite::World;

class PageReaders : public ::testing::Test {
  protected:
    World world_ = statsite::WorldBuilder::build({});
    statsite::SiteRoots roots_;

    QByteArray playerPage(const SitePlayer& player) const {
        return pageAsUtf8(statsite::playerPage(world_, roots_, player).body);
    }
    QByteArray listPage(const SitePlayer& player, int page) const {
        return pageAsUtf8(statsite::gameListPage(world_, roots_, player, page).body);
    }
};

QString failureOf(const std::function<void()>& read) {
    try {
        read();
    } catch (const PageFailure& failure) {
        return failure.description();
    }
    return QStringLiteral("no failure");
}

TEST_F(PageReaders, PlayerPageGivesClanLevelsAndEmblemOfEveryPlayer) {
    int clans = 0;
    for (const SitePlayer& player : world_.players()) {
        SCOPED_TRACE(player.gamertag.toStdString());
        const PlayerPageFacts facts = readPlayerFacts(playerPage(player));
        ASSERT_EQ(facts.clan.has_value(), !player.clan.isEmpty());
        if (facts.clan) {
            EXPECT_EQ(*facts.clan, player.clan);
            ++clans;
        }
        const QList<statsite::PlaylistLevel> levels = world_.levelsOf(player);
        ASSERT_EQ(facts.levels.size(), levels.size());
        for (qsizetype i = 0; i < levels.size(); ++i) {
            EXPECT_EQ(facts.levels[i].playlist, levels[i].playlist);
            EXPECT_EQ(facts.levels[i].experienceLevel, levels[i].level);
            EXPECT_EQ(facts.levels[i].nextLevelProgress, 2.0 * levels[i].barWidth);
        }
        EXPECT_EQ(facts.primaryColourCode, player.emblem.primary);
        EXPECT_EQ(facts.secondaryColourCode, player.emblem.secondary);
        EXPECT_TRUE(facts.emblemQuery.startsWith("s=70&0="));
        EXPECT_FALSE(facts.emblemQuery.contains("amp;"));
        EXPECT_TRUE(smallEmblemQuery(facts.emblemQuery).startsWith("s=30&0=0&1=0&2=1&3=1&"));
    }
    EXPECT_GT(clans, 0);
}

TEST_F(PageReaders, PlayerPageWithoutAReadableEmblemIsRefusedWhole) {
    const QByteArray page = playerPage(world_.players().first());
    QByteArray noEmblem = page;
    noEmblem.replace("imgEmblem", "imgOther");
    EXPECT_EQ(failureOf([&] { readPlayerFacts(noEmblem); }), "the page lacks \"imgEmblem\"");

    // A colour beyond 32 bits is an unreadable page, not an overflow that
    // would end the whole download.
    const qsizetype at = page.indexOf("0=");
    ASSERT_GT(at, 0);
    QByteArray huge = page;
    huge.insert(at + 2, "99999999999");
    EXPECT_TRUE(
        failureOf([&] { readPlayerFacts(huge); }).startsWith("the emblem colour 99999999999"));
}

TEST_F(PageReaders, GameListPagesGiveEveryGameNewestFirstAndStopAtTheLastOne) {
    const SitePlayer& player = world_.players().first();
    const int pages = world_.pageCount(player);
    ASSERT_GT(pages, 1);
    ASSERT_EQ(gameListPageCount(listPage(player, 1)), pages);
    QList<ListedGame> listed;
    for (int page = 1; page <= pages; ++page) {
        const GameListRows rows = readGameListRows(listPage(player, page), std::nullopt);
        EXPECT_FALSE(rows.reachedStopGame);
        listed += rows.games;
    }
    const QList<const statsite::Game*> games = world_.gamesNewestFirst(player);
    ASSERT_EQ(listed.size(), games.size());
    for (qsizetype i = 0; i < games.size(); ++i) {
        EXPECT_EQ(listed[i].id, games[i]->id);
        EXPECT_EQ(listed[i].type, games[i]->type);
        EXPECT_EQ(listed[i].map, games[i]->map);
        EXPECT_EQ(listed[i].playlist, games[i]->playlist);
        EXPECT_FALSE(listed[i].dateTimeStamp.isEmpty());
    }

    const GameListRows upTo = readGameListRows(listPage(player, 1), games[2]->id);
    EXPECT_TRUE(upTo.reachedStopGame);
    ASSERT_EQ(upTo.games.size(), 2);
    EXPECT_EQ(upTo.games[1].id, games[1]->id);
}

TEST_F(PageReaders, GameListPageWithAnUnreadableRowGivesNoRows) {
    QByteArray page = listPage(world_.players().first(), 1);
    // The last row loses its cells: the rows before it are not given either,
    // so a page is stored whole or not at all.
    const qsizetype last = page.lastIndexOf("gameID=");
    ASSERT_GT(last, 0);
    page.truncate(last + 12);
    EXPECT_NE(failureOf([&] { readGameListRows(page, std::nullopt); }), "no failure");
}

}  // namespace
}  // namespace tw
