// The tag list's and the profile's reading statements on a stored world: case
// in the key, and the profile's four-table select whose shared column names
// carry their table or alias. The download's, purge's and report's statements
// are tested where the program runs them (the download truth tests, the
// maintenance and report tests).

#include "EngineTestSupport.h"
#include "db/Recordset.h"

namespace tw::test {
namespace {

// Three tag-list players and one outside the list, with a clan and colours.
const char* const kWorld[] = {
    "insert into Clan values('Red Team','http://red.example','','','')",
    // One statement, split for the line's length.
    ("insert into Player values('Major Tom','Red Team',0,2,Null,4,'2005-03-01 "
     "12:00:00','Y','N','N','N','N')"),
    "insert into Player values('Bravo',Null,2,3,Null,2,Null,'Y','N','N','N','N')",
    "insert into Player values('Other',Null,1,1,Null,0,Null,'N','N','N','N','N')",
    "insert into Player values('Example',Null,4,5,Null,0,Null,'Y','N','N','N','N')",
    "insert into Game_Player values(1,'Major Tom',1,'RED',50,10,2,5,100,40,5)",
    "insert into Game_Player values(2,'Major Tom',2,'BLUE',1,4,1,4,50,20,2)",
    "insert into Game_Player values(3,'Major Tom',1,'RED',25,6,0,3,Null,Null,Null)",
    "insert into Game_Player values(4,'Major Tom',3,'',0,0,0,0,0,0,0)",
};

class StatementsTest : public EngineTest {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        for (const char* statement : kWorld) {
            Run(QString::fromUtf8(statement));
        }
    }
};

TEST_F(StatementsTest, TagListSummaryAndProfileRead) {
    const struct {
        const char* sql;
        QStringList rows;
    } cases[] = {
        {"select Player_Gamertag, Is_Selectable from Player where Player_Gamertag='major TOM'",
         {"Major Tom|Y"}},
        {"select Player_Gamertag from Player where Is_Selectable='Y'",
         {"Major Tom", "Bravo", "Example"}},
        {"SELECT Game_ID From Game_Player WHERE Player_Gamertag='Major Tom' ORDER BY Game_ID "
         "DESC",
         {"4", "3", "2", "1"}},
        {"SELECT Game_ID From Game_Player WHERE Player_Gamertag='Nobody' ORDER BY Game_ID DESC",
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sql);
        EXPECT_EQ(rowsOf(*db_->openRecordset(QString::fromUtf8(c.sql))), c.rows);
    }
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

}  // namespace
}  // namespace tw::test
