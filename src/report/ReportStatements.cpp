#include "report/ReportStatements.h"

namespace tw {
namespace {

// The statements run exactly as written; "{gamertag}" marks where the player goes.
const char* const kHeaderSql =
    "SELECT Player.Player_Gamertag, Clan.Clan_Name, Clan.Website_URL, Player.Primary_Color_Code, "
    "Player.Secondary_Color_Code, Player.Personal_Quote, Player_Playlist.Playlist, \"L\" "
    "& (format(Player_Playlist.Experience_Level,\"00\") & \".bmp\") as Experience_Level, "
    "Min(Game.Date_Time_Stamp) AS First_Game, Max(Game.Date_Time_Stamp) AS Last_Game, "
    "Color.Hexadecimal_Format "
    "AS Color1, Color_1.Hexadecimal_Format AS Color2, Color.Inverted_Text_Color FROM (Color "
    "INNER JOIN (((Clan RIGHT JOIN Player ON Clan.Clan_Name = Player.Clan_Name) INNER JOIN "
    "(Game INNER JOIN Game_Player ON Game.Game_ID = Game_Player.Game_ID) ON Player.Player_Gamertag "
    "= Game_Player.Player_Gamertag) INNER JOIN Player_Playlist ON Player.Player_Gamertag "
    "= Player_Playlist.Player_Gamertag) ON Color.Color_Code = Player.Primary_Color_Code) "
    "INNER JOIN Color AS Color_1 ON Player.Secondary_Color_Code = Color_1.Color_Code GROUP "
    "BY Player.Player_Gamertag, Clan.Clan_Name, Clan.Website_URL, Player.Primary_Color_Code, "
    "Player.Secondary_Color_Code, Player.Personal_Quote, Player_Playlist.Playlist, "
    "Player_Playlist.Experience_Level, "
    "Color.Hexadecimal_Format, Color_1.Hexadecimal_Format, Color.Inverted_Text_Color HAVING "
    "Player.Player_Gamertag=\"{gamertag}\" ORDER BY Player_Playlist.Playlist ASC;";

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

const char* const kEgrSql =
    "SELECT Game_Player.Player_Gamertag, (select  count(GP.Game_ID) from Game_Player as GP, "
    "Game as G where G.Game_ID = GP.Game_ID AND Game_Player.Player_Gamertag=GP.Player_Gamertag "
    "AND G.Was_Partially_Purged=\"N\" AND G.Playlist <> \"Arranged Game\" GROUP BY "
    "GP.Player_Gamertag "
    ") AS Games, Sum(Game_Player.Kills) AS Kills, Sum(Game_Player.Assists) AS Assists, "
    "Sum(Game_Player.Deaths) "
    "AS Deaths, Sum(Game_Player.Shots_Fired) AS Shots_Fired, Sum(Game_Player.Shots_Hit) AS "
    "Shots_Hit, Sum(Game_Player.Shots_to_Head) AS Shots_to_Head, ([Kills]+[Assists])/[Deaths] "
    "AS KApD, 100*(([Shots_to_Head]/[Kills])+([Shots_Hit]/[Shots_Fired])) AS TA, (select "
    "sum((M.Difficulty_Factor^1.5)*GPM.Count_Earned) from Game_Player_Medal as GPM, Medal "
    "as M where GPM.Medal_Name=M.Medal_Name and GPM.Player_Gamertag=Game_Player.Player_Gamertag "
    "GROUP BY GPM.Player_Gamertag)/[Games] AS Honor, 26.449*[KApD]^0.5733 AS Points1, "
    "12.033*Log([TA])-27.906 "
    "AS Points2, 3.0726*[Honor]^0.5252 AS Points3, Int(([Points1]+[Points2]+[Points3])*10) "
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

QString WithGamertag(const char* statement, const QString& gamertag) {
    return QString::fromLatin1(statement).replace(QLatin1String("{gamertag}"),
                                                  ReportSqlText(gamertag));
}

}  // namespace

QString ReportSqlText(const QString& gamertag) {
    QString text = gamertag;
    text.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return text;
}

QString HeaderStatement(const QString& gamertag) {
    return WithGamertag(kHeaderSql, gamertag);
}
QString CareerStatement(const QString& gamertag) {
    return WithGamertag(kCareerSql, gamertag);
}
QString EgrStatement(const QString& gamertag) {
    return WithGamertag(kEgrSql, gamertag);
}
QString TrophyStatement(const QString& gamertag) {
    return WithGamertag(kTrophySql, gamertag);
}
QString QuitsStatement(const QString& gamertag) {
    return WithGamertag(kQuitsSql, gamertag);
}

QString MatrixStatement(const QString& gamertag, bool useKApD) {
    return QString::fromLatin1(kMatrixHead) +
           QString::fromLatin1(useKApD ? "Sum([Assists])" : "0") +
           QString::fromLatin1(kMatrixMiddle) + WithGamertag(kMatrixSelect, gamertag);
}

}  // namespace tw
