// The query service without a window: what the window tests cannot see (the
// picture rows and pictures loaded once, the chart's table, the grid in place of
// a chart when asked) and the query export written from a result with the
// batch's workbook filters. Texts, highlight, filters and failures are tested
// through the window in RunQueryTest.

#include <gtest/gtest.h>
#include "support/SqliteFile.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <memory>

#include "ExportReaders.h"
#include "core/Session.h"
#include "db/Database.h"
#include "query/QueryExport.h"
#include "query/QueryRunner.h"
#include "support/QtPrinters.h"
#include "support/ScriptedPrompter.h"
#include "support/TestApplication.h"

namespace tw::testing {
namespace {

constexpr char kRunnerWorld[] =
    "INSERT INTO Player (Player_Gamertag, Is_Selectable, Is_Guest, Last_Game_ID) VALUES"
    " ('Fred', 'Y', 'N', 0), ('Wilma', 'Y', 'N', 0), ('Barney', 'N', 'N', 0);"
    "INSERT INTO Game VALUES (1, 'Slayer', '2005-01-15 20:03:00', 'Lockout', 'Team Slayer', 'N', "
    "600), (2, 'CTF', '2005-01-16 21:00:00', 'Midship', 'Arranged Game', 'N', 700);"
    "INSERT INTO Game_Player (Game_ID, Player_Gamertag, Kills, Deaths, Shots_Fired) VALUES"
    " (1, 'Fred', 12, 3, 100), (2, 'Fred', 9, 4, NULL), (1, 'Wilma', 10, 5, 90),"
    " (2, 'Barney', 7, 9, NULL);";

class QueryRunnerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test_support::ensureApplication();
        ASSERT_TRUE(dir_.isValid());
        ASSERT_TRUE(QDir(dir_.path()).mkpath(QStringLiteral("level")));
        const QString db = filePath(QStringLiteral("tallywick110.mdb"));
        ASSERT_TRUE(QFile::copy(QStringLiteral(TALLYWICK_PROGRAM_DIR "/tallywick110.mdb"), db));
        QFile::setPermissions(db, QFile::ReadOwner | QFile::WriteOwner);
        ASSERT_EQ(test_support::runSql(db, kRunnerWorld), "");
        state_.prompter = &prompter_;
        state_.programDir = dir_.path();
        state_.currentGamertag = QStringLiteral("Fred");
        state_.settings.autoGridHighlight = true;
        state_.clock = [] { return QDateTime(QDate(2005, 1, 30), QTime(14, 30, 5)); };
        state_.db = Database::open(db);
    }

    QString filePath(const QString& relative) const { return dir_.filePath(relative); }

    QueryResult Run(const QString& sql, PlayerFilter player = PlayerFilter::All,
                    GameFilter game = GameFilter::All, const QString& name = QStringLiteral("Q")) {
        QueryRequest request;
        request.name = name;
        request.savedSql = sql;
        request.player = player;
        request.game = game;
        request.gamertag = state_.currentGamertag;
        return runQuery(state_, request);
    }

    QByteArray debugLog() const { return fileContents(filePath(QStringLiteral("debug.log"))); }

    QTemporaryDir dir_;
    ScriptedPrompter prompter_;
    Session state_;
};

TEST_F(QueryRunnerTest, PicturesColoursAndPictureRows) {
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    ASSERT_TRUE(image.save(filePath(QStringLiteral("level/L05.bmp")), "BMP"));
    state_.settings.autoGridHighlight = false;
    const QueryResult result = Run(QStringLiteral(
        "SELECT Player_Gamertag, IIf(Kills > 10, '', '/level/L05.bmp') AS [Level], "
        "IIf(Kills > 10, 'FF8000', '00ff80') AS Color FROM Game_Player WHERE Player_Gamertag = "
        "'Fred' ORDER BY Game_ID"));
    ASSERT_FALSE(result.error);
    ASSERT_EQ(result.rows, 3);
    EXPECT_EQ(result.textRows()[1], QStringList({"Fred", "", ""}));
    EXPECT_EQ(result.textRows()[2], QStringList({"Fred", "", ""}));
    ASSERT_EQ(result.pictures.size(), 1u) << "one picture file, loaded once";
    EXPECT_EQ(result.pictures[0].size(), QSize(8, 8));
    EXPECT_EQ(result.pictureColumns, std::vector<bool>({false, true, false}));
    EXPECT_EQ(result.rowPixels,
              (std::vector<std::pair<int, int>>{{1, kLevelRowPixels}, {2, kLevelRowPixels}}));
    std::vector<CellMark> pictures;
    std::vector<CellMark> colours;
    for (const CellMark& mark : result.marks) {
        (mark.kind == CellKind::Picture ? pictures : colours).push_back(mark);
    }
    ASSERT_EQ(pictures.size(), 1u) << "Kills 12 has no Level value";
    EXPECT_EQ(pictures[0].row, 2);
    EXPECT_EQ(pictures[0].picture, 0);
    // Row 1 (Kills 12, empty Level) has a mark without picture, then its colour.
    ASSERT_EQ(colours.size(), 3u);
    EXPECT_EQ(colours[0].kind, CellKind::Text);
    EXPECT_EQ(colours[1].kind, CellKind::Color);
    EXPECT_EQ(colours[1].backColor, 0x000080FFu);
    EXPECT_EQ(colours[1].text, "FF8000");
    EXPECT_EQ(colours[2].backColor, 0x0080FF00u);
}

TEST_F(QueryRunnerTest, GraphQueriesGiveTheChartTableOrTheGridWhenAsked) {
    const QString sql = QStringLiteral(
        "SELECT Map, Kills FROM Game INNER JOIN Game_Player ON Game.Game_ID = "
        "Game_Player.Game_ID WHERE Player_Gamertag = 'Fred' ORDER BY Game.Game_ID");
    const QueryResult chart =
        Run(sql, PlayerFilter::All, GameFilter::All, QStringLiteral("a gRaPh"));
    ASSERT_FALSE(chart.error);
    ASSERT_TRUE(chart.chart);
    EXPECT_EQ(chart.rows, 0) << "no grid";
    EXPECT_EQ(chart.records, 2);
    EXPECT_EQ(chart.chart->categories, QStringList({"Lockout", "Midship"}));
    ASSERT_EQ(chart.chart->seriesNames, std::vector<QString>({"Kills"}));
    EXPECT_EQ(chart.chart->values[0], (std::vector<std::optional<double>>{12.0, 9.0}));

    QueryRequest request;
    request.name = QStringLiteral("a Graph");
    request.savedSql = sql;
    request.chartGraphQueries = false;
    const QueryResult grid = runQuery(state_, request);
    EXPECT_FALSE(grid.chart);
    EXPECT_EQ(grid.textRows(),
              QList<QStringList>({{"Map", "Kills"}, {"Lockout", "12"}, {"Midship", "9"}}));
}

TEST_F(QueryRunnerTest, AnEmptyResultHasNoRowsAndCountsZero) {
    const QueryResult result =
        Run(QStringLiteral("SELECT Kills FROM Game_Player WHERE Kills > 1000"), PlayerFilter::All,
            GameFilter::All, QStringLiteral("Graph"));
    EXPECT_FALSE(result.error);
    EXPECT_EQ(result.records, 0);
    EXPECT_EQ(result.rows, 0);
    EXPECT_FALSE(result.chart);
    EXPECT_TRUE(result.textRows().isEmpty());
}

TEST_F(QueryRunnerTest, ExportsWriteTheResultAndTheFilteredWorkbook) {
    state_.querySql[1] = QStringLiteral(
        "SELECT Player.Player_Gamertag, Kills FROM Player INNER JOIN Game_Player ON "
        "Player.Player_Gamertag = Game_Player.Player_Gamertag WHERE Kills > 0 ORDER BY Kills;");
    const QueryResult result = Run(state_.querySql[1], PlayerFilter::TagList);
    ASSERT_FALSE(result.error);
    prompter_.acknowledgeOkMessages(true);
    QueryExportRequest request;
    request.index = 1;
    request.savedSql = state_.querySql[1];
    request.gamertag = state_.currentGamertag;
    request.rows = result.textRows();
    request.rowsStatement = result.statement;

    state_.settings.queryExportFormat = 2;
    prompter_.answerSave(filePath(QStringLiteral("out.csv")));
    exportQuery(state_, request);
    EXPECT_EQ(prompter_.calls().back().text, "Query results have been exported.");
    EXPECT_EQ(fileContents(filePath(QStringLiteral("out.csv"))),
              "Player_Gamertag,Kills\r\nFred,9\r\nWilma,10\r\nFred,12\r\n");

    state_.settings.queryExportFormat = 1;
    request.workbookFilters = WorkbookFilters{PlayerFilter::Me, GameFilter::All};
    prompter_.answerSave(filePath(QStringLiteral("me.xls")));
    exportQuery(state_, request);
    EXPECT_EQ(prompter_.calls().back().text, "Query results have been exported.");
    const Workbook book = readWorkbook(filePath(QStringLiteral("me.xls")));
    ASSERT_EQ(book.error, "");
    EXPECT_EQ(book.sheets["Query"],
              QList<QStringList>({{"Player_Gamertag", "Kills"}, {"Fred", "9"}, {"Fred", "12"}}));

    // A text format that cannot be written logs the statement its rows came from.
    state_.settings.queryExportFormat = 4;
    prompter_.answerSave(filePath(QStringLiteral("missing/out.xml")));
    exportQuery(state_, request);
    EXPECT_TRUE(prompter_.calls().back().text.startsWith(QStringLiteral("Error #: 75\r\n")));
    EXPECT_TRUE(debugLog().contains(" [App.QryExport]   "));
    EXPECT_TRUE(debugLog().contains("SQL: " + result.statement.toUtf8() + "\r\n"));
}

}  // namespace
}  // namespace tw::testing
