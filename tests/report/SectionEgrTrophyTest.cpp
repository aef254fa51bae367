// The rating and the trophy room on seeded databases.

#include "ReportTestSupport.h"

namespace tw::test {
namespace {

class EgrTrophy : public ReportTest {
  protected:
    // `games` ranked games; per game 1 kill, 0 assists, 1 death, 10 shots of
    // which 5 hit, and 30 head shots over the first 30 games (so KApD 1.0 and
    // TA 80 when there are 100 games). Killtacular (factor 4, 4^1.5 = 8)
    // earned 125 times gives honor 1000 / games.
    void addRatedGames(
        int games, const QString& values = QStringLiteral("1, 'RED', 10, 1, 0, 1, 10, 5, "
                                                          "CASE WHEN i <= 30 THEN 1 ELSE 0 END")) {
        addPlayer(QStringLiteral("Red Fox"));
        addGames(QStringLiteral("Red Fox"), 1, games, values);
        seed(QStringLiteral(
            "INSERT INTO Game_Player_Medal VALUES (1, 'Red Fox', 'Killtacular', 125);"));
    }
};

TEST_F(EgrTrophy, WorkedExampleWithAHundredSampleGames) {
    addRatedGames(100);
    // Custom and partially purged games are outside the sample.
    addGames(QStringLiteral("Red Fox"), 500, 7, QStringLiteral("1, 'RED', 10, 9, 0, 0, 1, 1, 1"),
             QStringLiteral("'CTF', 'Midship', 'Arranged Game', 'N', 300"));
    addGames(QStringLiteral("Red Fox"), 600, 3,
             QStringLiteral("1, 'RED', 10, 9, 0, 0, NULL, NULL, NULL"),
             QStringLiteral("'CTF', 'Midship', 'Team Skirmish', 'Y', NULL"));
    EXPECT_EQ(filledLine(kRatingTokens), QStringLiteral("100 264 248 102 614 ..\\egr\\E06.jpg"));
}

TEST_F(EgrTrophy, NinetyNineSampleGamesGiveOnlyTheSampleSize) {
    addRatedGames(99);
    EXPECT_EQ(filledLine(kRatingTokens), QStringLiteral("99 - - - 000 ..\\egr\\E00.jpg"));
}

TEST_F(EgrTrophy, ARatingOfAThousandOrMoreIsShownAs901) {
    addRatedGames(100, QStringLiteral("1, 'RED', 10, 1000, 0, 1, 10, 5, 1"));
    const auto v = filled(kRatingTokens);
    EXPECT_GE(v["EGR_EFFICIENCY"].toInt(), 1000);
    EXPECT_EQ(v["EGR"], QStringLiteral("901"));
    EXPECT_EQ(v["EGR_ICON"], QStringLiteral("..\\egr\\E09.jpg"));
}

TEST_F(EgrTrophy, NegativeMarksmanshipRoundsDownAndLowersTheRating) {
    // TA 5: 12.033 ln 5 - 27.906 = -8.54, shown as -86.
    addRatedGames(100, QStringLiteral("1, 'RED', 10, 1, 0, 1, 20, 1, 0"));
    EXPECT_EQ(filledLine(kRatingTokens), QStringLiteral("100 264 -86 102 280 ..\\egr\\E02.jpg"));
}

TEST_F(EgrTrophy, ANegativeRatingShowsTheLowestBandPicture) {
    // KApD 0.01 and TA 1: points 18, -280 and 102.
    addRatedGames(100, QStringLiteral("1, 'RED', 10, 1, 0, 100, 100, 1, 0"));
    EXPECT_EQ(filledLine(kRatingTokens), QStringLiteral("100 18 -280 102 -160 ..\\egr\\E00.jpg"));
}

TEST_F(EgrTrophy, TrophyRoomListsMedalsByCountWithTheRateOverUnpurgedGames) {
    addPlayer(QStringLiteral("Red Fox"));
    addGames(QStringLiteral("Red Fox"), 1, 40, QStringLiteral("1, 'RED', 10, 1, 0, 1, 10, 5, 0"));
    addGames(QStringLiteral("Red Fox"), 100, 5,
             QStringLiteral("1, 'RED', 10, 1, 0, 1, NULL, NULL, NULL"),
             QStringLiteral("'Slayer', 'Lockout', 'Team Skirmish', 'Y', NULL"));
    seed(
        QStringLiteral("INSERT INTO Game_Player_Medal VALUES (1, 'Red Fox', 'Double Kill', 5),"
                       " (2, 'Red Fox', 'Double Kill', 7), (3, 'Red Fox', 'Sniper Kill', 20);"));
    const QString expected = QStringLiteral(
        "<table border=\"1\" align=\"center\" width=\"100%\"><tr align=\"center\" "
        "class=\"matrixhdr\"><td width=\"30\">Icon</td><td width=\"50\">Earned</td><td "
        "width=\"70\">Per Game</td><td width=\"60\">Difficulty</td><td "
        "width=\"*\">Description</td></tr>"
        "<tr align=\"center\"><td><img alt=\"Medal\" src=\"..\\medal\\Sniper Kill.bmp\">&nbsp;"
        "</td><td>20</td><td>0.5</td><td>1.25</td><td align=\"left\">Sniper Kill - Kill an "
        "opponent with a sniper rifle head shot</td></tr>"
        "<tr align=\"center\"><td><img alt=\"Medal\" src=\"..\\medal\\Double Kill.bmp\">&nbsp;"
        "</td><td>12</td><td>0.3</td><td>1.5</td><td align=\"left\">Double Kill - Kill 2 "
        "opponents within 4 seconds of each other</td></tr></table>");
    EXPECT_EQ(filled({"TROPHY_ROOM"})["TROPHY_ROOM"], expected);
    EXPECT_EQ(filled({"TOTAL_MEDALS"})["TOTAL_MEDALS"], QStringLiteral("32 (0.8 mpg)"));

    // No medal yet: the room says so, and every game is spread over again.
    seed(QStringLiteral("DELETE FROM Game_Player_Medal;"));
    EXPECT_EQ(filled({"TROPHY_ROOM"})["TROPHY_ROOM"], QStringLiteral("-"));
    EXPECT_EQ(filled({"TOTAL_MEDALS"})["TOTAL_MEDALS"], QStringLiteral("0 (0.0 mpg)"));
}

}  // namespace
}  // namespace tw::test
