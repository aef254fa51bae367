// copyRows: the staged rows of a download go over to the stored tables in one
// statement, with the same outcome as an addNew/Update loop that skips
// duplicate keys.

#include "EngineTestSupport.h"
#include "db/Recordset.h"

namespace tw::test {
namespace {

using CopyingRows = EngineTest;

const QStringList kMedalColumns = {QStringLiteral("Game_ID"), QStringLiteral("Player_Gamertag"),
                                   QStringLiteral("Medal_Name"), QStringLiteral("Count_Earned")};

// Every row of a statement, rows joined by ';'.
QString rows(Database& db, const QString& sql) {
    return rowsOf(*db.openRecordset(sql)).join(u';');
}

TEST_F(CopyingRows, AddsRowsInTheSourcesOrderAndSkipsKeysAlreadyThere) {
    Run(QStringLiteral("insert into Game_Player_Medal values (1, 'Alpha', 'Killjoy', 1)"));
    for (const char* row : {"(3, 'Bravo', 'Killtacular', 2)", "(1, 'ALPHA', 'KILLJOY', 5)",
                            "(2, 'Alpha', 'Killjoy', 3)", "(2, 'Charlie', 'Overkill', 1)"}) {
        Run(QStringLiteral("insert into zLoad_Panel_4 values ") + QString::fromLatin1(row));
    }
    EXPECT_EQ(db_->copyRows(QStringLiteral("zLoad_Panel_4"), QStringLiteral("Game_Player_Medal"),
                            kMedalColumns),
              3);
    // The stored row keeps its count; the others follow in the staged order.
    EXPECT_EQ(rows(*db_, QStringLiteral("select Game_ID, Player_Gamertag, Medal_Name, "
                                        "Count_Earned from Game_Player_Medal")),
              "1|Alpha|Killjoy|1;3|Bravo|Killtacular|2;2|Alpha|Killjoy|3;2|Charlie|Overkill|1");
}

TEST_F(CopyingRows, TheMergeViewCarriesNullShotsAndASelectCanBeTheSource) {
    Run(QStringLiteral("insert into zLoad_Panel_1 values (7, 'Alpha', 1, 'RED', 12)"));
    Run(QStringLiteral("insert into zLoad_Panel_1 values (7, 'Bravo', 2, 'BLUE', 9)"));
    Run(QStringLiteral("insert into zLoad_Panel_2 values (7, 'Alpha', 10, 2, 4)"));
    Run(QStringLiteral("insert into zLoad_Panel_5 values (7, 'ALPHA', 30, 90, 5)"));
    const QStringList columns = {QStringLiteral("Game_ID"),   QStringLiteral("Player_Gamertag"),
                                 QStringLiteral("Score"),     QStringLiteral("Kills"),
                                 QStringLiteral("Shots_Hit"), QStringLiteral("Shots_Fired")};
    EXPECT_EQ(
        db_->copyRows(QStringLiteral("q_zLoad_Merge"), QStringLiteral("Game_Player"), columns), 2);
    EXPECT_EQ(rows(*db_, QStringLiteral("select Game_ID, Player_Gamertag, Score, Kills, "
                                        "Shots_Hit, Shots_Fired, Deaths from Game_Player")),
              "7|Alpha|12|10|30|90|Null;7|Bravo|9|Null|Null|Null|Null");

    Run(QStringLiteral("insert into zLoad_Panel_4 values (7, 'Bravo', 'Killjoy', 1)"));
    Run(QStringLiteral("insert into zLoad_Panel_4 values (8, 'Bravo', 'Killjoy', 1)"));
    EXPECT_EQ(db_->copyRows(QStringLiteral("select * from zLoad_Panel_4 where Game_ID > 7"),
                            QStringLiteral("[Game_Player_Medal]"), kMedalColumns),
              1);
    EXPECT_EQ(rows(*db_, QStringLiteral("select Game_ID from Game_Player_Medal")), "8");
}

TEST_F(CopyingRows, RefusesWhatTheLoopWouldHaveRefusedAndFailsAsAWhole) {
    Run(QStringLiteral("insert into zLoad_Panel_4 values (1, 'Alpha', 'Killjoy', 1)"));
    const auto copy = [&](const QString& source, const QString& target,
                          const QStringList& columns) {
        return errorTextOf([&] { db_->copyRows(source, target, columns); });
    };
    const QString panel = QStringLiteral("zLoad_Panel_4");
    EXPECT_EQ(copy(panel, QStringLiteral("Medals"), kMedalColumns),
              "3078: The database engine cannot find the input table or query 'Medals'. Make "
              "sure it exists and that its name is spelled correctly.");
    EXPECT_EQ(copy(panel, QStringLiteral("q_zLoad_Merge"), kMedalColumns),
              "3027: Cannot update. Database or object is read-only.");
    EXPECT_EQ(copy(panel, QStringLiteral("Game_Player_Medal"),
                   kMedalColumns + QStringList{QStringLiteral("Kills")}),
              "3265: Item not found in this collection.");
    // Medal_Name is text, Count_Earned a number: no silent conversion.
    EXPECT_EQ(copy(QStringLiteral("select Game_ID, Player_Gamertag, Count_Earned AS Medal_Name "
                                  "from zLoad_Panel_4"),
                   QStringLiteral("Game_Player_Medal"),
                   {QStringLiteral("Game_ID"), QStringLiteral("Player_Gamertag"),
                    QStringLiteral("Medal_Name")}),
              "3421: Data type conversion error.");
    EXPECT_EQ(errorNumberOf([&] {
                  db_->copyRows(QStringLiteral("delete * from zLoad_Panel_4"),
                                QStringLiteral("Game_Player_Medal"), kMedalColumns);
              }),
              3219);

    // A Null key is no duplicate: it fails the whole copy, nothing is added.
    Run(
        QStringLiteral("insert into Game_Player (Game_ID, Player_Gamertag, Kills) values (1, "
                       "'Alpha', 3)"));
    Run(QStringLiteral("insert into zLoad_Panel_2 values (2, 'Bravo', 1, 1, 1)"));
    EXPECT_EQ(errorNumberOf([&] {
                  db_->copyRows(QStringLiteral("select Kills AS Game_ID, Player_Gamertag "
                                               "from zLoad_Panel_2 UNION ALL select Null, "
                                               "'Charlie' from zLoad_Panel_2"),
                                QStringLiteral("Game_Player"),
                                {QStringLiteral("Game_ID"), QStringLiteral("Player_Gamertag")});
              }),
              3058);
    EXPECT_EQ(rows(*db_, QStringLiteral("select Game_ID, Player_Gamertag from Game_Player")),
              "1|Alpha");
}

}  // namespace
}  // namespace tw::test
