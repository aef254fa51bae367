// A download by the scrapers' rules over real sockets must leave exactly the rows
// of the site's ground truth: the pages carry every marker at the offsets the
// program reads, and the truth describes what those pages say. The whole tag
// list, an unknown gamertag and a download after growth are checked against the
// truth with the program itself (tests/e2e DownloadTruthTest); here are the
// cases those do not reach: other roots, many pages, a player with no new games.
#include <gtest/gtest.h>

#include <algorithm>

#include "statsite/MiniDownload.h"
#include "statsite/SiteFixture.h"
#include "statsite/Truth.h"

namespace statsite_test {
namespace {

void expectSameTables(const QMap<QByteArray, QList<QByteArray>>& downloaded,
                      const QMap<QByteArray, QList<QByteArray>>& truth) {
    EXPECT_EQ(QList<QByteArray>(downloaded.keys()).join(' '),
              QList<QByteArray>(truth.keys()).join(' '));
    for (auto it = truth.constBegin(); it != truth.constEnd(); ++it) {
        const QList<QByteArray> got = downloaded.value(it.key());
        EXPECT_EQ(got.size(), it.value().size()) << it.key().constData();
        for (qsizetype i = 0; i < qMin(got.size(), it.value().size()); ++i) {
            if (got[i] != it.value()[i]) {
                ADD_FAILURE() << it.key().constData() << " row " << i
                              << "\n downloaded: " << got[i].constData()
                              << "\n truth:      " << it.value()[i].constData();
                break;
            }
        }
    }
}

TEST(DownloadAgainstTruth, ManyPagesAndOtherRootsAndASecondSeed) {
    SiteConfig config = RunningSite::withWorld(77, 3, 160);
    config.world.pageSize = 5;
    config.roots.stats = QStringLiteral("/h2/playerstats.asp?gt=");
    config.roots.games = QStringLiteral("/h2/history.asp?gt=");
    config.roots.detail = QStringLiteral("/h2/carnage.asp?gid=");
    config.roots.image = QStringLiteral("/h2/emblem.asp?");
    RunningSite site(config);
    const World world = site.world();
    const QString busiest = world.featuredGamertags().first();
    ASSERT_GT(world.pageCount(*world.findPlayer(busiest)), 12);
    MiniDownload download(site.port(), config.roots);
    download.addTag(busiest.toUtf8());
    download.download(busiest.toUtf8());
    expectSameTables(download.tables(), truthTables(site.site().truth({busiest})));
}

TEST(DownloadAgainstTruth, PlayerMetEarlierKeepsTheTagListRowAndNoNewGamesLeavesNoDownloadMark) {
    RunningSite site(RunningSite::withWorld(11, 1, 30));
    const World world = site.world();
    // With one host every other player's games are the host's games; such a player,
    // downloaded second, finds no new games and its download records nothing.
    const QString host = world.featuredGamertags().first();
    const QList<int> hostGames = world.findPlayer(host)->games;
    const SitePlayer& partner = playerWhere(world, [&](const SitePlayer& p) {
        return !p.featured && !p.games.isEmpty() &&
               std::all_of(p.games.cbegin(), p.games.cend(),
                           [&](int index) { return hostGames.contains(index); });
    });
    const QStringList tags = {host, partner.gamertag};
    MiniDownload download(site.port());
    for (const QString& tag : tags) {
        download.addTag(tag.toUtf8());
    }
    for (const QString& tag : tags) {
        download.download(tag.toUtf8());
    }
    const auto truth = truthTables(site.site().truth(tags));
    expectSameTables(download.tables(), truth);
    QByteArray partnerRow;
    for (const QByteArray& row : truth["Player"]) {
        if (row.startsWith(partner.gamertag.toUtf8() + '\t')) {
            partnerRow = row;
        }
    }
    EXPECT_TRUE(partnerRow.contains("\t0\t\\N\tY\t")) << partnerRow.constData();
}

TEST(DownloadAgainstTruth, TruthTablesNameTheSchemasColumns) {
    RunningSite site;
    const auto tables = parseTruth(site.site().truth({}));
    const QMap<QByteArray, QByteArray> expected = {
        {"Game", "Game_ID Type Date_Time_Stamp Map Playlist Was_Partially_Purged Duration_Seconds"},
        {"Game_Player",
         "Game_ID Player_Gamertag Finished_Place Team_Color Score Kills Assists "
         "Deaths Shots_Fired Shots_Hit Shots_to_Head"},
        {"Game_Player_Medal", "Game_ID Player_Gamertag Medal_Name Count_Earned"},
        {"Player_Playlist", "Player_Gamertag Playlist Experience_Level Next_Level_Progress"},
        {"Player",
         "Player_Gamertag Clan_Name Primary_Color_Code Secondary_Color_Code "
         "Personal_Quote Last_Game_ID Last_Download Is_Selectable Is_Friend Is_Clan "
         "Is_Jerk Is_Guest"},
        {"Clan", "Clan_Name Website_URL Column_3 Column_4 Column_5"}};
    ASSERT_EQ(tables.size(), expected.size());
    for (auto it = expected.constBegin(); it != expected.constEnd(); ++it) {
        const TruthTable table = tables.value(it.key());
        EXPECT_EQ(table.columns.join(' '), it.value());
        for (const QByteArray& row : table.rows) {
            EXPECT_EQ(row.count('\t') + 1, table.columns.size()) << row.constData();
        }
    }
}

}  // namespace
}  // namespace statsite_test
