// The efficiency matrix: the exact tables for a small history, cell classes
// by game count, cells without deaths, one kind of game only, and the ratio.

#include "ReportTestSupport.h"

namespace tw::test {
namespace {

const QString kTableHead = QStringLiteral(
    "<table border=\"1\" align=\"center\" width=\"100%\"><tr align=\"center\" "
    "class=\"matrixhdr\">");
const QString kTypeCell =
    QStringLiteral("<tr align=\"center\"><td align=\"right\" class=\"matrixhdr\">");
const QString kTypeTotal = QStringLiteral("<td style=\"border-left: 2px solid #000000\">");
const QString kMapTotal = QStringLiteral("<td  style=\"border-top: 2px solid #000000\">");
const QString kGamesRow =
    QStringLiteral("<tr align=\"center\"><td align=\"right\" class=\"matrixhdr\">#&nbsp;</td>");
const QString kRatioRow = QStringLiteral(
    "<tr align=\"center\"><td align=\"right\" class=\"matrixhdr\">&divide;&nbsp;</td>");

class Matrix : public ReportTest {
  protected:
    void SetUp() override {
        ReportTest::SetUp();
        addPlayer(QStringLiteral("Red Fox"));
    }
    // `count` games of one type on one map; kills, assists, deaths per game.
    void play(int firstId, int count, const char* type, const char* map, const char* playlist,
              int kills, int assists, int deaths) {
        addGames(QStringLiteral("Red Fox"), firstId, count,
                 QStringLiteral("1, 'RED', 10, %1, %2, %3, 10, 5, 1")
                     .arg(kills)
                     .arg(assists)
                     .arg(deaths),
                 QStringLiteral("'%1', '%2', '%3', 'N', 300")
                     .arg(QString::fromLatin1(type), QString::fromLatin1(map),
                          QString::fromLatin1(playlist)));
    }
    QString matrixHtml() {
        return filledBy(matrixSection, {"EFFICIENCY_MATRIX"})["EFFICIENCY_MATRIX"];
    }
};

TEST_F(Matrix, RankedAndCustomTablesWithTotals) {
    play(1, 1, "CTF", "Midship", "Team Skirmish", 4, 0, 0);
    play(2, 2, "Slayer", "Lockout", "Team Skirmish", 5, 1, 2);
    play(4, 1, "Slayer", "Lockout", "Arranged Game", 4, 0, 1);
    const QString expected =
        kTableHead +
        "<td align=\"left\">RANKED</td><td>Loc</td><td>Mid</td><td>#</td><td>&divide;</td></tr>" +
        kTypeCell + "CTF&nbsp;</td><td>&nbsp;</td><td>&nbsp;</td>" + kTypeTotal +
        "1</td><td>4.0</td>\r\n</tr>\r\n" + kTypeCell +
        "Slayer&nbsp;</td><td>2.5</td><td>&nbsp;</td>" + kTypeTotal +
        "2</td><td>2.5</td>\r\n</tr>\r\n" + kGamesRow + kMapTotal + "2</td>" + kMapTotal +
        "1</td><td><b>3</b></td><td>&nbsp;</td></tr>" + kRatioRow +
        "<td>2.5</td><td>4.0</td><td>&nbsp;</td><td><b>3.5</b></td></tr></table><br />" +
        kTableHead +
        "<td align=\"left\">CUSTOM</td><td>Loc</td><td>Mid</td><td>#</td><td>&divide;</td></tr>" +
        kTypeCell + "Slayer&nbsp;</td><td>4.0</td><td>&nbsp;</td>" + kTypeTotal +
        "1</td><td>4.0</td>\r\n</tr>\r\n" + kGamesRow + kMapTotal + "1</td>" + kMapTotal +
        "0</td><td><b>1</b></td><td>&nbsp;</td></tr>" + kRatioRow +
        "<td>4.0</td><td>0.0</td><td>&nbsp;</td><td><b>4.0</b></td></tr></table><br />";
    EXPECT_EQ(matrixHtml(), expected);
    EXPECT_EQ(filledBy(matrixSection, {"RATIO_TYPE"})["RATIO_TYPE"], QStringLiteral("KpD"));

    // With assists: (10 + 2) / 4 on Lockout.
    state_.settings.tpsUseKApD = true;
    const QString withAssists = matrixHtml();
    EXPECT_TRUE(withAssists.contains(QStringLiteral("Slayer&nbsp;</td><td>3.0</td>")));
    EXPECT_EQ(filledBy(matrixSection, {"RATIO_TYPE"})["RATIO_TYPE"], QStringLiteral("KApD"));
}

TEST_F(Matrix, CellsAreMarkedByTheirNumberOfGames) {
    const int counts[] = {9, 10, 24, 25, 99, 100};
    const char* maps[] = {"Ascension", "Beaver Creek", "Coagulation",
                          "Headlong",  "Lockout",      "Midship"};
    int id = 1;
    for (int m = 0; m < 6; ++m) {
        play(id, counts[m], "Slayer", maps[m], "Team Skirmish", 2, 0, 1);
        id += counts[m];
    }
    const QString html = matrixHtml();
    EXPECT_TRUE(html.contains(
        kTypeCell +
        "Slayer&nbsp;</td><td>2.0</td><td class=\"games10\">2.0</td><td "
        "class=\"games10\">2.0</td><td class=\"games25\">2.0</td><td class=\"games50\">2.0</td><td "
        "class=\"games100\">2.0</td>" +
        kTypeTotal + "267</td><td>2.0</td>"))
        << html.toStdString();
    EXPECT_TRUE(html.contains(kMapTotal + "99</td>" + kMapTotal + "100</td><td><b>267</b></td>"));
    EXPECT_FALSE(html.contains(QStringLiteral("CUSTOM")));
}

TEST_F(Matrix, ACellWithoutDeathsStillCountsItsKills) {
    play(1, 12, "Slayer", "Lockout", "Team Skirmish", 3, 0, 0);
    const QString html = matrixHtml();
    // The type row divides by 1 when it has no deaths; so does the whole table.
    EXPECT_TRUE(html.contains(kTypeCell + "Slayer&nbsp;</td><td class=\"games10\">&nbsp;</td>" +
                              kTypeTotal + "12</td><td>36.0</td>"))
        << html.toStdString();
    EXPECT_TRUE(html.contains(kRatioRow + "<td>36.0</td><td>&nbsp;</td><td><b>36.0</b></td>"));
}

TEST_F(Matrix, OnlyCustomGamesStillOpenWithAnEmptyRankedTable) {
    play(1, 2, "Slayer", "Lockout", "Arranged Game", 3, 0, 1);
    const QString html = matrixHtml();
    const QString emptyRanked =
        kTableHead + "<td align=\"left\">RANKED</td><td>Loc</td><td>#</td><td>&divide;</td></tr>" +
        kGamesRow + kMapTotal + "0</td><td><b>0</b></td><td>&nbsp;</td></tr>" + kRatioRow +
        "<td>0.0</td><td>&nbsp;</td><td><b>0.0</b></td></tr></table><br />" + kTableHead +
        "<td align=\"left\">CUSTOM</td>";
    EXPECT_TRUE(html.startsWith(emptyRanked)) << html.toStdString();
}

}  // namespace
}  // namespace tw::test
