// The Run button through the real window: filters from the option buttons,
// the grid path with its pictures, colours, highlight and widths, the chart
// path, the record count label and the error path.

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QLineSeries>
#include <QRegularExpression>
#include <QValueAxis>

#include "QueryFolder.h"
#include "db/Database.h"
#include "gui/BgrColor.h"
#include "gui/ResultGrid.h"
#include "gui/ResultGridFill.h"
#include "gui/Twips.h"
#include "query/QueryResult.h"

namespace tw::testing {
namespace {

constexpr char kRunWorld[] =
    "INSERT INTO Player (Player_Gamertag, Is_Selectable, Is_Guest, Last_Game_ID) VALUES"
    " ('Fred', 'Y', 'N', 0), ('Wilma', 'Y', 'N', 0), ('Barney', 'N', 'N', 0);"
    "INSERT INTO Game VALUES (1, 'Slayer', '2005-01-15 20:03:00', 'Lockout', 'Team Slayer', 'N', "
    "600),"
    " (2, 'CTF', '2005-01-16 21:00:00', 'Midship', 'Arranged Game', 'N', 700),"
    " (3, 'Slayer', '2005-01-17 10:00:00', 'Ascension', 'Rumble Pit', 'N', NULL);"
    "INSERT INTO Game_Player (Game_ID, Player_Gamertag, Finished_Place, Team_Color, Score, Kills,"
    " Assists, Deaths, Shots_Fired) VALUES"
    " (1, 'Fred', 1, 'RED', 50, 12, 1, 3, 100), (2, 'Fred', 2, 'BLUE', 9, 9, 0, 4, NULL),"
    " (3, 'Fred', 1, '', 100, 100, 2, 1, 300), (1, 'Wilma', 2, 'BLUE', 10, 10, 3, 5, 90),"
    " (2, 'Wilma', 1, 'RED', 5, 5, 1, 2, 40), (3, 'Barney', 2, '', 7, 7, 0, 9, NULL);";

constexpr char kJoined[] =
    "FROM (Game INNER JOIN Game_Player ON Game.Game_ID = Game_Player.Game_ID) INNER JOIN Player"
    " ON Player.Player_Gamertag = Game_Player.Player_Gamertag ";

class RunQueryTest : public QueryFolderTest {
  protected:
    void SetUp() override {
        QueryFolderTest::SetUp();
        seed(kRunWorld);
    }
    TwipsScale gridScale() const { return TwipsScale::forWidget(resultGrid()); }
    // The width a column gets from its widest text, after the trip through pixels.
    int expectedWidth(const QString& widest) {
        const TwipsScale scale = gridScale();
        const QFontMetrics metrics(resultGrid().font());
        const int twips = scale.xToTwips(metrics.horizontalAdvance(widest)) + kColumnPadTwips;
        return scale.xToTwips(scale.xToPixels(twips));
    }
    QString label() const { return recordCount().text(); }
};

TEST_F(RunQueryTest, PlaceholderAsksForAQueryAndTouchesNothing) {
    load({{QStringLiteral("Kills"), QStringLiteral("SELECT * FROM Nowhere WHERE 1")}});
    prompter_->answerMessage(MsgResult::Ok);
    Run(0);
    ASSERT_EQ(prompter_->calls().size(), 1u);
    EXPECT_EQ(prompter_->calls()[0].text, "You must select a query to run.");
    EXPECT_EQ(prompter_->calls()[0].title, "Error");
    EXPECT_EQ(prompter_->calls()[0].icon, MsgIcon::Information);
    EXPECT_EQ(resultGrid().rows(), 0);
    EXPECT_EQ(label(), "");
    EXPECT_EQ(panel_->lastStatement(), "") << "nothing ran";
    EXPECT_FALSE(QFile::exists(filePath(QStringLiteral("debug.log"))));
}

TEST_F(RunQueryTest, GridHoldsHeaderRowRecordsHighlightAndCount) {
    load({{QStringLiteral("Shots"),
           QStringLiteral("SELECT Player_Gamertag, Kills, Shots_Fired FROM Game_Player WHERE "
                          "Kills > 6 ORDER BY Game_ID, Player_Gamertag")}});
    state_->currentGamertag = QStringLiteral("Fred");
    Run(1);
    ASSERT_TRUE(prompter_->calls().empty());
    ResultGrid& grid = resultGrid();
    ASSERT_EQ(grid.rows(), 6);
    ASSERT_EQ(grid.cols(), 3);
    EXPECT_EQ(grid.fixedRows(), 1);
    EXPECT_EQ(grid.fixedCols(), 0);
    const QStringList expected[] = {{"Player_Gamertag", "Kills", "Shots_Fired"},
                                    {"Fred", "12", "100"},
                                    {"Wilma", "10", "90"},
                                    {"Fred", "9", ""},
                                    {"Barney", "7", ""},
                                    {"Fred", "100", "300"}};
    for (int r = 0; r < 6; ++r) {
        for (int c = 0; c < 3; ++c) {
            EXPECT_EQ(cell(r, c), expected[r][c]) << r << "," << c;
        }
    }
    // Fred's non-null cells are highlighted; his Null cell and other rows are not.
    EXPECT_EQ(backColor(1, 0), kHighlightColor);
    EXPECT_EQ(backColor(1, 2), kHighlightColor);
    EXPECT_EQ(backColor(3, 1), kHighlightColor);
    EXPECT_EQ(backColor(3, 2), 0u);
    EXPECT_EQ(backColor(2, 0), 0u);
    EXPECT_EQ(backColor(4, 1), 0u);
    // Header cells centred; widths from the widest text plus 200 twips.
    grid.setRow(0);
    grid.setCol(1);
    EXPECT_EQ(grid.cellAlignment(), ResultGrid::CenterCenter);
    EXPECT_EQ(grid.colWidthTwips(0), expectedWidth(QStringLiteral("Player_Gamertag")));
    EXPECT_EQ(grid.colWidthTwips(1), expectedWidth(QStringLiteral("Kills"))) << "title is widest";
    EXPECT_TRUE(grid.redraw());
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^5 records   \\d+\\.\\d\\d secs$"))
                    .match(label())
                    .hasMatch())
        << label().toStdString();
    EXPECT_FALSE(resultChart().isVisible());
}

TEST_F(RunQueryTest, OptionButtonsSpliceMeAndRankedIntoTheStatement) {
    const QString saved = QStringLiteral("SELECT Game_Player.Player_Gamertag, Game.Game_ID ") +
                          QString::fromLatin1(kJoined) +
                          QStringLiteral("WHERE Game_Player.Kills > 0 ORDER BY Game.Game_ID");
    load({{QStringLiteral("Games"), saved}});
    state_->currentGamertag = QStringLiteral("Fred");
    selectFilters(3, 2);
    Run(1);
    EXPECT_EQ(panel_->lastStatement(),
              QString(saved).replace(QStringLiteral("WHERE "),
                                     QStringLiteral("WHERE Game.Playlist <> 'Arranged Game' AND "
                                                    "Player.Player_Gamertag = 'Fred' AND ")));
    ASSERT_EQ(resultGrid().rows(), 3);
    EXPECT_EQ(cell(1, 1), "1");
    EXPECT_EQ(cell(2, 1), "3");

    selectFilters(2, 3);  // tag list, unranked: game 2, Fred and Wilma
    Run(1);
    ASSERT_EQ(resultGrid().rows(), 3);
    EXPECT_EQ(cell(1, 1), "2");
    EXPECT_EQ(cell(2, 1), "2");
}

TEST_F(RunQueryTest, LevelMedalAndColorColumnsShowPicturesAndColours) {
    putPicture(QStringLiteral("level/L05.bmp"));
    putPicture(QStringLiteral("medal/Double Kill.bmp"));
    load({{QStringLiteral("Marks"),
           QStringLiteral("SELECT Player_Gamertag, IIf(Kills > 50, '', '/level/L05.bmp') AS "
                          "[Level], '/medal/Double Kill.bmp' AS Medal, IIf(Kills > 50, 'FF8000', "
                          "'00ff80') AS Color FROM Game_Player WHERE Player_Gamertag = 'Fred' "
                          "ORDER BY Game_ID")}});
    state_->currentGamertag = QStringLiteral("Fred");
    Run(1);
    ASSERT_TRUE(prompter_->calls().empty());
    ResultGrid& grid = resultGrid();
    ASSERT_EQ(grid.rows(), 4);
    const TwipsScale scale = gridScale();
    for (int r = 1; r <= 3; ++r) {
        // The Medal column comes after Level, so its 25 pixels win the row.
        EXPECT_EQ(grid.rowHeightTwips(r), scale.yToTwips(scale.yToPixels(scale.yToTwips(25)))) << r;
        EXPECT_EQ(cell(r, 1), "") << r;
        EXPECT_EQ(cell(r, 2), "") << r;
        EXPECT_EQ(cell(r, 3), "") << r;
        grid.setRow(r);
        grid.setCol(2);
        EXPECT_FALSE(grid.cellPicture().isNull()) << r;
        EXPECT_EQ(grid.cellPictureAlignment(), ResultGrid::CenterCenter);
    }
    grid.setRow(3);  // Kills 100: empty Level value, no picture
    grid.setCol(1);
    EXPECT_TRUE(grid.cellPicture().isNull());
    grid.setRow(1);
    EXPECT_FALSE(grid.cellPicture().isNull());
    EXPECT_EQ(backColor(3, 3), bgrValue(255, 128, 0)) << "the colour replaces the highlight";
    EXPECT_EQ(backColor(1, 3), bgrValue(0, 255, 128));
    EXPECT_EQ(backColor(1, 1), kHighlightColor) << "a picture cell is still highlighted";
    const int pictureWidth = scale.xToTwips(30) + kColumnPadTwips;
    EXPECT_EQ(grid.colWidthTwips(2), scale.xToTwips(scale.xToPixels(pictureWidth)));
}

TEST_F(RunQueryTest, ABadPictureOrStatementGoesToTheLogAndKeepsThePlacedRows) {
    QFile bad(filePath(QStringLiteral("level/L99.bmp")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("not a picture");
    bad.close();
    putPicture(QStringLiteral("level/L05.bmp"));
    load({{QStringLiteral("Levels"),
           QStringLiteral("SELECT Player_Gamertag, IIf(Player_Gamertag = 'Wilma', "
                          "'/level/L99.bmp', '/level/L05.bmp') AS [Level] FROM Player WHERE 1 = 1 "
                          "ORDER BY Player_Gamertag")},
          {QStringLiteral("Broken"), QStringLiteral("SELECT Nothing FROM Nowhere WHERE 1 = 1")}});
    prompter_->acknowledgeOkMessages(true);
    Run(1);
    ASSERT_EQ(prompter_->calls().size(), 1u);
    EXPECT_TRUE(prompter_->calls()[0].text.startsWith(QStringLiteral("Error #: 481\r\n")))
        << prompter_->calls()[0].text.toStdString();
    EXPECT_EQ(label(), "") << "no count after a failure";
    // Barney and Fred came before Wilma and stay.
    ASSERT_GE(resultGrid().rows(), 3);
    EXPECT_EQ(cell(1, 0), "Barney");
    EXPECT_EQ(cell(2, 0), "Fred");
    EXPECT_TRUE(resultGrid().redraw()) << "drawing resumes after a failure";
    const QByteArray log = debugLog();
    EXPECT_TRUE(log.contains(" [App.RunQuery]   ")) << log.constData();
    EXPECT_TRUE(log.contains("\r\n#481 - ")) << log.constData();

    Run(2);
    ASSERT_EQ(prompter_->calls().size(), 2u);
    EXPECT_TRUE(debugLog().contains("SQL: SELECT Nothing FROM Nowhere WHERE 1 = 1\r\n"));
    EXPECT_EQ(resultGrid().rows(), 0);
}

TEST_F(RunQueryTest, GraphQueryDrawsEveryRecordWithSecondaryAxes) {
    load({{QStringLiteral("Kills gRaPh"),
           QStringLiteral("SELECT Format(Game.Date_Time_Stamp, 'yyyy-mm-dd') AS Day_Played, "
                          "Game_Player.Kills, Game_Player.Deaths, Game_Player.Score ") +
               QString::fromLatin1(kJoined) +
               QStringLiteral("WHERE Player.Player_Gamertag = 'Fred' ORDER BY Game.Game_ID")}});
    Run(1);
    ASSERT_TRUE(prompter_->calls().empty());
    EXPECT_TRUE(resultChart().isVisible());
    EXPECT_EQ(resultGrid().rows(), 0) << "the grid stays empty";
    EXPECT_TRUE(label().startsWith(QStringLiteral("3 records   "))) << label().toStdString();
    QChart* chart = resultChart().chart();
    const auto series = chart->series();
    ASSERT_EQ(series.size(), 3);
    const QStringList names = {"Kills", "Deaths", "Score"};
    QAbstractAxis* primary = nullptr;
    for (int k = 0; k < 3; ++k) {
        auto* line = qobject_cast<QLineSeries*>(series[k]);
        ASSERT_NE(line, nullptr);
        EXPECT_EQ(line->name(), names[k]);
        ASSERT_EQ(line->count(), 3) << "every record is charted";
        QAbstractAxis* valueAxis = nullptr;
        for (QAbstractAxis* axis : line->attachedAxes()) {
            if (axis->orientation() == Qt::Vertical) {
                valueAxis = axis;
            }
        }
        ASSERT_NE(valueAxis, nullptr);
        EXPECT_EQ(valueAxis->alignment(), k == 0 ? Qt::AlignLeft : Qt::AlignRight) << k;
        if (k == 0) {
            primary = valueAxis;
        } else {
            EXPECT_NE(valueAxis, primary);
        }
    }
    const auto* kills = qobject_cast<QLineSeries*>(series[0]);
    EXPECT_EQ(kills->at(0), QPointF(1, 12));
    EXPECT_EQ(kills->at(2), QPointF(3, 100));
    const auto horizontal = chart->axes(Qt::Horizontal);
    ASSERT_EQ(horizontal.size(), 1);
    auto* categories = qobject_cast<QCategoryAxis*>(horizontal[0]);
    ASSERT_NE(categories, nullptr);
    EXPECT_EQ(categories->categoriesLabels(),
              QStringList({"2005-01-15", "2005-01-16", "2005-01-17"}))
        << "fewer than ten records: a label on every category";

    // The next run hides the chart again.
    load({{QStringLiteral("Plain"), QStringLiteral("SELECT * FROM Player WHERE 1 = 1")}});
    Run(1);
    EXPECT_FALSE(resultChart().isVisible());
}

TEST_F(RunQueryTest, ManyGraphRecordsLabelEveryTenth) {
    QByteArray rows = "INSERT INTO Game (Game_ID, Type, Date_Time_Stamp, Map, Playlist) VALUES ";
    for (int i = 0; i < 25; ++i) {
        rows += (i ? "," : "") + QByteArray("(") + QByteArray::number(100 + i) +
                ", 'Slayer', '2005-02-01 10:00:00', 'Map" + QByteArray::number(i) +
                "', 'Team Slayer')";
    }
    seed(rows.constData());
    load({{QStringLiteral("Graph"),
           QStringLiteral("SELECT Map, Game_ID FROM Game WHERE Game_ID >= 100 ORDER BY Game_ID")}});
    Run(1);
    auto* axis = qobject_cast<QCategoryAxis*>(resultChart().chart()->axes(Qt::Horizontal)[0]);
    ASSERT_NE(axis, nullptr);
    EXPECT_EQ(axis->categoriesLabels(),
              QStringList({"Map0", "Map2", "Map4", "Map6", "Map8", "Map10", "Map12", "Map14",
                           "Map16", "Map18", "Map20", "Map22", "Map24"}));
}

}  // namespace
}  // namespace tw::testing
