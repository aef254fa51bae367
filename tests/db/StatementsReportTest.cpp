// The report's own statements (header, career, quits, EGR, trophy room and the
// efficiency crosstab), run by the engine on the stored world.

#include "StatementsWorld.h"
#include "report/ReportStatements.h"

namespace tw::test {
namespace {

using ReportStatements = StatementsTest;

TEST_F(ReportStatements, HeaderActivityAndPlaylistsOfAPlayer) {
    auto header = db_->openRecordset(headerStatement(QStringLiteral("Major Tom")));
    EXPECT_EQ(fieldNamesOf(*header).join(u','),
              QStringLiteral("Player_Gamertag,Clan_Name,Website_URL,Personal_Quote,Color1,Color2,"
                             "Inverted_Text_Color"));
    EXPECT_EQ(rowsOf(*header),
              QStringList{"Major Tom|Red Team|http://red.example|Null|FFFFFF|C13E3E|000000"});
    EXPECT_EQ(rows(activityStatement(QStringLiteral("Major Tom"))),
              QStringList{"1/5/2005 10:00:00 AM|3/1/2005 11:00:00 AM"});
    EXPECT_EQ(rows(levelsStatement(QStringLiteral("Major Tom"))),
              QStringList({"Big Team Battle|L05.bmp", "Head to Head|L12.bmp", "Rumble Pit|L07.bmp",
                           "Team Skirmish|L03.bmp", "Team Snipers|L00.bmp"}));
    // A player without playlist rows still has the other two.
    EXPECT_TRUE(rows(levelsStatement(QStringLiteral("Bravo"))).isEmpty());
    EXPECT_EQ(rows(activityStatement(QStringLiteral("Bravo"))).size(), 1);
    EXPECT_TRUE(rows(activityStatement(QStringLiteral("Nobody"))).isEmpty());
    // Without a clan the outer join still finds the player.
    Run(QStringLiteral("update Player set Clan_Name = Null where Player_Gamertag = 'Major Tom'"));
    EXPECT_EQ(rows(headerStatement(QStringLiteral("Major Tom"))),
              QStringList{"Major Tom|Null|Null|Null|FFFFFF|C13E3E|000000"});
}

TEST_F(ReportStatements, CareerTotalsWithNullWhereNothingMatches) {
    EXPECT_EQ(
        fieldNamesOf(*db_->openRecordset(careerStatement(QStringLiteral("Major Tom")))).join(u','),
        QStringLiteral("Player_Gamertag,AllGames,PurgedGames,RankGames,Firsts,Time_Played,"
                       "Kills,Assists,Deaths,Shots_Fired,Shots_Hit,Shots_to_Head,Medals"));
    EXPECT_EQ(rows(careerStatement(QStringLiteral("Major Tom"))),
              QStringList{"Major Tom|4|1|3|2|1800|20|3|12|150|60|7|4"});
    EXPECT_EQ(rows(careerStatement(QStringLiteral("Bravo"))),
              QStringList{"Bravo|2|Null|1|1|900|13|1|14|140|50|4|1"});
    EXPECT_TRUE(rows(careerStatement(QStringLiteral("Nobody"))).isEmpty());
}

TEST_F(ReportStatements, QuitsAreGamesWithoutAnyActionPerKind) {
    EXPECT_EQ(rows(quitsStatement(QStringLiteral("Major Tom"))), QStringList{"Y|3|4|1"});
    EXPECT_TRUE(rows(quitsStatement(QStringLiteral("Bravo"))).isEmpty());
    // A custom quit with shot data missing entirely counts too.
    Run(QStringLiteral("insert into Game_Player values(2,'Example',4,'',0,0,0,0,Null,Null,Null)"));
    EXPECT_EQ(rows(quitsStatement(QStringLiteral("Example"))), QStringList{"N|1|2|1"});
}

TEST_F(ReportStatements, EgrPointsFollowTheModel) {
    // The worked example: KApD 1.0, TA 80 and Honor 10.
    auto example = db_->openRecordset(egrStatement(QStringLiteral("Example")));
    ASSERT_FALSE(example->isEof());
    EXPECT_EQ(example->field(QStringLiteral("Games")), Variant(1));
    EXPECT_DOUBLE_EQ(example->field(QStringLiteral("KApD")).toDouble(), 1.0);
    EXPECT_NEAR(example->field(QStringLiteral("TA")).toDouble(), 80.0, 1e-9);
    EXPECT_DOUBLE_EQ(example->field(QStringLiteral("Honor")).toDouble(), 10.0);
    EXPECT_NEAR(example->field(QStringLiteral("Points1")).toDouble(), 26.449, 5e-5);
    EXPECT_NEAR(example->field(QStringLiteral("Points2")).toDouble(), 24.8229, 5e-5);
    EXPECT_NEAR(example->field(QStringLiteral("Points3")).toDouble(), 10.2969, 5e-5);
    EXPECT_EQ(example->field(QStringLiteral("EGR")).toDouble(), 615);  // Int keeps a Double

    // Ranked games with shot data only (1 and 4); the sample is ranked and unpurged.
    auto tom = db_->openRecordset(egrStatement(QStringLiteral("Major Tom")));
    EXPECT_EQ(rowsOf(*tom).value(0).section(u'|', 0, 9),
              QStringLiteral("Major Tom|2|10|2|5|100|40|5|2.4|90"));
    tom->moveFirst();
    EXPECT_EQ(tom->field(QStringLiteral("EGR")).toDouble(), 758);

    // No ranked game with shot data: no row.
    EXPECT_TRUE(rows(egrStatement(QStringLiteral("Guest(G)"))).isEmpty());
}

TEST_F(ReportStatements, EgrRatiosOverNothingDivideByNothing) {
    // No death counts as one, as in the matrix: no division by zero.
    Run(QStringLiteral("update Game_Player set Deaths = 0 where Player_Gamertag = 'Example'"));
    auto example = db_->openRecordset(egrStatement(QStringLiteral("Example")));
    ASSERT_FALSE(example->isEof());
    EXPECT_DOUBLE_EQ(example->field(QStringLiteral("KApD")).toDouble(),
                     example->field(QStringLiteral("Kills")).toDouble() +
                         example->field(QStringLiteral("Assists")).toDouble());
}

TEST_F(ReportStatements, TrophyRoomMostEarnedFirst) {
    EXPECT_EQ(rows(trophyStatement(QStringLiteral("Major Tom"))),
              QStringList({"Double Kill|3|Major Tom|3|1.5|Double Kill - Kill 2 opponents within 4 "
                           "seconds of each other",
                           "Sniper Kill|3|Major Tom|1|1.25|Sniper Kill - Kill an opponent with a "
                           "sniper rifle head shot"}));
    EXPECT_TRUE(rows(trophyStatement(QStringLiteral("Guest(G)"))).isEmpty());
}

TEST_F(ReportStatements, EfficiencyCrosstabRankedRowsFirstOneColumnPerMapPrefix) {
    for (const bool kapd : {true, false}) {
        SCOPED_TRACE(kapd ? "KApD" : "KpD");
        auto matrix = db_->openRecordset(matrixStatement(QStringLiteral("Major Tom"), kapd));
        EXPECT_EQ(fieldNamesOf(*matrix).join(u','), QStringLiteral("Ranked,Type,Loc,Mid"));
        matrix->moveLast();
        EXPECT_EQ(matrix->recordCount(), 2);
        matrix->moveFirst();
        EXPECT_EQ(matrix->field(0), Variant("Y"));
        EXPECT_EQ(matrix->field(1), Variant("Slayer"));
        EXPECT_EQ(matrix->field(2), Variant(kapd ? "2|10|2|5" : "2|10|0|5"));
        EXPECT_EQ(matrix->field(3), Variant("1|6|0|3"));
        matrix->moveNext();
        EXPECT_EQ(matrix->field(0), Variant("N"));
        EXPECT_EQ(matrix->field(1), Variant("CTF"));
        EXPECT_TRUE(matrix->field(2).isNull());
        EXPECT_EQ(matrix->field(3), Variant(kapd ? "1|4|1|4" : "1|4|0|4"));
    }
    EXPECT_TRUE(rows(matrixStatement(QStringLiteral("Nobody"), false)).isEmpty());
}

}  // namespace
}  // namespace tw::test
