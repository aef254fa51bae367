// The report's statements (header, career, quits, EGR, trophy room and the
// efficiency crosstab) as the report builds them, on the stored world.

#include <cmath>

#include "StatementsWorld.h"

namespace tw::test {
namespace {

QString ForPlayer(const char* statement, const QString& gamertag) {
    return QString::fromUtf8(statement).replace(QStringLiteral("{gamertag}"), gamertag);
}

const char* kHeader =
    "SELECT Player.Player_Gamertag, Clan.Clan_Name, Clan.Website_URL, Player.Primary_Color_Code, "
    "Player.Secondary_Color_Code, Player.Personal_Quote, Player_Playlist.Playlist, \"L\" & "
    "(format(Player_Playlist.Experience_Level,\"00\") & \".bmp\") as Experience_Level, "
    "Min(Game.Date_Time_Stamp) AS First_Game, Max(Game.Date_Time_Stamp) AS Last_Game, "
    "Color.Hexadecimal_Format AS Color1, Color_1.Hexadecimal_Format AS Color2, "
    "Color.Inverted_Text_Color FROM (Color INNER JOIN (((Clan RIGHT JOIN Player ON "
    "Clan.Clan_Name = Player.Clan_Name) INNER JOIN (Game INNER JOIN Game_Player ON Game.Game_ID "
    "= Game_Player.Game_ID) ON Player.Player_Gamertag = Game_Player.Player_Gamertag) INNER JOIN "
    "Player_Playlist ON Player.Player_Gamertag = Player_Playlist.Player_Gamertag) ON "
    "Color.Color_Code = Player.Primary_Color_Code) INNER JOIN Color AS Color_1 ON "
    "Player.Secondary_Color_Code = Color_1.Color_Code GROUP BY Player.Player_Gamertag, "
    "Clan.Clan_Name, Clan.Website_URL, Player.Primary_Color_Code, Player.Secondary_Color_Code, "
    "Player.Personal_Quote, Player_Playlist.Playlist, Player_Playlist.Experience_Level, "
    "Color.Hexadecimal_Format, Color_1.Hexadecimal_Format, Color.Inverted_Text_Color HAVING "
    "Player.Player_Gamertag=\"{gamertag}\" ORDER BY Player_Playlist.Playlist ASC;";

const char* kCareer =
    "SELECT Game_Player.Player_Gamertag, (select count(GM.Game_ID) from Game_Player as GM where "
    "Game_Player.Player_Gamertag=GM.Player_Gamertag GROUP BY GM.Player_Gamertag) AS AllGames, "
    "(select count(GP.Game_ID) from Game_Player as GP, Game as G where G.Game_ID = GP.Game_ID AND "
    "Game_Player.Player_Gamertag=GP.Player_Gamertag AND G.Was_Partially_Purged=\"Y\" GROUP BY "
    "GP.Player_Gamertag) AS PurgedGames, (select count(GP.Game_ID) from Game_Player as GP, Game "
    "as G where G.Game_ID = GP.Game_ID AND Game_Player.Player_Gamertag=GP.Player_Gamertag AND "
    "G.Playlist <> \"Arranged Game\" GROUP BY GP.Player_Gamertag) AS RankGames, (select "
    "count(GP.Game_ID) from Game_Player as GP where Game_Player.Player_Gamertag=GP.Player_Gamertag "
    "AND GP.Finished_Place=1 GROUP BY GP.Player_Gamertag) AS Firsts, Sum(Game.Duration_Seconds) "
    "AS Time_Played, Sum(Game_Player.Kills) AS Kills, Sum(Game_Player.Assists) AS Assists, "
    "Sum(Game_Player.Deaths) AS Deaths, Sum(Game_Player.Shots_Fired) AS Shots_Fired, "
    "Sum(Game_Player.Shots_Hit) AS Shots_Hit, Sum(Game_Player.Shots_to_Head) AS Shots_to_Head, "
    "(select sum(GPM.Count_Earned) from Game_Player_Medal as GPM where "
    "Game_Player.Player_Gamertag=GPM.Player_Gamertag GROUP BY GPM.Player_Gamertag) AS Medals "
    "FROM Game INNER JOIN Game_Player ON Game.Game_ID = Game_Player.Game_ID GROUP BY "
    "Game_Player.Player_Gamertag HAVING Game_Player.Player_Gamertag=\"{gamertag}\";";

const char* kQuits =
    "SELECT IIf([Game].[Playlist]=\"Arranged Game\",\"N\",\"Y\") AS IsRank, (select  "
    "count(GP.Game_ID) from Game_Player as GP, Game as G where G.Game_ID = GP.Game_ID AND "
    "Game_Player.Player_Gamertag=GP.Player_Gamertag AND G.Playlist <> \"Arranged Game\" GROUP BY "
    "GP.Player_Gamertag ) AS RankGames, (select  count(GM.Game_ID) from Game_Player as GM where "
    "Game_Player.Player_Gamertag=GM.Player_Gamertag GROUP BY GM.Player_Gamertag ) AS AllGames, "
    "Count(Game_Player.Game_ID) AS Quits FROM Game INNER JOIN Game_Player ON Game.Game_ID = "
    "Game_Player.Game_ID Where (((Game_Player.Kills) = 0) And ((Game_Player.Assists) = 0) And "
    "((Game_Player.Deaths) = 0) And ((Game_Player.Shots_Fired) = 0 Or (Game_Player.Shots_Fired) "
    "Is Null)) GROUP BY Game_Player.Player_Gamertag, "
    "IIf([Game].[Playlist]=\"Arranged Game\",\"N\",\"Y\") HAVING "
    "(((Game_Player.Player_Gamertag)=\"{gamertag}\"));";

const char* kEgr =
    "SELECT Game_Player.Player_Gamertag, (select  count(GP.Game_ID) from Game_Player as GP, Game "
    "as G where G.Game_ID = GP.Game_ID AND Game_Player.Player_Gamertag=GP.Player_Gamertag AND "
    "G.Was_Partially_Purged=\"N\" AND G.Playlist <> \"Arranged Game\" GROUP BY "
    "GP.Player_Gamertag ) AS Games, Sum(Game_Player.Kills) AS Kills, Sum(Game_Player.Assists) AS "
    "Assists, Sum(Game_Player.Deaths) AS Deaths, Sum(Game_Player.Shots_Fired) AS Shots_Fired, "
    "Sum(Game_Player.Shots_Hit) AS Shots_Hit, Sum(Game_Player.Shots_to_Head) AS Shots_to_Head, "
    "([Kills]+[Assists])/[Deaths] AS KApD, "
    "100*(([Shots_to_Head]/[Kills])+([Shots_Hit]/[Shots_Fired])) AS TA, (select "
    "sum((M.Difficulty_Factor^1.5)*GPM.Count_Earned) from Game_Player_Medal as GPM, Medal as M "
    "where GPM.Medal_Name=M.Medal_Name and GPM.Player_Gamertag=Game_Player.Player_Gamertag GROUP "
    "BY GPM.Player_Gamertag)/[Games] AS Honor, 26.449*[KApD]^0.5733 AS Points1, "
    "12.033*Log([TA])-27.906 AS Points2, 3.0726*[Honor]^0.5252 AS Points3, "
    "Int(([Points1]+[Points2]+[Points3])*10) AS EGR FROM Game INNER JOIN Game_Player ON "
    "Game.Game_ID = Game_Player.Game_ID Where (((Game.Playlist) <> \"Arranged Game\") And "
    "((Game_Player.Shots_Fired) Is Not Null))GROUP BY Game_Player.Player_Gamertag HAVING "
    "Game_Player.Player_Gamertag = \"{gamertag}\";";

const char* kTrophy =
    "SELECT Game_Player_Medal.Medal_Name, (select  count(GP.Game_ID) from Game_Player as GP, Game "
    "as G where G.Game_ID = GP.Game_ID AND Game_Player_Medal.Player_Gamertag=GP.Player_Gamertag "
    "AND G.Was_Partially_Purged=\"N\" GROUP BY GP.Player_Gamertag ) AS NonPurgedGames, "
    "Game_Player_Medal.Player_Gamertag, Sum(Game_Player_Medal.Count_Earned) AS Medals, "
    "Medal.Difficulty_Factor, [Short_Description] & \" - \" & [Long_Description] AS Descr FROM "
    "Medal INNER JOIN Game_Player_Medal ON Medal.Medal_Name = Game_Player_Medal.Medal_Name GROUP "
    "BY Game_Player_Medal.Medal_Name, Game_Player_Medal.Player_Gamertag, "
    "Medal.Difficulty_Factor, [Short_Description] & \" - \" & [Long_Description] Having "
    "Game_Player_Medal.Player_Gamertag = \"{gamertag}\" ORDER BY "
    "Sum(Game_Player_Medal.Count_Earned) DESC;";

// The crosstab as the report builds it, X being the assists piece.
QString Matrix(const QString& x, const QString& gamertag) {
    return QStringLiteral("TRANSFORM Count([Game.Game_ID]) & \"|\" & Sum([Kills]) & \"|\" & ") + x +
           QStringLiteral(
               " & \"|\" & Sum([Deaths]) AS Piper SELECT "
               "IIf([Game].[Playlist]=\"Arranged Game\",\"N\",\"Y\") AS Ranked, Game.Type FROM "
               "Game "
               "INNER JOIN Game_Player ON Game.Game_ID = Game_Player.Game_ID Where "
               "Game_Player.Player_Gamertag = \"") +
           gamertag +
           QStringLiteral(
               "\" GROUP BY Game.Type, IIf([Game].[Playlist]=\"Arranged "
               "Game\",\"N\",\"Y\") ORDER BY IIf([Game].[Playlist]=\"Arranged "
               "Game\",\"N\",\"Y\") DESC PIVOT Left([Map],3);");
}

using ReportStatements = StatementsTest;

TEST_F(ReportStatements, HeaderGivesOneRowPerPlaylistInNameOrder) {
    auto header = db_->OpenRecordset(ForPlayer(kHeader, QStringLiteral("Major Tom")));
    EXPECT_EQ(FieldNamesOf(*header).join(u','),
              QStringLiteral("Player_Gamertag,Clan_Name,Website_URL,Primary_Color_Code,"
                             "Secondary_Color_Code,Personal_Quote,Playlist,Experience_Level,"
                             "First_Game,Last_Game,Color1,Color2,Inverted_Text_Color"));
    const QString same =
        QStringLiteral("1/5/2005 10:00:00 AM|3/1/2005 11:00:00 AM|FFFFFF|C13E3E|000000");
    const QString who = QStringLiteral("Major Tom|Red Team|http://red.example|0|2|Null|");
    EXPECT_EQ(
        RowsOf(*header),
        QStringList({who + "Big Team Battle|L05.bmp|" + same, who + "Head to Head|L12.bmp|" + same,
                     who + "Rumble Pit|L07.bmp|" + same, who + "Team Skirmish|L03.bmp|" + same,
                     who + "Team Snipers|L00.bmp|" + same}));
    // No playlist rows, or no games: no rows at all.
    EXPECT_TRUE(Rows(ForPlayer(kHeader, QStringLiteral("Bravo"))).isEmpty());
    // Without a clan the outer join still finds the player.
    Run(QStringLiteral("update Player set Clan_Name = Null where Player_Gamertag = 'Major Tom'"));
    EXPECT_EQ(Rows(ForPlayer(kHeader, QStringLiteral("Major Tom"))).value(0),
              QStringLiteral("Major Tom|Null|Null|0|2|Null|Big Team Battle|L05.bmp|") + same);
}

TEST_F(ReportStatements, CareerTotalsWithNullWhereNothingMatches) {
    EXPECT_EQ(FieldNamesOf(*db_->OpenRecordset(ForPlayer(kCareer, QStringLiteral("Major Tom"))))
                  .join(u','),
              QStringLiteral("Player_Gamertag,AllGames,PurgedGames,RankGames,Firsts,Time_Played,"
                             "Kills,Assists,Deaths,Shots_Fired,Shots_Hit,Shots_to_Head,Medals"));
    EXPECT_EQ(Rows(ForPlayer(kCareer, QStringLiteral("Major Tom"))),
              QStringList{"Major Tom|4|1|3|2|1800|20|3|12|150|60|7|4"});
    EXPECT_EQ(Rows(ForPlayer(kCareer, QStringLiteral("Bravo"))),
              QStringList{"Bravo|2|Null|1|1|900|13|1|14|140|50|4|1"});
    EXPECT_TRUE(Rows(ForPlayer(kCareer, QStringLiteral("Nobody"))).isEmpty());
}

TEST_F(ReportStatements, QuitsAreGamesWithoutAnyActionPerKind) {
    EXPECT_EQ(Rows(ForPlayer(kQuits, QStringLiteral("Major Tom"))), QStringList{"Y|3|4|1"});
    EXPECT_TRUE(Rows(ForPlayer(kQuits, QStringLiteral("Bravo"))).isEmpty());
    // A custom quit with shot data missing entirely counts too.
    Run(QStringLiteral("insert into Game_Player values(2,'Example',4,'',0,0,0,0,Null,Null,Null)"));
    EXPECT_EQ(Rows(ForPlayer(kQuits, QStringLiteral("Example"))), QStringList{"N|1|2|1"});
}

TEST_F(ReportStatements, EgrPointsFollowTheModel) {
    // The worked example: KApD 1.0, TA 80 and Honor 10.
    auto example = db_->OpenRecordset(ForPlayer(kEgr, QStringLiteral("Example")));
    ASSERT_FALSE(example->IsEOF());
    EXPECT_EQ(example->Field(QStringLiteral("Games")), Variant(1));
    EXPECT_DOUBLE_EQ(example->Field(QStringLiteral("KApD")).toDouble(), 1.0);
    EXPECT_NEAR(example->Field(QStringLiteral("TA")).toDouble(), 80.0, 1e-9);
    EXPECT_DOUBLE_EQ(example->Field(QStringLiteral("Honor")).toDouble(), 10.0);
    EXPECT_NEAR(example->Field(QStringLiteral("Points1")).toDouble(), 26.449, 5e-5);
    EXPECT_NEAR(example->Field(QStringLiteral("Points2")).toDouble(), 24.8229, 5e-5);
    EXPECT_NEAR(example->Field(QStringLiteral("Points3")).toDouble(), 10.2969, 5e-5);
    EXPECT_EQ(example->Field(QStringLiteral("EGR")).toDouble(), 615);  // Int keeps a Double

    // Ranked games with shot data only (1 and 4); the sample is ranked and unpurged.
    auto tom = db_->OpenRecordset(ForPlayer(kEgr, QStringLiteral("Major Tom")));
    EXPECT_EQ(RowsOf(*tom).value(0).section(u'|', 0, 9),
              QStringLiteral("Major Tom|2|10|2|5|100|40|5|2.4|90"));
    tom->MoveFirst();
    const double honor = (std::pow(1.5, 1.5) * 3 + std::pow(1.25, 1.5)) / 2;
    EXPECT_NEAR(tom->Field(QStringLiteral("Honor")).toDouble(), honor, 1e-9);
    EXPECT_NEAR(tom->Field(QStringLiteral("Points1")).toDouble(), 26.449 * std::pow(2.4, 0.5733),
                1e-9);
    EXPECT_NEAR(tom->Field(QStringLiteral("Points2")).toDouble(), 12.033 * std::log(90.0) - 27.906,
                1e-9);
    EXPECT_EQ(tom->Field(QStringLiteral("EGR")).toDouble(), 758);

    // No ranked game with shot data: no row.
    EXPECT_TRUE(Rows(ForPlayer(kEgr, QStringLiteral("Guest(G)"))).isEmpty());
}

TEST_F(ReportStatements, EgrEvaluationErrorsReachTheCaller) {
    // Zero deaths: division by zero when the row is read.
    Run(QStringLiteral("update Game_Player set Deaths = 0 where Player_Gamertag = 'Example'"));
    EXPECT_EQ(ErrorNumberOf(
                  [&] { RowsOf(*db_->OpenRecordset(ForPlayer(kEgr, QStringLiteral("Example")))); }),
              err::kDivisionByZero);
}

TEST_F(ReportStatements, TrophyRoomMostEarnedFirst) {
    EXPECT_EQ(Rows(ForPlayer(kTrophy, QStringLiteral("Major Tom"))),
              QStringList({"Double Kill|3|Major Tom|3|1.5|Double Kill - Kill 2 opponents within 4 "
                           "seconds of each other",
                           "Sniper Kill|3|Major Tom|1|1.25|Sniper Kill - Kill an opponent with a "
                           "sniper rifle head shot"}));
    EXPECT_TRUE(Rows(ForPlayer(kTrophy, QStringLiteral("Guest(G)"))).isEmpty());
}

TEST_F(ReportStatements, EfficiencyCrosstabRankedRowsFirstOneColumnPerMapPrefix) {
    for (const bool kapd : {true, false}) {
        SCOPED_TRACE(kapd ? "KApD" : "KpD");
        auto matrix =
            db_->OpenRecordset(Matrix(kapd ? QStringLiteral("Sum([Assists])") : QStringLiteral("0"),
                                      QStringLiteral("Major Tom")));
        EXPECT_EQ(FieldNamesOf(*matrix).join(u','), QStringLiteral("Ranked,Type,Loc,Mid"));
        matrix->MoveLast();
        EXPECT_EQ(matrix->RecordCount(), 2);
        matrix->MoveFirst();
        EXPECT_EQ(matrix->Field(0), Variant("Y"));
        EXPECT_EQ(matrix->Field(1), Variant("Slayer"));
        EXPECT_EQ(matrix->Field(2), Variant(kapd ? "2|10|2|5" : "2|10|0|5"));
        EXPECT_EQ(matrix->Field(3), Variant("1|6|0|3"));
        matrix->MoveNext();
        EXPECT_EQ(matrix->Field(0), Variant("N"));
        EXPECT_EQ(matrix->Field(1), Variant("CTF"));
        EXPECT_TRUE(matrix->Field(2).isNull());
        EXPECT_EQ(matrix->Field(3), Variant(kapd ? "1|4|1|4" : "1|4|0|4"));
    }
    EXPECT_TRUE(Rows(Matrix(QStringLiteral("0"), QStringLiteral("Nobody"))).isEmpty());
}

}  // namespace
}  // namespace tw::test
