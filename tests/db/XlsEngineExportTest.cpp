// The whole path of an export: Jet's SELECT * INTO run by the real engine on
// a statistics database, written by the outside-file writers, read back.

#include <QDir>

#include "EngineTestSupport.h"
#include "db/FileExternalWriter.h"
#include "db/XlsReadBack.h"

namespace tw::test {
namespace {

class EngineExport : public EngineTest {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        db_->setExternalWriter(std::make_shared<FileExternalWriter>());
        Run(
            QStringLiteral("insert into Player (Player_Gamertag, Primary_Color_Code, "
                           "Personal_Quote, Last_Download, Is_Friend) values ('Ann', 3, "
                           "'say \"hi\"', '1/15/2005 8:03 PM', 'Y')"));
        Run(QStringLiteral("insert into Player (Player_Gamertag) values ('Fred')"));
    }
};

TEST_F(EngineExport, PlayerTableAndAnEmptyTableAsTwoSheets) {
    const QString book = dir_.filePath(QStringLiteral("MyStats_20050130143005.xls"));
    const QString into = QStringLiteral("SELECT * INTO [Excel 8.0;DATABASE=%1].[%2] FROM [%2]");
    EXPECT_EQ(db_->execute(into.arg(book, QStringLiteral("Player"))), 2);
    EXPECT_EQ(db_->execute(into.arg(book, QStringLiteral("Clan"))), 0);
    EXPECT_EQ(errorTextOf([&] { Run(into.arg(book, QStringLiteral("Player"))); }),
              QStringLiteral("3010: Table 'Player' already exists."));

    const auto read = testing::readWithXlrd(book);
    ASSERT_TRUE(read.ok) << read.problem.toStdString();
    ASSERT_EQ(read.sheets.size(), 2u);
    EXPECT_EQ(read.sheets[0].name, QStringLiteral("Player"));
    ASSERT_EQ(read.sheets[0].rows.size(), 3u);
    EXPECT_EQ(read.sheets[0].rows[0],
              (QStringList{"T:Player_Gamertag", "T:Clan_Name", "T:Primary_Color_Code",
                           "T:Secondary_Color_Code", "T:Personal_Quote", "T:Last_Game_ID",
                           "T:Last_Download", "T:Is_Selectable", "T:Is_Friend", "T:Is_Clan",
                           "T:Is_Jerk", "T:Is_Guest"}));
    EXPECT_EQ(read.sheets[0].rows[1], (QStringList{"T:Ann", "", "N:3", "", "T:say \"hi\"", "",
                                                   "D:38367.8354166667", "", "T:Y", "", "", ""}));
    EXPECT_EQ(read.sheets[0].rows[2].value(0), QStringLiteral("T:Fred"));
    EXPECT_EQ(read.sheets[1].name, QStringLiteral("Clan"));
    EXPECT_EQ(read.sheets[1].rows,
              (std::vector<QStringList>{
                  {"T:Clan_Name", "T:Website_URL", "T:Clan_Tag", "T:Clan_Motto", "T:Clan_Notes"}}));
}

TEST_F(EngineExport, PlayerTableAsTextWithItsSchema) {
    const QString folder = dir_.filePath(QStringLiteral("csv"));
    ASSERT_TRUE(QDir().mkdir(folder));
    EXPECT_EQ(db_->execute(QStringLiteral("SELECT * INTO [Text;DATABASE=%1].[Player.txt] FROM "
                                          "[Player]")
                               .arg(folder)),
              2);
    EXPECT_EQ(fileBytes(folder + QStringLiteral("/Player.txt")).toStdString(),
              "\"Player_Gamertag\",\"Clan_Name\",\"Primary_Color_Code\","
              "\"Secondary_Color_Code\",\"Personal_Quote\",\"Last_Game_ID\",\"Last_Download\","
              "\"Is_Selectable\",\"Is_Friend\",\"Is_Clan\",\"Is_Jerk\",\"Is_Guest\"\r\n"
              "\"Ann\",,3,,\"say \"\"hi\"\"\",,1/15/2005 8:03:00 PM,,\"Y\",,,\r\n"
              "\"Fred\",,,,,,,,,,,\r\n");
    EXPECT_EQ(fileBytes(folder + QStringLiteral("/schema.ini")).toStdString(),
              "[Player.txt]\r\n"
              "ColNameHeader=True\r\n"
              "Format=CSVDelimited\r\n"
              "CharacterSet=65001\r\n"
              "Col1=Player_Gamertag Char Width 255\r\n"
              "Col2=Clan_Name Char Width 255\r\n"
              "Col3=Primary_Color_Code Long\r\n"
              "Col4=Secondary_Color_Code Char Width 255\r\n"
              "Col5=Personal_Quote Char Width 255\r\n"
              "Col6=Last_Game_ID Char Width 255\r\n"
              "Col7=Last_Download DateTime\r\n"
              "Col8=Is_Selectable Char Width 255\r\n"
              "Col9=Is_Friend Char Width 255\r\n"
              "Col10=Is_Clan Char Width 255\r\n"
              "Col11=Is_Jerk Char Width 255\r\n"
              "Col12=Is_Guest Char Width 255\r\n");
}

}  // namespace
}  // namespace tw::test
