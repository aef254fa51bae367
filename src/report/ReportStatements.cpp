#include "report/ReportStatements.h"

namespace tw {
namespace {

// The statements run exactly as written; "{gamertag}" marks where the player goes.
// The player's own row with clan and colours; outer joins, so a player met
// only in games, without clan or with a colour the catalogue lacks, still has
// it.
const char* const kHeaderSql =
    "SELECT Player.Player_Gamertag, Clan.Clan_Name, Clan.Website_URL, Player.Personal_Quote, "
    "Color.Hexadecimal_Format AS Color1, Color_1.Hexadecimal_Format AS Color2, "
    "Color.Inverted_Text_Color FROM ((Player LEFT JOIN Clan ON Player.Clan_Name = "
    "Clan.Clan_Name) LEFT JOIN Color ON Player.Primary_Color_Code = Color.Color_Code) LEFT JOIN "
    "Color AS Color_1 ON Player.Secondary_Color_Code = Color_1.Color_Code WHERE "
    "Player.Player_Gamertag=\"{gamertag}\";";

// A row exactly when the player has stored games.
const char* const kActivitySql =
    "SELECT Min(Game.Date_Time_Stamp) AS First_Game, Max(Game.Date_Time_Stamp) AS Last_Game "
    "FROM Game INNER JOIN Game_Player ON Game.Game_ID = Game_Player.Game_ID GROUP BY "
    "Game_Player.Player_Gamertag HAVING Game_Player.Player_Gamertag=\"{gamertag}\";";

const char* const kLevelsSql =
    "SELECT Player_Playlist.Playlist, \"L\" & (format(Player_Playlist.Experience_Level,\"00\") "
    "& \".bmp\") AS Experience_Level FROM Player_Playlist WHERE "
    "Player_Playlist.Player_Gamertag=\"{gamertag}\" ORDER BY Player_Playlist.Playlist ASC;";

const char* const kCareerSql =
    "SELECT Game_Player.Player_Gamertag, (select count(GM.Game_ID) from Game_Player as GM "
    "where Game_Player.Player_Gamertag=GM.Player_Gamertag GROUP BY GM.Player_Gamertag) AS "
    "AllGames, (select count(GP.Game_ID) from Game_Player as GP, Game as G where G.Game_ID "
    "= GP.Game_ID AND Game_Player.Player_Gamertag=GP.Player_Gamertag AND "
    "G.Was_Partially_Purged=\"Y\" "
    "GROUP BY GP.Player_Gamertag) AS PurgedGames, (select count(GP.Game_ID) from Game_Player "
    "as GP, Game as G where G.Game_ID = GP.Game_ID AND "
    "Game_Player.Player_Gamertag=GP.Player_Gamertag "
    "AND G.Playlist <> \"Arranged Game\" GROUP BY GP.Player_Gamertag) AS RankGames, (select "
    "count(GP.Game_ID) from Game_Player as GP where Game_Player.Player_Gamertag=GP.Player_Gamertag "
    "AND GP.Finished_Place=1 GROUP BY GP.Player_Gamertag) AS Firsts, Sum(Game.Duration_Seconds) "
    "AS Time_Played, Sum(Game_Player.Kills) AS Kills, Sum(Game_Player.Assists) AS Assists, "
    "Sum(Game_Player.Deaths) AS Deaths, Sum(Game_Player.Shots_Fired) AS Shots_Fired, "
    "Sum(Game_Player.Shots_Hit) "
    "AS Shots_Hit, Sum(Game_Player.Shots_to_Head) AS Shots_to_Head, (select sum(GPM.Count_Earned) "
    "from Game_Player_Medal as GPM where Game_Player.Player_Gamertag=GPM.Player_Gamertag "
    "GROUP BY GPM.Player_Gamertag) AS Medals FROM Game INNER JOIN Game_Player ON Game.Game_ID "
    "= Game_Player.Game_ID GROUP BY Game_Player.Player_Gamertag HAVING "
    "Game_Player.Player_Gamertag=\"{gamertag}\";";

const char* const kQuitsSql =
    "SELECT IIf([Game].[Playlist]=\"Arranged Game\",\"N\",\"Y\") AS IsRank, (select  "
    "count(GP.Game_ID) "
    "from Game_Player as GP, Game as G where G.Game_ID = GP.Game_ID AND "
    "Game_Player.Player_Gamertag=GP.Player_Gamertag "
    "AND G.Playlist <> \"Arranged Game\" GROUP BY GP.Player_Gamertag ) AS RankGames, (select "
    " count(GM.Game_ID) from Game_Player as GM where "
    "Game_Player.Player_Gamertag=GM.Player_Gamertag "
    "GROUP BY GM.Player_Gamertag ) AS AllGames, Count(Game_Player.Game_ID) AS Quits FROM "
    "Game INNER JOIN Game_Player ON Game.Game_ID = Game_Player.Game_ID Where (((Game_Player.Kills) "
    "= 0) And ((Game_Player.Assists) = 0) And ((Game_Player.Deaths) = 0) And "
    "((Game_Player.Shots_Fired) "
    "= 0 Or (Game_Player.Shots_Fired) Is Null)) GROUP BY Game_Player.Player_Gamertag, "
    "IIf([Game].[Playlist]=\"Arranged "
    "Game\",\"N\",\"Y\") HAVING (((Game_Player.Player_Gamertag)=\"{gamertag}\"));";

// The rating's sample: the player's ranked games that are not partially
// purged. A row exactly when the player has stored games.
const char* const kSampleSql =
    "SELECT Game_Player.Player_Gamertag, (select  count(GP.Game_ID) from Game_Player as GP, "
    "Game as G where G.Game_ID = GP.Game_ID AND Game_Player.Player_Gamertag=GP.Player_Gamertag "
    "AND G.Was_Partially_Purged=\"N\" AND G.Playlist <> \"Arranged Game\" GROUP BY "
    "GP.Player_Gamertag ) AS Games FROM Game INNER JOIN Game_Player ON Game.Game_ID = "
    "Game_Player.Game_ID GROUP BY Game_Player.Player_Gamertag HAVING Game_Player.Player_Gamertag "
    "= \"{gamertag}\";";

// Run only for a sample of 100 games or more. A ratio over nothing has no
// infinite value to offer: no death counts as one (as in the matrix), no kill
// gives no head-shot share, no shot fired no accuracy, and no medal no honor.
// Marksmanship without any hit has no logarithm and stays missing.
const char* const kEgrSql =
    "SELECT Game_Player.Player_Gamertag, (select  count(GP.Game_ID) from Game_Player as GP, "
    "Game as G where G.Game_ID = GP.Game_ID AND Game_Player.Player_Gamertag=GP.Player_Gamertag "
    "AND G.Was_Partially_Purged=\"N\" AND G.Playlist <> \"Arranged Game\" GROUP BY "
    "GP.Player_Gamertag "
    ") AS Games, Sum(Game_Player.Kills) AS Kills, Sum(Game_Player.Assists) AS Assists, "
    "Sum(Game_Player.Deaths) "
    "AS Deaths, Sum(Game_Player.Shots_Fired) AS Shots_Fired, Sum(Game_Player.Shots_Hit) AS "
    "Shots_Hit, Sum(Game_Player.Shots_to_Head) AS Shots_to_Head, "
    "([Kills]+[Assists])/IIf([Deaths]>0,[Deaths],1) AS KApD, "
    "100*(IIf([Kills]>0,[Shots_to_Head]/[Kills],0)+IIf([Shots_Fired]>0,[Shots_Hit]/"
    "[Shots_Fired],0)) AS TA, (select "
    "sum((M.Difficulty_Factor^1.5)*GPM.Count_Earned) from Game_Player_Medal as GPM, Medal "
    "as M where GPM.Medal_Name=M.Medal_Name and GPM.Player_Gamertag=Game_Player.Player_Gamertag "
    "GROUP BY GPM.Player_Gamertag)/[Games] AS Honor, 26.449*[KApD]^0.5733 AS Points1, "
    "IIf([TA]>0,12.033*Log([TA])-27.906,Null) "
    "AS Points2, 3.0726*IIf([Honor] Is Null,0,[Honor])^0.5252 AS Points3, "
    "Int(([Points1]+[Points2]+[Points3])*10) "
    "AS EGR FROM Game INNER JOIN Game_Player ON Game.Game_ID = Game_Player.Game_ID Where "
    "(((Game.Playlist) <> \"Arranged Game\") And ((Game_Player.Shots_Fired) Is Not Null))GROUP "
    "BY Game_Player.Player_Gamertag HAVING Game_Player.Player_Gamertag = \"{gamertag}\";";

const char* const kTrophySql =
    "SELECT Game_Player_Medal.Medal_Name, (select  count(GP.Game_ID) from Game_Player as "
    "GP, Game as G where G.Game_ID = GP.Game_ID AND "
    "Game_Player_Medal.Player_Gamertag=GP.Player_Gamertag "
    "AND G.Was_Partially_Purged=\"N\" GROUP BY GP.Player_Gamertag ) AS NonPurgedGames, "
    "Game_Player_Medal.Player_Gamertag, "
    "Sum(Game_Player_Medal.Count_Earned) AS Medals, Medal.Difficulty_Factor, [Short_Description] "
    "& \" - \" & [Long_Description] AS Descr FROM Medal INNER JOIN Game_Player_Medal ON "
    "Medal.Medal_Name "
    "= Game_Player_Medal.Medal_Name GROUP BY Game_Player_Medal.Medal_Name, "
    "Game_Player_Medal.Player_Gamertag, "
    "Medal.Difficulty_Factor, [Short_Description] & \" - \" & [Long_Description] Having "
    "Game_Player_Medal.Player_Gamertag "
    "= \"{gamertag}\" ORDER BY Sum(Game_Player_Medal.Count_Earned) DESC;";

const char* const kMatrixHead = "TRANSFORM Count([Game.Game_ID]) & \"|\" & Sum([Kills]) & \"|\" & ";

const char* const kMatrixMiddle = " & \"|\" & Sum([Deaths]) AS Piper ";

const char* const kMatrixSelect =
    "SELECT IIf([Game].[Playlist]=\"Arranged Game\",\"N\",\"Y\") AS Ranked, Game.Type FROM "
    "Game INNER JOIN Game_Player ON Game.Game_ID = Game_Player.Game_ID Where "
    "Game_Player.Player_Gamertag "
    "= \"{gamertag}\" GROUP BY Game.Type, IIf([Game].[Playlist]=\"Arranged Game\",\"N\",\"Y\") "
    "ORDER BY IIf([Game].[Playlist]=\"Arranged Game\",\"N\",\"Y\") DESC PIVOT Left([Map],3);";

QString withGamertag(const char* statement, const QString& gamertag) {
    return QString::fromLatin1(statement).replace(QLatin1String("{gamertag}"),
                                                  reportSqlText(gamertag));
}

}  // namespace

QString reportSqlText(const QString& gamertag) {
    QString text = gamertag;
    text.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return text;
}

QString headerStatement(const QString& gamertag) {
    return withGamertag(kHeaderSql, gamertag);
}
QString activityStatement(const QString& gamertag) {
    return withGamertag(kActivitySql, gamertag);
}
QString levelsStatement(const QString& gamertag) {
    return withGamertag(kLevelsSql, gamertag);
}
QString sampleStatement(const QString& gamertag) {
    return withGamertag(kSampleSql, gamertag);
}
QString careerStatement(const QString& gamertag) {
    return withGamertag(kCareerSql, gamertag);
}
QString egrStatement(const QString& gamertag) {
    return withGamertag(kEgrSql, gamertag);
}
QString trophyStatement(const QString& gamertag) {
    return withGamertag(kTrophySql, gamertag);
}
QString quitsStatement(const QString& gamertag) {
    return withGamertag(kQuitsSql, gamertag);
}

QString matrixStatement(const QString& gamertag, bool useKApD) {
    return QString::fromLatin1(kMatrixHead) +
           QString::fromLatin1(useKApD ? "Sum([Assists])" : "0") +
           QString::fromLatin1(kMatrixMiddle) + withGamertag(kMatrixSelect, gamertag);
}

}  // namespace tw
