// Whole statements: the single-statement rule, error numbers, joins, the
// DELETE forms, result column names and the updatable-select row id.

#include <gtest/gtest.h>

#include "JetTestDb.h"

namespace tw::jettest {

namespace {

class JetStatements : public ::testing::Test {
  protected:
    void SetUp() override {
        db_.raw(
            "INSERT INTO Color VALUES (1,'FFFFFF','000000'),(2,'FF0000','00FFFF'),"
            "(3,'00FF00','FF00FF');"
            "INSERT INTO Clan VALUES ('Red Team','http://red','','',''),"
            "('Empty Clan','','','','');"
            "INSERT INTO Player (Player_Gamertag, Clan_Name, Primary_Color_Code,"
            " Secondary_Color_Code, Last_Game_ID, Is_Selectable) VALUES"
            " ('Alice','Red Team',1,2,0,'Y'),('Bob',NULL,2,3,0,'Y'),('Carl (G)',NULL,3,3,0,'N');"
            "INSERT INTO Game VALUES (10,'Slayer','2005-01-05 20:03:00','Lockout','Team "
            "Slayer','N',600),"
            "(11,'CTF','2005-01-06 10:00:00','Midship','Arranged Game','N',300),"
            "(12,'Slayer','2005-01-07 10:00:00','Lockout','Team Slayer','N',NULL);"
            "INSERT INTO Game_Player (Game_ID, Player_Gamertag, Kills, Assists, Deaths) VALUES"
            " (10,'Alice',10,2,5),(10,'Bob',4,1,8),(11,'Alice',3,0,3),(11,'Carl (G)',1,1,1);"
            "INSERT INTO Player_Playlist VALUES ('Alice','Team Slayer',12,40),"
            "('Carl (G)','Team Slayer',2,10);");
    }
    std::vector<std::string> texts(const Result& r, size_t column) {
        std::vector<std::string> out;
        for (const Row& row : r.rows) {
            out.push_back(row[column].isNull() ? "Null" : row[column].toText().toStdString());
        }
        return out;
    }
    JetTestDb db_;
};

TEST_F(JetStatements, OnlyOneStatementIsAccepted) {
    EXPECT_EQ(db_.execute("delete * from Player where Player_Gamertag='Bob';"), 1);
    EXPECT_EQ(errorNumberOf([&] {
                  db_.execute("delete * from Player where Player_Gamertag='x'; delete * from Game");
              }),
              err::kMoreThanOneStatement);
    // A quote spliced into a statement cannot start a second one.
    EXPECT_EQ(errorNumberOf([&] {
                  db_.execute(
                      "delete * from Player where Player_Gamertag='x' or 'a'='a'; "
                      "delete * from Game where 'a'=''");
              }),
              err::kMoreThanOneStatement);
    EXPECT_EQ(db_.rawScalar("SELECT count(*) FROM Game").toLong(), 3);
}

TEST_F(JetStatements, ErrorNumbersOfBadStatements) {
    EXPECT_EQ(errorNumberOf([&] { db_.query("select * from Player where"); }), err::kSyntaxError);
    EXPECT_EQ(errorNumberOf([&] { db_.query("select * from Player where Player_Gamertag = 'x"); }),
              err::kSyntaxError);
    EXPECT_EQ(errorNumberOf([&] { db_.query("drop table Player"); }), 3129);
    EXPECT_EQ(errorNumberOf([&] { db_.query("select * from Nowhere"); }), err::kUnknownTable);
    EXPECT_EQ(errorNumberOf([&] { db_.query("select Nothing from Player"); }), err::kUnknownName);
    EXPECT_EQ(errorNumberOf([&] { db_.query("select Game_ID from Game, Game_Player"); }), 3079);
    EXPECT_EQ(errorNumberOf([&] { db_.execute("insert into Clan (Nope) values ('x')"); }), 3127);
    EXPECT_EQ(errorNumberOf([&] { db_.execute("insert into Clan values ('x')"); }), 3346);
}

TEST_F(JetStatements, DeeplyNestedTextIsRefusedNotACrash) {
    const QString deep = QString(100000, u'(') + "1" + QString(100000, u')');
    EXPECT_EQ(errorNumberOf([&] { db_.query("select " + deep); }), 3360);
    QString chain = "1";
    for (int i = 0; i < 50000; ++i) {
        chain += " + 1";
    }
    EXPECT_EQ(errorNumberOf([&] { db_.query("select " + chain); }), 3360);
    EXPECT_EQ(errorNumberOf([&] { db_.query("select " + QString(100000, u'-') + "1"); }), 3360);
    // ordinary depth is fine
    EXPECT_EQ(
        db_.scalar("select " + QString(40, u'(') + "2" + QString(40, u')') + " * -(-3)").toLong(),
        6);
}

TEST_F(JetStatements, TextComparisonIgnoresLetterCase) {
    EXPECT_EQ(db_.query("select * from Player where Player_Gamertag='ALICE'").rows.size(), 1u);
    EXPECT_EQ(db_.query("select * from Player where Left(Player_Gamertag, 2) = 'AL'").rows.size(),
              1u);
    EXPECT_EQ(
        db_.query("select * from Player where Player_Gamertag In ('alice', 'BOB')").rows.size(),
        2u);
    const Result distinct = db_.query(
        "select distinct UCase(Left(Type,1)) & Mid(Type, 2) AS T "
        "from Game order by 1");
    EXPECT_EQ(texts(distinct, 0), (std::vector<std::string>{"CTF", "Slayer"}));
}

TEST_F(JetStatements, RightJoinKeepsTheRightSideAndTheWrittenColumnOrder) {
    const Result r = db_.query(
        "SELECT Clan.Clan_Name, Player.Player_Gamertag FROM Clan RIGHT JOIN Player ON "
        "Clan.Clan_Name = Player.Clan_Name ORDER BY Player.Player_Gamertag");
    ASSERT_EQ(r.names, (std::vector<QString>{"Clan_Name", "Player_Gamertag"}));
    EXPECT_EQ(texts(r, 0), (std::vector<std::string>{"Red Team", "Null", "Null"}));
    EXPECT_EQ(texts(r, 1), (std::vector<std::string>{"Alice", "Bob", "Carl (G)"}));
    // nested, with parentheses, the right join as the left operand of another join
    const Result nested = db_.query(
        "SELECT Player.Player_Gamertag, Count(Game_Player.Game_ID) AS N FROM ((Clan RIGHT JOIN "
        "Player ON Clan.Clan_Name = Player.Clan_Name) INNER JOIN (Game INNER JOIN Game_Player ON "
        "Game.Game_ID = Game_Player.Game_ID) ON Player.Player_Gamertag = "
        "Game_Player.Player_Gamertag) GROUP BY Player.Player_Gamertag ORDER BY 1");
    EXPECT_EQ(texts(nested, 0), (std::vector<std::string>{"Alice", "Bob", "Carl (G)"}));
    EXPECT_EQ(texts(nested, 1), (std::vector<std::string>{"2", "1", "1"}));
}

TEST_F(JetStatements, DeleteFromAJoinDeletesOnlyTheNamedTable) {
    // orphan games: game 12 has no player rows
    EXPECT_EQ(db_.execute("delete Game.* FROM Game LEFT JOIN Game_Player ON Game.Game_ID = "
                          "Game_Player.Game_ID WHERE Game_Player.Game_ID Is Null"),
              1);
    EXPECT_EQ(db_.rawScalar("SELECT group_concat(Game_ID) FROM Game").toText(), "10,11");
    EXPECT_EQ(db_.rawScalar("SELECT count(*) FROM Game_Player").toLong(), 4);
    EXPECT_EQ(errorNumberOf([&] { db_.execute("delete from Player, Clan"); }), 3128);
}

TEST_F(JetStatements, UnnamedExpressionsAreExprThousandOnward) {
    const Result r = db_.query(
        "select Game_ID, Kills+1, Count(*), Kills AS K from Game_Player "
        "group by Game_ID, Kills");
    EXPECT_EQ(r.names, (std::vector<QString>{"Game_ID", "Expr1000", "Expr1001", "K"}));
    EXPECT_EQ(r.types[0], jet::ColumnType::Integer);
}

TEST_F(JetStatements, HavingOnGroupedColumnsAndOnAggregates) {
    const Result r = db_.query(
        "select Player_Gamertag, Count(*) AS N from Game_Player group by "
        "Player_Gamertag having Player_Gamertag = 'ALICE' and Count(*) > 1");
    ASSERT_EQ(r.rows.size(), 1u);
    EXPECT_EQ(r.rows[0][1].toLong(), 2);
    EXPECT_TRUE(db_.query("select Player_Gamertag from Game_Player group by Player_Gamertag "
                          "having Player_Gamertag = 'Bob' and Count(*) > 1")
                    .rows.empty());
    const Result many = db_.query(
        "select Player_Gamertag from Game_Player group by "
        "Player_Gamertag having Count(*) > 1 or Player_Gamertag = 'Bob' "
        "order by 1");
    EXPECT_EQ(texts(many, 0), (std::vector<std::string>{"Alice", "Bob"}));
}

TEST_F(JetStatements, FirstLastAndSpreadAggregates) {
    // Kills of Alice: 10 then 3; of Bob: 4
    const Result r = db_.query(
        "select Player_Gamertag, First(Kills) AS F, Last(Kills) AS L, "
        "StDev(Kills) AS S, StDevP(Kills) AS SP, Var(Kills) AS V, "
        "VarP(Kills) AS VP from (select * from Game_Player order by Game_ID) "
        "group by Player_Gamertag order by Player_Gamertag");
    ASSERT_EQ(r.rows.size(), 3u);
    EXPECT_EQ(r.rows[0][1].toLong(), 10);
    EXPECT_EQ(r.rows[0][2].toLong(), 3);
    EXPECT_NEAR(r.rows[0][3].toDouble(), 4.949747468, 1e-8);
    EXPECT_NEAR(r.rows[0][4].toDouble(), 3.5, 1e-12);
    EXPECT_NEAR(r.rows[0][5].toDouble(), 24.5, 1e-12);
    EXPECT_NEAR(r.rows[0][6].toDouble(), 12.25, 1e-12);
    EXPECT_TRUE(r.rows[1][3].isNull());  // one value has no sample spread
    EXPECT_EQ(r.rows[1][4].toDouble(), 0.0);
    EXPECT_EQ(r.types[1], jet::ColumnType::Integer);
    EXPECT_EQ(r.types[3], jet::ColumnType::Double);
}

TEST_F(JetStatements, ConditionsShownAsValuesAreMinusOneForTrue) {
    const Result r = db_.query(
        "select Kills > 5 AS Big, [Big] AS Again, Not (Kills > 5) AS Small, "
        "IIf([Big], 'y', 'n') AS Word from Game_Player where Game_ID = 10 "
        "and Player_Gamertag = 'Alice'");
    EXPECT_EQ(r.rows[0][0].toLong(), -1);
    EXPECT_EQ(r.rows[0][1].toLong(), -1);
    EXPECT_EQ(r.rows[0][2].toLong(), 0);
    EXPECT_EQ(r.rows[0][3].toText(), "y");
    // True counts -1 in arithmetic and sums: the classic -Sum(condition) count
    EXPECT_EQ(db_.scalar("select -Sum(Kills > 3) from Game_Player").toLong(), 2);
    EXPECT_EQ(db_.scalar("select (1 = 1) + 1").toLong(), 0);
    EXPECT_EQ(db_.scalar("select IIf((2 > 1) = True, 'y', 'n')").toText(), "y");
    EXPECT_EQ(db_.scalar("select (2 > 1) & ''").toText(), "-1");
}

TEST_F(JetStatements, AliasesAreReusedAndChained) {
    const Result r = db_.query(
        "select P.Player_Gamertag, Kills + 1 AS A, [A] * 2 AS B, [B] + A AS C, "
        "-[C] AS D from Game_Player P where P.Game_ID = 10 and "
        "P.Player_Gamertag = 'alice'");
    ASSERT_EQ(r.rows.size(), 1u);
    EXPECT_EQ(r.rows[0][1].toLong(), 11);
    EXPECT_EQ(r.rows[0][2].toLong(), 22);
    EXPECT_EQ(r.rows[0][3].toLong(), 33);
    EXPECT_EQ(r.rows[0][4].toLong(), -33);
    // an alias in WHERE when no column has that name
    EXPECT_EQ(db_.query("select Kills * 2 AS Twice from Game_Player where Twice > 7").rows.size(),
              2u);
    // an aggregate's alias divided by a zero aggregate reaches the caller as error 11
    EXPECT_EQ(errorNumberOf([&] {
                  db_.query(
                      "select Sum(Kills) AS K, Sum(Assists) AS A, [K]/[A] AS R from Game_Player "
                      "where Game_ID = 11 and Player_Gamertag = 'Alice' group by Player_Gamertag");
              }),
              err::kDivisionByZero);
    // the filters spliced into a saved statement name tables it does not hold
    EXPECT_EQ(errorNumberOf([&] {
                  db_.query(
                      "SELECT * FROM Game_Player WHERE Game.Playlist <> 'Arranged Game' AND "
                      "Player.Player_Gamertag = 'G' AND Kills > 10");
              }),
              err::kUnknownName);
}

TEST_F(JetStatements, SelectOverOneTableCarriesItsRowId) {
    const jet::Translation t =
        jet::translate("select * from Player where Is_Selectable='Y'", db_.catalog());
    ASSERT_TRUE(t.baseTable.has_value());
    EXPECT_EQ(*t.baseTable, "Player");
    EXPECT_EQ(t.columns.size(), 12u);
    EXPECT_FALSE(jet::translate("select distinct Player_Gamertag from Player", db_.catalog())
                     .baseTable.has_value());
    EXPECT_FALSE(jet::translate("select * from Player, Clan", db_.catalog()).baseTable.has_value());
    EXPECT_FALSE(jet::translate("select * from q_Selectable", db_.catalog()).baseTable.has_value());
    const Result r = db_.query("select Player_Gamertag from Player where Player_Gamertag='Bob'");
    ASSERT_EQ(r.rows[0].size(), 2u);  // the hidden row id
    EXPECT_EQ(r.rows[0][1].toLong(), db_.rawScalar("SELECT rowid FROM Player WHERE "
                                                   "Player_Gamertag='Bob'")
                                         .toLong());
}

TEST_F(JetStatements, InsertUpdateAndSubSelects) {
    EXPECT_EQ(db_.execute("insert into Clan values('New','','','','')"), 1);
    EXPECT_EQ(db_.execute("update Clan set Website_URL = 'http://new' where Clan_Name = 'NEW'"), 1);
    EXPECT_EQ(db_.rawScalar("SELECT Website_URL FROM Clan WHERE Clan_Name='New'").toText(),
              "http://new");
    EXPECT_EQ(db_.execute("update Player set Primary_Color_Code = 3, Secondary_Color_Code = 1 "
                          "where Player_Gamertag = 'bob'"),
              1);
    EXPECT_EQ(db_.execute("insert into zLoad_Panel_1 (Game_ID, Player_Gamertag) select Game_ID, "
                          "Player_Gamertag from Game_Player where Kills > 3"),
              2);
    const Result r = db_.query(
        "select distinct Player_Gamertag, IIf(InStr([Player_Gamertag],\"(G)\")>0,\"Y\",\"N\") "
        "AS Is_Guest from Game_Player where Game_ID in (select Game_ID from Game where Playlist "
        "= 'arranged game') order by Player_Gamertag");
    EXPECT_EQ(texts(r, 1), (std::vector<std::string>{"N", "Y"}));
    const Result exists = db_.query(
        "select Player_Gamertag from Player as P where exists (select * from Game_Player as GP "
        "where GP.Player_Gamertag = P.Player_Gamertag and GP.Kills > 5)");
    EXPECT_EQ(texts(exists, 0), (std::vector<std::string>{"Alice"}));
}

TEST_F(JetStatements, TopKeepsRowsTiedWithTheLast) {
    // kills per row: 10, 4, 3, 1 -> with a tie at 3 after one more row
    db_.raw("INSERT INTO Game_Player (Game_ID, Player_Gamertag, Kills) VALUES (12,'Bob',3)");
    const Result ties =
        db_.query("select top 3 Game_ID, Kills from Game_Player order by Kills desc");
    EXPECT_EQ(texts(ties, 1), (std::vector<std::string>{"10", "4", "3", "3"}));
    EXPECT_EQ(ties.names, (std::vector<QString>{"Game_ID", "Kills"}));
    // 5 rows: 20 percent is 1 row, 30 percent rounds up to 2 and takes the tie at the second
    const Result percent =
        db_.query("select top 20 percent Player_Gamertag from Game_Player order by Kills");
    EXPECT_EQ(texts(percent, 0), (std::vector<std::string>{"Carl (G)"}));
    EXPECT_EQ(db_.query("select top 30 percent Player_Gamertag from Game_Player order by Kills")
                  .rows.size(),
              3u);
    const Result unordered = db_.query("select top 2 * from Game");
    EXPECT_EQ(unordered.rows.size(), 2u);
    const Result updatable = db_.query("select top 1 * from Game order by Game_ID desc");
    ASSERT_EQ(updatable.rows.size(), 1u);
    EXPECT_EQ(updatable.rows[0].size(), 8u);  // the row id rides along
    EXPECT_EQ(updatable.rows[0][0].toLong(), 12);
}

TEST_F(JetStatements, UnionTakesNamesFromTheFirstSelect) {
    const Result r = db_.query(
        "select Player_Gamertag AS Name, 'P' AS Kind from Player where "
        "Is_Selectable = 'Y' union select Clan_Name, 'C' from Clan "
        "order by Kind, Name desc");
    EXPECT_EQ(r.names, (std::vector<QString>{"Name", "Kind"}));
    EXPECT_EQ(texts(r, 0), (std::vector<std::string>{"Red Team", "Empty Clan", "Bob", "Alice"}));
    EXPECT_EQ(db_.query("select Kills from Game_Player union all select Kills from Game_Player")
                  .rows.size(),
              8u);
    EXPECT_EQ(
        db_.query("select Kills from Game_Player union select Kills from Game_Player").rows.size(),
        4u);
    EXPECT_EQ(
        errorNumberOf([&] { db_.query("select Kills from Game_Player union select * from Game"); }),
        err::kEngineFailure);
}

TEST_F(JetStatements, UpdateOverAnInnerJoin) {
    EXPECT_EQ(db_.execute("UPDATE Player INNER JOIN Clan ON Player.Clan_Name = Clan.Clan_Name SET "
                          "Clan.Website_URL = Player.Player_Gamertag & '.example' WHERE "
                          "Player.Is_Selectable = 'Y'"),
              1);
    EXPECT_EQ(db_.rawScalar("SELECT Website_URL FROM Clan WHERE Clan_Name='Red Team'").toText(),
              "Alice.example");
    EXPECT_EQ(db_.rawScalar("SELECT Website_URL FROM Clan WHERE Clan_Name='Empty Clan'").toText(),
              "");
    EXPECT_EQ(db_.execute("update Game_Player as GP inner join Game as G on G.Game_ID = GP.Game_ID "
                          "set GP.Score = 1 where G.Playlist = 'Arranged Game'"),
              2);
    EXPECT_EQ(db_.rawScalar("SELECT sum(Score) FROM Game_Player").toLong(), 2);
    EXPECT_EQ(errorNumberOf([&] {
                  db_.execute(
                      "UPDATE Player LEFT JOIN Clan ON Player.Clan_Name = Clan.Clan_Name "
                      "SET Clan.Website_URL = ''");
              }),
              err::kSyntaxError);
    EXPECT_EQ(errorNumberOf([&] {
                  db_.execute(
                      "UPDATE Player INNER JOIN Clan ON Player.Clan_Name = Clan.Clan_Name "
                      "SET Clan.Website_URL = '', Player.Personal_Quote = ''");
              }),
              err::kNotUpdatable);
}

TEST_F(JetStatements, SelectIntoAnOutsideFile) {
    const jet::Translation excel = jet::translate(
        "SELECT * INTO [Excel 8.0;DATABASE=/tmp/out.xls].[Query] FROM (select Game_ID, Map from "
        "Game;)",
        db_.catalog());
    ASSERT_EQ(excel.kind, jet::Translation::Kind::SelectInto);
    ASSERT_TRUE(excel.target.has_value());
    EXPECT_EQ(excel.target->kind, ExternalTarget::Kind::Excel8);
    EXPECT_EQ(excel.target->connect, "Excel 8.0;");
    EXPECT_EQ(excel.target->database, "/tmp/out.xls");
    EXPECT_EQ(excel.target->table, "Query");
    EXPECT_EQ(excel.columns.size(), 2u);
    const jet::Translation text = jet::translate(
        "SELECT * INTO [Text;DATABASE=/tmp/dir].[Game.txt] FROM [Game]", db_.catalog());
    ASSERT_TRUE(text.target.has_value());
    EXPECT_EQ(text.target->kind, ExternalTarget::Kind::Text);
    EXPECT_EQ(text.target->database, "/tmp/dir");
    EXPECT_EQ(text.target->table, "Game.txt");
    EXPECT_FALSE(text.baseTable.has_value());
    // the source query runs as it stands
    EXPECT_EQ(db_.query("select * from (select Game_ID, Map from Game;)").rows.size(), 3u);
    EXPECT_EQ(errorNumberOf([&] {
                  jet::translate("SELECT * INTO [dBase IV;DATABASE=/tmp].[x] FROM Game",
                                 db_.catalog());
              }),
              err::kNoOutsideWriter);
}

}  // namespace

}  // namespace tw::jettest
