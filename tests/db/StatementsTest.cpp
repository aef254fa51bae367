// The program's own statements, as the tag list, summary, profile, download,
// merge and purge build them, run on a stored world; each asserts the rows it
// must yield or change.

#include "StatementsWorld.h"

namespace tw::test {
namespace {

struct RowCase {
    const char* sql;
    QStringList rows;
};

struct ActionCase {
    const char* sql;
    int64_t changed;  // rows changed; -N: error N
};

void runRowCases(Database& db, const std::vector<RowCase>& cases) {
    for (const RowCase& c : cases) {
        SCOPED_TRACE(c.sql);
        EXPECT_EQ(rowsOf(*db.openRecordset(QString::fromUtf8(c.sql))), c.rows);
    }
}

void runActionCases(Database& db, const std::vector<ActionCase>& cases) {
    for (const ActionCase& c : cases) {
        SCOPED_TRACE(c.sql);
        int64_t changed = 0;
        const int error = errorNumberOf([&] { changed = db.execute(QString::fromUtf8(c.sql)); });
        EXPECT_EQ(error ? -error : changed, c.changed);
    }
}

TEST_F(StatementsTest, TagListSummaryAndProfileRead) {
    runRowCases(
        *db_,
        {
            {"select Player_Gamertag, Is_Selectable from Player where Player_Gamertag='major TOM'",
             {"Major Tom|Y"}},
            {"select Player_Gamertag from Player where Is_Selectable='Y'",
             {"Major Tom", "Bravo", "Example"}},
            {"SELECT Game_ID From Game_Player WHERE Player_Gamertag='Major Tom' ORDER BY Game_ID "
             "DESC",
             {"4", "3", "2", "1"}},
            {"SELECT Game_ID From Game_Player WHERE Player_Gamertag='Nobody' ORDER BY Game_ID DESC",
             {}},
        });
    auto profile = db_->openRecordset(QStringLiteral(
        "SELECT * FROM Player, Clan, Color AS C1, Color AS C2 WHERE Player_Gamertag = 'Major "
        "Tom' AND Primary_Color_Code = C1.Color_Code AND Secondary_Color_Code = C2.Color_Code "
        "AND Player.Clan_Name = Clan.Clan_Name"));
    EXPECT_EQ(profile->field(QStringLiteral("Website_URL")), Variant("http://red.example"));
    EXPECT_EQ(profile->field(QStringLiteral("C1.Hexadecimal_Format")), Variant("FFFFFF"));
    EXPECT_EQ(profile->field(QStringLiteral("C2.Hexadecimal_Format")), Variant("C13E3E"));
    EXPECT_EQ(profile->field(QStringLiteral("C1.Inverted_Text_Color")), Variant("000000"));
    EXPECT_EQ(profile->field(QStringLiteral("Last_Download")).toText(),
              QStringLiteral("3/1/2005 12:00:00 PM"));
    EXPECT_EQ(profile->field(QStringLiteral("Player.Clan_Name")), Variant("Red Team"));
    EXPECT_EQ(profile->field(QStringLiteral("Player_Gamertag")), Variant("Major Tom"));
    EXPECT_EQ(profile->field(QStringLiteral("Clan.Clan_Name")), Variant("Red Team"));
    // Shared column names carry their table or alias; every column of the four is there.
    EXPECT_EQ(profile->fieldCount(), 12 + 5 + 3 + 3);
}

TEST_F(StatementsTest, ProfilePlayerPageAndDetailWrites) {
    runActionCases(
        *db_,
        {
            {"update Player set Personal_Quote = 'It\"s mine' where Player_Gamertag = 'Major Tom'",
             1},
            {"update Clan set Website_URL = 'http://new.example' where Clan_Name = '-'", 0},
            {"delete * from Player where Player_Gamertag='Nobody'", 0},
            {"insert into Clan values('Red Team','','','','')", -3022},
            {"insert into Clan values('Green Team','','','','')", 1},
            {"update Player set Clan_Name = 'Green Team' where Player_Gamertag = 'Bravo'", 1},
            {"delete * from Player_Playlist where Player_Gamertag = 'Major Tom'", 5},
            {"update Player set Primary_Color_Code = 4, Secondary_Color_Code = 11 where "
             "Player_Gamertag = 'Bravo'",
             1},
            {"update Game set Was_Partially_Purged='Y' where Game_ID=5", 1},
            {"update Game set Was_Partially_Purged='N', Duration_Seconds=754 where Game_ID=5", 1},
        });
    runRowCases(
        *db_,
        {
            {"select Personal_Quote from Player where Player_Gamertag='Major Tom'", {"It\"s mine"}},
            {"select Clan_Name, Primary_Color_Code, Secondary_Color_Code from Player "
             "where Player_Gamertag='Bravo'",
             {"Green Team|4|11"}},
            {"select Was_Partially_Purged, Duration_Seconds from Game where Game_ID=5", {"N|754"}},
        });
}

TEST_F(StatementsTest, DownloadFindsNewGamesAndCleanupMergesTheStagedRows) {
    runRowCases(*db_, {{"SELECT Game.Game_ID FROM Game LEFT JOIN Game_Player ON Game.Game_ID = "
                        "Game_Player.Game_ID WHERE Game_Player.Game_ID Is Null ORDER BY "
                        "Game.Game_ID DESC",
                        {"5"}}});
    runActionCases(*db_, {
                             {"delete * from zLoad_Panel_1 where Game_ID > 7", 1},
                             {"delete * from zLoad_Panel_2 where Game_ID > 7", 0},
                             {"delete * from zLoad_Panel_4 where Game_ID > 7", 0},
                             {"delete * from zLoad_Panel_5 where Game_ID > 7", 0},
                             {"update Player set Last_Game_ID=7, Last_Download='12/6/2026 "
                              "8:50:12 PM' where Player_Gamertag='Major Tom'",
                              1},
                         });
    QStringList guests = rows(QStringLiteral(
        "select distinct Player_Gamertag, IIf(InStr([Player_Gamertag],\"(G)\")>0,\"Y\",\"N\") AS "
        "Is_Guest from zLoad_Panel_1"));
    guests.sort();
    EXPECT_EQ(guests, QStringList({"Foo(G) x3|Y", "Major Tom|N"}));
    QStringList merged = rows(QStringLiteral("q_zLoad_Merge"));
    merged.sort();
    EXPECT_EQ(merged, QStringList({"7|Foo(G) x3|2|BLUE|20|Null|Null|Null|Null|Null|Null",
                                   "7|Major Tom|1|RED|40|9|1|2|90|30|4"}));
    runRowCases(*db_, {{"select * from zLoad_Panel_4", {"7|Major Tom|Double Kill|1"}},
                       {"select Last_Game_ID, Last_Download from Player where "
                        "Player_Gamertag='Major Tom'",
                        {"7|12/6/2026 8:50:12 PM"}}});
    runActionCases(*db_, {{"delete * from zLoad_Panel_1", 2},
                          {"delete * from zLoad_Panel_2", 1},
                          {"delete * from zLoad_Panel_5", 1},
                          {"delete * from zLoad_Panel_4", 1},
                          {"delete Game.* FROM Game LEFT JOIN Game_Player ON Game.Game_ID = "
                           "Game_Player.Game_ID WHERE Game_Player.Game_ID Is Null",
                           1}});
    runRowCases(*db_, {{"select count(*) from Game", {"5"}}});
    db_->close();
    EXPECT_EQ(storedText(path_,
                         "select Last_Download from Player where Player_Gamertag = 'Major "
                         "Tom'"),
              QStringLiteral("2026-12-06 20:50:12"));
}

TEST_F(StatementsTest, PurgeOfPlayersOutsideTheTagList) {
    runActionCases(
        *db_,
        {
            {"DELETE Player_Playlist.* FROM Player, Player_Playlist WHERE Player.Is_Selectable = "
             "'N' AND Player.Player_Gamertag = Player_Playlist.Player_Gamertag;",
             1},
            {"DELETE Game_Player_Medal.* FROM Player, Game_Player_Medal WHERE "
             "Player.Is_Selectable = 'N' AND Player.Player_Gamertag = "
             "Game_Player_Medal.Player_Gamertag;",
             1},
            {"DELETE Game_Player.* FROM Player, Game_Player WHERE Player.Is_Selectable = 'N' AND "
             "Player.Player_Gamertag = Game_Player.Player_Gamertag;",
             1},
            {"DELETE Player.* FROM Player WHERE Player.Is_Selectable = 'N';", 2},
            {"delete Clan.* FROM Clan LEFT JOIN Player ON Clan.Clan_Name = Player.Clan_Name "
             "WHERE Player.Clan_Name Is Null",
             2},
        });
    runRowCases(*db_, {{"select Player_Gamertag from Player order by Player_Gamertag",
                        {"Bravo", "Example", "Major Tom"}},
                       {"select Clan_Name from Clan", {"Red Team"}},
                       {"select count(*) from Game_Player", {"7"}},
                       {"select count(*) from Game", {"6"}}});
}

TEST_F(StatementsTest, PurgeOfTheEntireDatabaseKeepsTheReferenceTables) {
    runActionCases(*db_, {{"delete * from Player_Playlist", 6},
                          {"delete * from Game_Player_Medal", 6},
                          {"delete * from Game_Player", 8},
                          {"delete * from Game", 6},
                          {"delete * from Player", 5},
                          {"delete * from Clan", 3},
                          {"delete * from zLoad_Panel_1", 3},
                          {"delete * from zLoad_Panel_2", 1},
                          {"delete * from zLoad_Panel_4", 1},
                          {"delete * from zLoad_Panel_5", 1}});
    runRowCases(*db_,
                {{"select count(*) from Medal", {"26"}}, {"select count(*) from Color", {"18"}}});
}

}  // namespace
}  // namespace tw::test
