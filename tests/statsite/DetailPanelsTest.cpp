// The four detail panels read with the detail scrapers' rules give the world's
// places, colours, names, scores, kills, medals and shots, for guests, time
// scores, medal names with blanks and partially purged games too.
#include <gtest/gtest.h>

#include "statsite/DetailPages.h"
#include "statsite/PageText.h"
#include "statsite/ScraperRules.h"
#include "statsite/SiteFixture.h"
#include "statsite/WireClient.h"

namespace statsite_test {
namespace {

QByteArray panel(quint16 port, const Game& game, const char* name) {
    return fetch(port, "/stats/game.aspx?id=" + QByteArray::number(game.id) + "&panel=" + name)
        .bytes;
}

// The name the panels give an entry: a guest carries its row number.
QByteArray shownName(const Game& game, int index) {
    const GameEntry& entry = game.entries[index];
    return entry.gamertag.toUtf8() +
           (entry.guest ? " x" + QByteArray::number(rowNumber(index)) : QByteArray());
}

void expectPanels(quint16 port, const Game& game) {
    const ScrapedStats stats = scrapeStats(panel(port, game, "stats"));
    EXPECT_EQ(stats.purged, game.partiallyPurged);
    ASSERT_EQ(stats.entries.size(), game.entries.size()) << game.id;
    const QList<ScrapedEntry> kills = scrapeKills(panel(port, game, "kills"));
    ASSERT_EQ(kills.size(), game.entries.size());
    for (int i = 0; i < game.entries.size(); ++i) {
        const GameEntry& entry = game.entries[i];
        EXPECT_EQ(stats.entries[i].name, shownName(game, i));
        EXPECT_EQ(stats.entries[i].place, entry.place);
        EXPECT_EQ(stats.entries[i].color, entry.team.toUpper().toUtf8());
        const QByteArray& score = stats.entries[i].score;
        EXPECT_EQ(score.contains(':') ? timeTextSeconds(score) : leadingNumber(score), entry.score);
        EXPECT_EQ(kills[i].name, shownName(game, i));
        EXPECT_EQ(kills[i].values, (QList<QByteArray>{QByteArray::number(entry.kills),
                                                      QByteArray::number(entry.assists),
                                                      QByteArray::number(entry.deaths)}));
    }
    if (game.partiallyPurged) {
        return;
    }
    EXPECT_EQ(timeTextSeconds(stats.length), game.durationSeconds);
    const QList<ScrapedEntry> hits = scrapeHits(panel(port, game, "hits"));
    ASSERT_EQ(hits.size(), game.entries.size());
    QList<ScrapedMedal> expectedMedals;
    for (int i = 0; i < game.entries.size(); ++i) {
        const GameEntry& entry = game.entries[i];
        EXPECT_EQ(hits[i].name, shownName(game, i));
        EXPECT_EQ(hits[i].values, (QList<QByteArray>{QByteArray::number(entry.shotsHit),
                                                     QByteArray::number(entry.shotsFired),
                                                     QByteArray::number(entry.shotsToHead)}));
        for (const EarnedMedal& medal : entry.medals) {
            expectedMedals.append({shownName(game, i), double(medal.count), medal.name.toUtf8()});
        }
    }
    const QList<ScrapedMedal> medals = scrapeMedals(panel(port, game, "medals"));
    ASSERT_EQ(medals.size(), expectedMedals.size());
    for (qsizetype i = 0; i < medals.size(); ++i) {
        EXPECT_EQ(medals[i].name, expectedMedals[i].name);
        EXPECT_EQ(medals[i].count, expectedMedals[i].count);
        EXPECT_EQ(medals[i].medal, expectedMedals[i].medal);
    }
}

TEST(DetailPanels, EveryGameOfTheWorldReadsBackAsTheWorldHasIt) {
    RunningSite site;
    const World world = site.world();
    for (const Game& game : world.games()) {
        expectPanels(site.port(), game);
    }
    // Among them a medal name with blanks and a player without medals.
    gameWhere(world, [](const Game& g) {
        bool blank = false;
        bool none = false;
        for (const GameEntry& entry : g.entries) {
            none = none || entry.medals.isEmpty();
            for (const EarnedMedal& medal : entry.medals) {
                blank = blank || medal.name.contains(QLatin1Char(' '));
            }
        }
        return !g.partiallyPurged && blank && none;
    });
}

TEST(DetailPanels, TwoGuestsOfOnePlayerStayApartByTheirRowNumbers) {
    RunningSite site;
    const World world = site.world();
    const Game& game = world.games().at(1);
    QList<int> guests;
    for (int i = 0; i < game.entries.size(); ++i) {
        if (game.entries[i].guest) {
            guests.append(i);
        }
    }
    ASSERT_EQ(guests.size(), 2);
    EXPECT_EQ(game.entries[guests[0]].gamertag, game.entries[guests[1]].gamertag);
    const QByteArray host = game.entries[guests[0]].hostOfGuest.toUtf8();
    QSet<QByteArray> names;
    for (const ScrapedEntry& entry : scrapeKills(panel(site.port(), game, "kills"))) {
        if (entry.name.startsWith(host + "(G) x")) {
            names.insert(entry.name);
        }
    }
    EXPECT_EQ(names, (QSet<QByteArray>{host + "(G) x" + QByteArray::number(guests[0] + 2),
                                       host + "(G) x" + QByteArray::number(guests[1] + 2)}));
}

TEST(DetailPanels, TimedGamesShowClockScoresAndTheGameLength) {
    RunningSite site;
    const World world = site.world();
    const Game& game = world.games().at(1);
    ASSERT_TRUE(game.timed);
    const ScrapedStats stats = scrapeStats(panel(site.port(), game, "stats"));
    for (int i = 0; i < stats.entries.size(); ++i) {
        EXPECT_EQ(stats.entries[i].score, pagetext::clock(game.entries[i].score));
    }
    EXPECT_EQ(stats.length, pagetext::clock(game.durationSeconds));
    EXPECT_EQ(pagetext::clock(3723), "01:02:03");
}

TEST(DetailPanels, PartiallyPurgedGameKeepsOnlyCarnageAndKills) {
    RunningSite site;
    const World world = site.world();
    const Game& game = world.games().at(0);
    ASSERT_TRUE(game.partiallyPurged);
    const QByteArray stats = panel(site.port(), game, "stats");
    EXPECT_GT(inStr(1, stats, "game has been partially purged"), 0);
    EXPECT_EQ(inStr(1, stats, "Game Length:"), 0);
    EXPECT_EQ(scrapeKills(panel(site.port(), game, "kills")).size(), game.entries.size());
    EXPECT_EQ(inStr(1, panel(site.port(), game, "medals"), "tdPlayer"), 0);
    EXPECT_EQ(inStr(1, panel(site.port(), game, "hits"), "tdPlayer"), 0);
    const Game& whole = world.games().at(1);
    EXPECT_EQ(inStr(1, panel(site.port(), whole, "stats"), "partially purged"), 0);
}

TEST(DetailPanels, UnknownGamesAndPanelsAreNotFound) {
    RunningSite site;
    const qint32 id = site.world().games().first().id;  // a copy of the world's first id
    EXPECT_TRUE(fetch(site.port(), "/stats/game.aspx?id=1&panel=stats")
                    .bytes.startsWith("HTTP/1.0 404 Not Found\r\n"));
    EXPECT_TRUE(fetch(site.port(), "/stats/game.aspx?id=" + QByteArray::number(id) + "&panel=x")
                    .bytes.startsWith("HTTP/1.0 404 Not Found\r\n"));
    // The game list's links (gameID=) lead a browser to the same panels.
    EXPECT_EQ(
        fetch(site.port(), "/stats/game.aspx?gameID=" + QByteArray::number(id) + "&panel=kills")
            .bytes,
        fetch(site.port(), "/stats/game.aspx?id=" + QByteArray::number(id) + "&panel=kills").bytes);
}

}  // namespace
}  // namespace statsite_test
