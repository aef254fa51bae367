// What the result area tells beside the rows: no record count left under a
// grid emptied by choosing another player, Export's tool tip naming the
// format chosen, and a chart whose date labels are slanted and whose points
// tell their full category and value.

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QHelpEvent>
#include <QLabel>
#include <QPushButton>

#include "QueryFolder.h"
#include "gui/ResultChart.h"
#include "gui/ResultGrid.h"

namespace tw::testing {
namespace {

constexpr char kFeedbackWorld[] =
    "INSERT INTO Player (Player_Gamertag, Is_Selectable, Is_Guest, Last_Game_ID) VALUES"
    " ('Fred', 'Y', 'N', 0), ('Wilma', 'Y', 'N', 0);"
    "INSERT INTO Game VALUES (1, 'Slayer', '2004-11-15 20:03:00', 'Lockout', 'Team Slayer', 'N', "
    "600), (2, 'CTF', '2004-11-16 21:00:00', 'Midship', 'Arranged Game', 'N', 700);"
    "INSERT INTO Game_Player (Game_ID, Player_Gamertag, Finished_Place, Team_Color, Score, Kills,"
    " Assists, Deaths, Shots_Fired) VALUES"
    " (1, 'Fred', 1, 'RED', 50, 12, 1, 3, 100), (2, 'Fred', 2, 'BLUE', 9, 9, 0, 4, NULL);";

class ResultAreaFeedbackTest : public QueryFolderTest {
  protected:
    void SetUp() override {
        QueryFolderTest::SetUp();
        seed(kFeedbackWorld);
    }
    // The tool tip Export shows when the mouse rests on it.
    QString exportTip() {
        QPushButton& button = control<QPushButton>("cmdQryExport");
        QHelpEvent event(QEvent::ToolTip, QPoint(2, 2), button.mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(&button, &event);
        return button.toolTip();
    }
};

TEST_F(ResultAreaFeedbackTest, ChoosingAnotherPlayerEmptiesTheGridAndItsRecordCount) {
    load({{QStringLiteral("Players"), QStringLiteral("SELECT Player_Gamertag FROM Player")}});
    Run(1);
    ASSERT_EQ(resultGrid().rows(), 3);
    ASSERT_TRUE(recordCount().text().startsWith(QStringLiteral("2 records   ")));

    QComboBox& tagList = control<QComboBox>("cmbTagList");
    tagList.setCurrentIndex(tagList.findText(QStringLiteral("Wilma")));
    EXPECT_EQ(resultGrid().rows(), 0);
    EXPECT_EQ(recordCount().text(), "");
}

TEST_F(ResultAreaFeedbackTest, ExportsToolTipNamesTheFormatChosenInTheOptions) {
    load({{QStringLiteral("Players"), QStringLiteral("SELECT Player_Gamertag FROM Player")}});
    EXPECT_EQ(exportTip(), "Export query results to Excel");
    const std::pair<int, const char*> formats[] = {
        {2, "Export query results to CSV"},
        {3, "Export query results to HTML"},
        {4, "Export query results to XML"},
        {1, "Export query results to Excel"},
        {0, "Export query results: no export format is chosen in Options"},
        {5, "Export query results: no export format is chosen in Options"},
    };
    for (const auto& [format, tip] : formats) {
        state_->settings.queryExportFormat = static_cast<int16_t>(format);
        EXPECT_EQ(exportTip(), QString::fromLatin1(tip)) << format;
    }
}

TEST_F(ResultAreaFeedbackTest, ChartDatesAreSlantedAndAPointTellsItsFullCategoryAndValue) {
    load({{QStringLiteral("Kills Graph"),
           QStringLiteral("SELECT Format(Game.Date_Time_Stamp, 'yyyy-mm-dd') AS Day_Played, "
                          "Game_Player.Kills, Game_Player.Shots_Fired FROM Game INNER JOIN "
                          "Game_Player ON Game.Game_ID = Game_Player.Game_ID ORDER BY "
                          "Game.Game_ID")}});
    Run(1);
    ASSERT_TRUE(resultChart().isVisible());
    auto* axis = qobject_cast<QCategoryAxis*>(resultChart().chart()->axes(Qt::Horizontal)[0]);
    ASSERT_NE(axis, nullptr);
    EXPECT_EQ(axis->labelsAngle(), kCategoryLabelAngle);
    EXPECT_FALSE(axis->truncateLabels()) << "a slanted date has the room it needs";
    EXPECT_EQ(axis->categoriesLabels(), QStringList({"2004-11-15", "2004-11-16"}));

    ChartTable table;
    table.categories = QStringList{QStringLiteral("2004-11-15"), QStringLiteral("2004-11-16")};
    table.seriesNames = {QStringLiteral("Kills"), QStringLiteral("Shots_Fired")};
    table.values = {{12.0, 9.0}, {100.0, std::nullopt}};
    EXPECT_EQ(chartPointTip(table, 0, 1.0), "2004-11-15\nKills: 12");
    EXPECT_EQ(chartPointTip(table, 0, 1.6), "2004-11-16\nKills: 9") << "the nearest record";
    EXPECT_EQ(chartPointTip(table, 1, 2.0), "2004-11-16\nShots_Fired: (no value)");
    EXPECT_EQ(chartPointTip(table, 1, 0.2), "") << "before the first record";
    EXPECT_EQ(chartPointTip(table, 0, 3.0), "") << "after the last record";
    EXPECT_EQ(chartPointTip(table, 2, 1.0), "") << "no such line";
}

}  // namespace
}  // namespace tw::testing
