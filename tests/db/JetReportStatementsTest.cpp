// The report's statements exactly as the program issues them, run on a small
// player history whose figures are worked out by hand.

#include <gtest/gtest.h>

#include "JetTestDb.h"

namespace tw::jettest {

namespace {

const char* const kHistory =
    "INSERT INTO Color VALUES (1,'FFFFFF','000000'),(2,'FF0000','00FFFF');"
    "INSERT INTO Player (Player_Gamertag, Clan_Name, Primary_Color_Code, Secondary_Color_Code,"
    " Personal_Quote, Last_Game_ID, Is_Selectable) VALUES ('Ann Lee',NULL,1,2,'hi',0,'Y'),"
    " ('Bob',NULL,2,2,NULL,0,'Y');"
    "INSERT INTO Player_Playlist VALUES ('Ann Lee','Slayer',8,0),('Ann Lee','Big Team',5,0),"
    " ('Ann Lee','Rumble',3,0),('Ann Lee','Head to Head',12,0),('Ann Lee','Skirmish',20,0);"
    "INSERT INTO Game VALUES"
    " (10,'Slayer','2005-01-05 20:03:00','Lockout','Team Slayer','N',600),"
    " (11,'CTF','2005-01-06 10:00:00','Midship','Team Slayer','N',300),"
    " (12,'Slayer','2005-02-10 10:00:00','Midship','Team Slayer','N',400),"
    " (13,'Slayer','2005-03-01 10:00:00','Lockout','Team Slayer','N',500),"
    " (15,'Slayer','2005-03-02 10:00:00','Lockout','Team Slayer','Y',NULL),"
    " (14,'Slayer','2005-03-03 10:00:00','Lockout','Arranged Game','N',100),"
    " (16,'CTF','2005-03-04 10:00:00','Midship','Arranged Game','N',200);"
    "INSERT INTO Game_Player (Game_ID, Player_Gamertag, Finished_Place, Kills, Assists, Deaths,"
    " Shots_Fired, Shots_Hit, Shots_to_Head) VALUES"
    " (10,'Ann Lee',1,30,10,20,250,125,4),(11,'Ann Lee',2,10,10,30,250,125,4),"
    " (12,'Ann Lee',1,10,10,25,250,125,5),(13,'Ann Lee',3,10,10,25,250,125,5),"
    " (15,'Ann Lee',4,0,0,0,NULL,NULL,NULL),(14,'Ann Lee',2,0,0,0,NULL,NULL,NULL),"
    " (16,'Ann Lee',1,5,0,5,100,50,1),(10,'Bob',2,4,1,8,100,20,1);"
    "INSERT INTO Medal VALUES ('Double Kill',4,'Two','kills fast'),"
    " ('Sniper Kill',1,'Sniper','one shot');"
    "INSERT INTO Game_Player_Medal VALUES (10,'Ann Lee','Double Kill',2),"
    " (11,'Ann Lee','Double Kill',2),(12,'Ann Lee','Sniper Kill',5),(16,'Ann Lee','Sniper Kill',3),"
    " (10,'Bob','Double Kill',9);";

class JetReportStatements : public ::testing::Test {
  protected:
    void SetUp() override { db.Raw(kHistory); }

    static QString WithGamertag(QString sql) {
        return sql.replace(QLatin1String("{gamertag}"), QLatin1String("Ann Lee"));
    }
    static Variant Field(const Result& r, size_t row, const char* name) {
        for (size_t c = 0; c < r.names.size(); ++c) {
            if (r.names[c] == QLatin1String(name)) {
                return r.rows.at(row).at(c);
            }
        }
        ADD_FAILURE() << "no field " << name;
        return Variant();
    }
    JetTestDb db;
};

TEST_F(JetReportStatements, HeaderFindsFivePlaylistsThroughTheOuterJoin) {
    const Result r = db.Query(WithGamertag(
        "SELECT Player.Player_Gamertag, Clan.Clan_Name, Clan.Website_URL, "
        "Player.Primary_Color_Code, Player.Secondary_Color_Code, Player.Personal_Quote, "
        "Player_Playlist.Playlist, \"L\" & (format(Player_Playlist.Experience_Level,\"00\") & "
        "\".bmp\") as Experience_Level, Min(Game.Date_Time_Stamp) AS First_Game, "
        "Max(Game.Date_Time_Stamp) AS Last_Game, Color.Hexadecimal_Format AS Color1, "
        "Color_1.Hexadecimal_Format AS Color2, Color.Inverted_Text_Color FROM (Color INNER JOIN "
        "(((Clan RIGHT JOIN Player ON Clan.Clan_Name = Player.Clan_Name) INNER JOIN (Game INNER "
        "JOIN Game_Player ON Game.Game_ID = Game_Player.Game_ID) ON Player.Player_Gamertag = "
        "Game_Player.Player_Gamertag) INNER JOIN Player_Playlist ON Player.Player_Gamertag = "
        "Player_Playlist.Player_Gamertag) ON Color.Color_Code = Player.Primary_Color_Code) INNER "
        "JOIN Color AS Color_1 ON Player.Secondary_Color_Code = Color_1.Color_Code GROUP BY "
        "Player.Player_Gamertag, Clan.Clan_Name, Clan.Website_URL, Player.Primary_Color_Code, "
        "Player.Secondary_Color_Code, Player.Personal_Quote, Player_Playlist.Playlist, "
        "Player_Playlist.Experience_Level, Color.Hexadecimal_Format, "
        "Color_1.Hexadecimal_Format, Color.Inverted_Text_Color HAVING "
        "Player.Player_Gamertag=\"{gamertag}\" ORDER BY Player_Playlist.Playlist ASC;"));
    ASSERT_EQ(r.rows.size(), 5u);
    std::vector<std::string> levels;
    for (size_t i = 0; i < 5; ++i) {
        levels.push_back(Field(r, i, "Experience_Level").toText().toStdString());
    }
    // Big Team, Head to Head, Rumble, Skirmish, Slayer
    EXPECT_EQ(levels,
              (std::vector<std::string>{"L05.bmp", "L12.bmp", "L03.bmp", "L20.bmp", "L08.bmp"}));
    EXPECT_TRUE(Field(r, 0, "Clan_Name").isNull());
    EXPECT_EQ(Field(r, 4, "First_Game").toText(), "2005-01-05 20:03:00");
    EXPECT_EQ(Field(r, 4, "Last_Game").toText(), "2005-03-04 10:00:00");
    EXPECT_EQ(r.types[8], jet::ColumnType::Date);
    EXPECT_EQ(Field(r, 0, "Color1").toText(), "FFFFFF");
    EXPECT_EQ(Field(r, 0, "Color2").toText(), "FF0000");
    EXPECT_EQ(Field(r, 0, "Inverted_Text_Color").toText(), "000000");
}

TEST_F(JetReportStatements, CareerTotalsWithCorrelatedSubSelects) {
    const Result r = db.Query(WithGamertag(
        "SELECT Game_Player.Player_Gamertag, (select count(GM.Game_ID) from Game_Player as GM "
        "where Game_Player.Player_Gamertag=GM.Player_Gamertag GROUP BY GM.Player_Gamertag) AS "
        "AllGames, (select count(GP.Game_ID) from Game_Player as GP, Game as G where G.Game_ID = "
        "GP.Game_ID AND Game_Player.Player_Gamertag=GP.Player_Gamertag AND "
        "G.Was_Partially_Purged=\"Y\" GROUP BY GP.Player_Gamertag) AS PurgedGames, (select "
        "count(GP.Game_ID) from Game_Player as GP, Game as G where G.Game_ID = GP.Game_ID AND "
        "Game_Player.Player_Gamertag=GP.Player_Gamertag AND G.Playlist <> \"Arranged Game\" "
        "GROUP BY GP.Player_Gamertag) AS RankGames, (select count(GP.Game_ID) from Game_Player "
        "as GP where Game_Player.Player_Gamertag=GP.Player_Gamertag AND GP.Finished_Place=1 "
        "GROUP BY GP.Player_Gamertag) AS Firsts, Sum(Game.Duration_Seconds) AS Time_Played, "
        "Sum(Game_Player.Kills) AS Kills, Sum(Game_Player.Assists) AS Assists, "
        "Sum(Game_Player.Deaths) AS Deaths, Sum(Game_Player.Shots_Fired) AS Shots_Fired, "
        "Sum(Game_Player.Shots_Hit) AS Shots_Hit, Sum(Game_Player.Shots_to_Head) AS "
        "Shots_to_Head, (select sum(GPM.Count_Earned) from Game_Player_Medal as GPM where "
        "Game_Player.Player_Gamertag=GPM.Player_Gamertag GROUP BY GPM.Player_Gamertag) AS "
        "Medals FROM Game INNER JOIN Game_Player ON Game.Game_ID = Game_Player.Game_ID GROUP BY "
        "Game_Player.Player_Gamertag HAVING Game_Player.Player_Gamertag=\"{gamertag}\";"));
    ASSERT_EQ(r.rows.size(), 1u);
    const std::vector<std::pair<const char*, int64_t>> expected = {
        {"AllGames", 7},       {"PurgedGames", 1}, {"RankGames", 5},      {"Firsts", 3},
        {"Time_Played", 2100}, {"Kills", 65},      {"Assists", 40},       {"Deaths", 105},
        {"Shots_Fired", 1100}, {"Shots_Hit", 550}, {"Shots_to_Head", 19}, {"Medals", 12}};
    for (const auto& [name, value] : expected) {
        EXPECT_EQ(Field(r, 0, name).toLong(), value) << name;
    }
}

TEST_F(JetReportStatements, QuitsSplitIntoRankedAndCustom) {
    const Result r = db.Query(WithGamertag(
        "SELECT IIf([Game].[Playlist]=\"Arranged Game\",\"N\",\"Y\") AS IsRank, (select  "
        "count(GP.Game_ID) from Game_Player as GP, Game as G where G.Game_ID = GP.Game_ID AND "
        "Game_Player.Player_Gamertag=GP.Player_Gamertag AND G.Playlist <> \"Arranged Game\" "
        "GROUP BY GP.Player_Gamertag ) AS RankGames, (select  count(GM.Game_ID) from Game_Player "
        "as GM where Game_Player.Player_Gamertag=GM.Player_Gamertag GROUP BY "
        "GM.Player_Gamertag ) AS AllGames, Count(Game_Player.Game_ID) AS Quits FROM Game INNER "
        "JOIN Game_Player ON Game.Game_ID = Game_Player.Game_ID Where (((Game_Player.Kills) = 0) "
        "And ((Game_Player.Assists) = 0) And ((Game_Player.Deaths) = 0) And "
        "((Game_Player.Shots_Fired) = 0 Or (Game_Player.Shots_Fired) Is Null)) GROUP BY "
        "Game_Player.Player_Gamertag, IIf([Game].[Playlist]=\"Arranged Game\",\"N\",\"Y\") "
        "HAVING (((Game_Player.Player_Gamertag)=\"{gamertag}\"));"));
    ASSERT_EQ(r.rows.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(Field(r, i, "Quits").toLong(), 1);
        EXPECT_EQ(Field(r, i, "RankGames").toLong(), 5);
        EXPECT_EQ(Field(r, i, "AllGames").toLong(), 7);
    }
    EXPECT_NE(Field(r, 0, "IsRank").toText(), Field(r, 1, "IsRank").toText());
}

// [Kills] is both a column and the alias of Sum(Game_Player.Kills): the
// alias at the top level of KApD, the column inside Sum. The per-game ratios
// (2.0, 0.67, 0.8, 0.8) differ from the total's 1.0, so a wrong choice shows.
TEST_F(JetReportStatements, EgrReusesAliasesAndComputesThePoints) {
    const Result r = db.Query(WithGamertag(
        "SELECT Game_Player.Player_Gamertag, (select  count(GP.Game_ID) from Game_Player as GP, "
        "Game as G where G.Game_ID = GP.Game_ID AND Game_Player.Player_Gamertag=GP.Player_Gamertag "
        "AND G.Was_Partially_Purged=\"N\" AND G.Playlist <> \"Arranged Game\" GROUP BY "
        "GP.Player_Gamertag ) AS Games, Sum(Game_Player.Kills) AS Kills, "
        "Sum(Game_Player.Assists) AS Assists, Sum(Game_Player.Deaths) AS Deaths, "
        "Sum(Game_Player.Shots_Fired) AS Shots_Fired, Sum(Game_Player.Shots_Hit) AS Shots_Hit, "
        "Sum(Game_Player.Shots_to_Head) AS Shots_to_Head, ([Kills]+[Assists])/[Deaths] AS KApD, "
        "100*(([Shots_to_Head]/[Kills])+([Shots_Hit]/[Shots_Fired])) AS TA, (select "
        "sum((M.Difficulty_Factor^1.5)*GPM.Count_Earned) from Game_Player_Medal as GPM, Medal as "
        "M where GPM.Medal_Name=M.Medal_Name and GPM.Player_Gamertag=Game_Player.Player_Gamertag "
        "GROUP BY GPM.Player_Gamertag)/[Games] AS Honor, 26.449*[KApD]^0.5733 AS Points1, "
        "12.033*Log([TA])-27.906 AS Points2, 3.0726*[Honor]^0.5252 AS Points3, "
        "Int(([Points1]+[Points2]+[Points3])*10) AS EGR FROM Game INNER JOIN Game_Player ON "
        "Game.Game_ID = Game_Player.Game_ID Where (((Game.Playlist) <> \"Arranged Game\") And "
        "((Game_Player.Shots_Fired) Is Not Null))GROUP BY Game_Player.Player_Gamertag HAVING "
        "Game_Player.Player_Gamertag = \"{gamertag}\";"));
    ASSERT_EQ(r.rows.size(), 1u);
    EXPECT_EQ(Field(r, 0, "Games").toLong(), 4);
    EXPECT_EQ(Field(r, 0, "Kills").toLong(), 60);
    EXPECT_DOUBLE_EQ(Field(r, 0, "KApD").toDouble(), 1.0);
    EXPECT_NEAR(Field(r, 0, "TA").toDouble(), 80.0, 1e-9);
    EXPECT_NEAR(Field(r, 0, "Honor").toDouble(), 10.0, 1e-9);
    EXPECT_NEAR(Field(r, 0, "Points1").toDouble(), 26.449, 1e-9);
    EXPECT_NEAR(Field(r, 0, "Points2").toDouble(), 24.8229, 1e-4);
    EXPECT_NEAR(Field(r, 0, "Points3").toDouble(), 10.2969, 1e-4);
    EXPECT_EQ(Field(r, 0, "EGR").toLong(), 615);
}

TEST_F(JetReportStatements, EgrDivisionByZeroReachesTheCaller) {
    db.Raw("UPDATE Game_Player SET Deaths = 0 WHERE Player_Gamertag = 'Bob'");
    EXPECT_EQ(ErrorNumberOf([&] {
                  db.Query(
                      "SELECT Sum(Game_Player.Kills) AS Kills, Sum(Game_Player.Deaths) AS "
                      "Deaths, [Kills]/[Deaths] AS KpD FROM Game_Player GROUP BY "
                      "Game_Player.Player_Gamertag HAVING Game_Player.Player_Gamertag = "
                      "\"Bob\"");
              }),
              err::kDivisionByZero);
}

TEST_F(JetReportStatements, TrophyRoomOrdersMedalsByCount) {
    const Result r = db.Query(WithGamertag(
        "SELECT Game_Player_Medal.Medal_Name, (select  count(GP.Game_ID) from Game_Player as GP, "
        "Game as G where G.Game_ID = GP.Game_ID AND "
        "Game_Player_Medal.Player_Gamertag=GP.Player_Gamertag AND G.Was_Partially_Purged=\"N\" "
        "GROUP BY GP.Player_Gamertag ) AS NonPurgedGames, Game_Player_Medal.Player_Gamertag, "
        "Sum(Game_Player_Medal.Count_Earned) AS Medals, Medal.Difficulty_Factor, "
        "[Short_Description] & \" - \" & [Long_Description] AS Descr FROM Medal INNER JOIN "
        "Game_Player_Medal ON Medal.Medal_Name = Game_Player_Medal.Medal_Name GROUP BY "
        "Game_Player_Medal.Medal_Name, Game_Player_Medal.Player_Gamertag, "
        "Medal.Difficulty_Factor, [Short_Description] & \" - \" & [Long_Description] Having "
        "Game_Player_Medal.Player_Gamertag = \"{gamertag}\" ORDER BY "
        "Sum(Game_Player_Medal.Count_Earned) DESC;"));
    ASSERT_EQ(r.rows.size(), 2u);
    EXPECT_EQ(Field(r, 0, "Medal_Name").toText(), "Sniper Kill");
    EXPECT_EQ(Field(r, 0, "Medals").toLong(), 8);
    EXPECT_EQ(Field(r, 0, "NonPurgedGames").toLong(), 6);
    EXPECT_EQ(Field(r, 0, "Difficulty_Factor").toText(), "1");
    EXPECT_EQ(Field(r, 0, "Descr").toText(), "Sniper - one shot");
    EXPECT_EQ(Field(r, 1, "Medal_Name").toText(), "Double Kill");
    EXPECT_EQ(Field(r, 1, "Medals").toLong(), 4);
}

TEST_F(JetReportStatements, EfficiencyMatrixCrosstab) {
    const Result r = db.Query(WithGamertag(
        "TRANSFORM Count([Game.Game_ID]) & \"|\" & Sum([Kills]) & \"|\" & Sum([Assists]) & "
        "\"|\" & Sum([Deaths]) AS Piper SELECT IIf([Game].[Playlist]=\"Arranged "
        "Game\",\"N\",\"Y\") AS Ranked, Game.Type FROM Game INNER JOIN Game_Player ON "
        "Game.Game_ID = Game_Player.Game_ID Where Game_Player.Player_Gamertag = \"{gamertag}\" "
        "GROUP BY Game.Type, IIf([Game].[Playlist]=\"Arranged Game\",\"N\",\"Y\") ORDER BY "
        "IIf([Game].[Playlist]=\"Arranged Game\",\"N\",\"Y\") DESC PIVOT Left([Map],3);"));
    ASSERT_EQ(r.names, (std::vector<QString>{"Ranked", "Type", "Loc", "Mid"}));
    ASSERT_EQ(r.rows.size(), 4u);
    const auto cell = [&](size_t row, size_t column) {
        const Variant v = r.rows[row][column];
        return v.isNull() ? std::string("Null") : v.toText().toStdString();
    };
    EXPECT_EQ(cell(0, 0) + cell(0, 1), "YCTF");
    EXPECT_EQ(cell(0, 2), "Null");
    EXPECT_EQ(cell(0, 3), "1|10|10|30");
    EXPECT_EQ(cell(1, 0) + cell(1, 1), "YSlayer");
    EXPECT_EQ(cell(1, 2), "3|40|20|45");
    EXPECT_EQ(cell(1, 3), "1|10|10|25");
    EXPECT_EQ(cell(2, 0) + cell(2, 1), "NCTF");
    EXPECT_EQ(cell(2, 3), "1|5|0|5");
    EXPECT_EQ(cell(3, 0) + cell(3, 1), "NSlayer");
    EXPECT_EQ(cell(3, 2), "1|0|0|0");
    EXPECT_EQ(cell(3, 3), "Null");
}

}  // namespace

}  // namespace tw::jettest
