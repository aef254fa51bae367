// The text rules of the query row and the exports that need no window: filter
// splicing, the record count label, the generic sort order, the export
// escapes, the workbook statement and the Color cell colours.

#include <gtest/gtest.h>

#include "db/AppError.h"
#include "query/ChartTable.h"
#include "query/ExportText.h"
#include "query/QueryExport.h"
#include "query/QueryFilters.h"
#include "query/QueryRunner.h"
#include "query/ResultReader.h"
#include "query/SortKeys.h"
#include "support/QtPrinters.h"

namespace tw::testing {
namespace {

// The game condition comes first; every WHERE in capitals is filtered, a
// lower-case one or none at all is left alone.
TEST(QueryFilterTest, FiltersAreSplicedAfterEveryCapitalWhere) {
    struct Case {
        const char* sql;
        PlayerFilter player;
        GameFilter game;
        const char* gamertag;
        const char* filtered;
    };
    const Case cases[] = {
        {"SELECT * FROM Game_Player WHERE Kills > 10", PlayerFilter::Me, GameFilter::Ranked, "G",
         "SELECT * FROM Game_Player WHERE Game.Playlist <> 'Arranged Game' AND "
         "Player.Player_Gamertag = 'G' AND Kills > 10"},
        {"SELECT a FROM Game WHERE x IN (SELECT y FROM Player WHERE z)", PlayerFilter::TagList,
         GameFilter::Unranked, "",
         "SELECT a FROM Game WHERE Game.Playlist = 'Arranged Game' AND "
         "Player.Is_Selectable = 'Y' AND x IN (SELECT y FROM Player WHERE "
         "Game.Playlist = 'Arranged Game' AND Player.Is_Selectable = 'Y' AND z)"},
        {"select * from Game where Kills > 1", PlayerFilter::Me, GameFilter::Ranked, "G",
         "select * from Game where Kills > 1"},
        {"SELECT * FROM Game", PlayerFilter::TagList, GameFilter::Ranked, "", "SELECT * FROM Game"},
        {"SELECT 1 WHERE 1", PlayerFilter::All, GameFilter::All, "G", "SELECT 1 WHERE 1"},
        // An apostrophe in the gamertag stays inside its quotes.
        {"SELECT 1 WHERE 1", PlayerFilter::Me, GameFilter::All, "O'Neil",
         "SELECT 1 WHERE Player.Player_Gamertag = 'O''Neil' AND 1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sql);
        EXPECT_EQ(applyQueryFilters(QString::fromLatin1(c.sql), c.player, c.game,
                                    QString::fromLatin1(c.gamertag)),
                  QString::fromLatin1(c.filtered));
    }
}

TEST(RecordCountTextTest, CountThreeBlanksAndSeconds) {
    EXPECT_EQ(recordCountText(57, 420), "57 records   0.42 secs");
    EXPECT_EQ(recordCountText(0, 0), "0 records   0.00 secs");
    EXPECT_EQ(recordCountText(20000, 12345), "20000 records   12.35 secs");
}

TEST(GenericSortOrderTest, NumbersAsNumbersTextsWithoutCaseNumbersFirst) {
    EXPECT_LT(compareGeneric(QStringLiteral("9"), QStringLiteral("10")), 0);
    EXPECT_LT(compareGeneric(QStringLiteral("10"), QStringLiteral("100")), 0);
    EXPECT_LT(compareGeneric(QStringLiteral("-2.5"), QStringLiteral("1")), 0);
    EXPECT_EQ(compareGeneric(QStringLiteral("apple"), QStringLiteral("APPLE")), 0);
    EXPECT_LT(compareGeneric(QStringLiteral("apple"), QStringLiteral("Banana")), 0);
    EXPECT_LT(compareGeneric(QStringLiteral("100"), QStringLiteral("abc")), 0);
    EXPECT_GT(compareGeneric(QStringLiteral("abc"), QStringLiteral("2")), 0);
    // Dates compare as their text.
    EXPECT_LT(compareGeneric(QStringLiteral("1/15/2005"), QStringLiteral("1/2/2005")), 0);
}

TEST(GenericSortOrderTest, SortedOrderIsStableBothWays) {
    const std::vector<QString> keys = {"10", "b", "9", "A", "10", "", "2.5"};
    // Numbers first, then texts without regard to case ("" is a text).
    EXPECT_EQ(sortedOrder(keys, SortMode::GenericAscending),
              std::vector<int>({6, 2, 0, 4, 5, 3, 1}));
    EXPECT_EQ(sortedOrder(keys, SortMode::GenericDescending),
              std::vector<int>({1, 3, 5, 0, 4, 2, 6}));
    EXPECT_TRUE(sortedOrder({}, SortMode::GenericAscending).empty());
}

TEST(ExportTextTest, CsvQuotesOnlyWhereItMust) {
    EXPECT_EQ(csvField(QStringLiteral("Fred")), "Fred");
    EXPECT_EQ(csvField(QStringLiteral("12.5")), "12.5");
    EXPECT_EQ(csvField(QString()), "");
    EXPECT_EQ(csvField(QStringLiteral("Halo, 2")), "\"Halo, 2\"");
    EXPECT_EQ(csvField(QStringLiteral("say \"hi\"")), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(csvField(QStringLiteral("a\r\nb")), "\"a\r\nb\"");
    EXPECT_EQ(csvField(QStringLiteral("a\nb")), "\"a\nb\"");
}

TEST(ExportTextTest, MarkupEscapesAndElementNames) {
    EXPECT_EQ(escapeMarkup(QStringLiteral("Fred")), "Fred");
    EXPECT_EQ(escapeMarkup(QStringLiteral("<b>&\"'")), "&lt;b&gt;&amp;\"'");
    // What XML 1.0 forbids is left out; tab, CR, LF and a pair of surrogates stay.
    const QChar lone[] = {QChar(0xD83C), QLatin1Char('x'), QChar(0xDFAE)};
    EXPECT_EQ(escapeMarkup(QString(lone, 3)), "x");
    const QString pair = QString::fromUcs4(U"\U0001F3AE");
    EXPECT_EQ(escapeMarkup(QStringLiteral("a\x01\x07\x1f\t\r\nb") + pair + QChar(0xFFFE) +
                           QChar(0xFFFF) + QChar(0xFFFD)),
              QStringLiteral("a\t\r\nb") + pair + QChar(0xFFFD));
    EXPECT_EQ(xmlElementName(QStringLiteral("Kills")), "Kills");
    EXPECT_EQ(xmlElementName(QStringLiteral("Player_Gamertag")), "Player_Gamertag");
    EXPECT_EQ(xmlElementName(QStringLiteral("Kills per Death")), "Kills_per_Death");
    EXPECT_EQ(xmlElementName(QStringLiteral("2nd Place")), "_2nd_Place");
    EXPECT_EQ(xmlElementName(QStringLiteral("C1.Hexadecimal_Format")), "C1.Hexadecimal_Format");
    EXPECT_EQ(xmlElementName(QStringLiteral("Win%")), "Win_");
    EXPECT_EQ(xmlElementName(QStringLiteral("a:b")), "a_b");
    EXPECT_EQ(xmlElementName(QStringLiteral("-x")), "_-x");
    EXPECT_EQ(xmlElementName(QString()), "_");
}

TEST(WorkbookExportSqlTest, TrailingSemicolonsGoAndMeIsQuoted) {
    EXPECT_EQ(workbookExportSql(QStringLiteral("SELECT * FROM Game;"), QStringLiteral("G")),
              "SELECT * FROM Game");
    EXPECT_EQ(workbookExportSql(QStringLiteral("SELECT * FROM Game ; ;\r\n"), QStringLiteral("G")),
              "SELECT * FROM Game");
    EXPECT_EQ(workbookExportSql(
                  QStringLiteral("SELECT * FROM Player WHERE Player_Gamertag = [Me] OR x = [Me]"),
                  QStringLiteral("O'Neil")),
              "SELECT * FROM Player WHERE Player_Gamertag = 'O''Neil' OR x = 'O''Neil'");
    // A semicolon inside a text literal is the user's and stays.
    EXPECT_EQ(workbookExportSql(QStringLiteral("SELECT 'a;b' AS T FROM Game WHERE [me] = 1;"),
                                QStringLiteral("G")),
              "SELECT 'a;b' AS T FROM Game WHERE [me] = 1");
}

TEST(ColorCellTest, HexDigitsGiveRedGreenBlue) {
    EXPECT_EQ(colorCellBackground(QStringLiteral("FF8000")), 0x000080FFu);
    EXPECT_EQ(colorCellBackground(QStringLiteral("0000ff")), 0x00FF0000u);
    for (const char* bad : {"GG0000", "", "F", "FF80-1"}) {
        try {
            colorCellBackground(QString::fromLatin1(bad));
            ADD_FAILURE() << bad << " was taken as a colour";
        } catch (const AppError& error) {
            EXPECT_EQ(error.number(), err::kTypeMismatch) << bad;
        }
    }
}

TEST(ChartLabelSpacingTest, TenthOfTheRecordsAndNeverZero) {
    EXPECT_EQ(labelSpacing(0), 1);
    EXPECT_EQ(labelSpacing(3), 1);
    EXPECT_EQ(labelSpacing(19), 1);
    EXPECT_EQ(labelSpacing(20), 2);
    EXPECT_EQ(labelSpacing(257), 25);
}

}  // namespace
}  // namespace tw::testing
