// Header clicks sort the grid and mark the sorted column; a right click on a
// gamertag cell offers the player to the tag list through the grid pop-up.

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QTest>

#include "QueryFolder.h"
#include "gui/BgrColor.h"
#include "gui/ResultGrid.h"
#include "gui/ResultGridFill.h"
#include "gui/ResultGridSort.h"
#include "gui/TagListPanel.h"
#include "gui/Twips.h"
#include "query/QueryResult.h"
#include "taglist/TagList.h"

namespace tw::testing {
namespace {

constexpr char kSortRows[] =
    "INSERT INTO Player (Player_Gamertag, Is_Selectable, Is_Guest, Last_Game_ID) VALUES"
    " ('Fred', 'Y', 'N', 0), ('Wilma', 'N', 'N', 0), ('  Dino ', 'N', 'N', 0),"
    " ('barney', 'N', 'N', 0);"
    "INSERT INTO Game_Player (Game_ID, Player_Gamertag, Kills, Deaths) VALUES"
    " (1, 'Fred', 10, 1), (2, 'Wilma', 9, NULL), (3, '  Dino ', 100, 3), (4, 'barney', 10, 2);";

class SortAndPopupTest : public QueryFolderTest {
  protected:
    void SetUp() override {
        QueryFolderTest::SetUp();
        seed(kSortRows);
        load({{QStringLiteral("Kills"),
               QStringLiteral("SELECT Player_Gamertag, Game_ID, Kills, Deaths FROM Game_Player "
                              "WHERE 1 = 1 ORDER BY Game_ID")},
              {QStringLiteral("Lower"),
               QStringLiteral("SELECT Player_Gamertag AS gamertag, Kills FROM Game_Player WHERE "
                              "1 = 1")}});
        state_->currentGamertag = QStringLiteral("Fred");
        Run(1);
        ASSERT_EQ(resultGrid().rows(), 5);
        widthBefore_ = {resultGrid().colWidthTwips(0), resultGrid().colWidthTwips(1),
                        resultGrid().colWidthTwips(2), resultGrid().colWidthTwips(3)};
    }
    QStringList column(int col) {
        QStringList texts;
        for (int r = 1; r < resultGrid().rows(); ++r) {
            texts << cell(r, col);
        }
        return texts;
    }
    bool headerHasArrow(int col, const QLabel* arrow) {
        resultGrid().setRow(0);
        resultGrid().setCol(col);
        return !resultGrid().cellPicture().isNull() &&
               resultGrid().cellPicture().toImage() == arrow->pixmap().toImage();
    }
    int widening() {
        const TwipsScale scale = TwipsScale::forWidget(resultGrid());
        return scale.xToTwips(kSortWideningPixels);
    }
    std::vector<int> widthBefore_;
};

TEST_F(SortAndPopupTest, HeaderClicksSortDescendingThenFlipThenMoveToAnotherColumn) {
    clickCell(0, 2, Qt::LeftButton);
    EXPECT_EQ(panel_->sortState(), "2D");
    EXPECT_EQ(column(2), QStringList({"100", "10", "10", "9"})) << "numbers as numbers";
    EXPECT_EQ(column(0), QStringList({"  Dino ", "Fred", "barney", "Wilma"}))
        << "whole rows move; equal keys keep their order";
    EXPECT_TRUE(headerHasArrow(2, &arrow(false)));
    resultGrid().setRow(0);
    resultGrid().setCol(2);
    EXPECT_EQ(resultGrid().cellPictureAlignment(), ResultGrid::RightCenter);
    EXPECT_EQ(resultGrid().cellAlignment(), ResultGrid::LeftCenter);
    EXPECT_EQ(resultGrid().colWidthTwips(2), widthBefore_[2] + widening());
    // Shading: non-empty default cells grey; Fred's highlighted cell keeps its colour.
    EXPECT_EQ(backColor(1, 2), kSortShadeColor);
    EXPECT_EQ(backColor(2, 2), bgrValue(0, 255, 128)) << "Fred's row";
    EXPECT_EQ(backColor(4, 2), kSortShadeColor);
    EXPECT_EQ(kSortShadeColor, bgrValue(240, 240, 240));

    clickCell(0, 2, Qt::LeftButton);
    EXPECT_EQ(panel_->sortState(), "2A");
    EXPECT_EQ(column(2), QStringList({"9", "10", "10", "100"}));
    EXPECT_EQ(column(0), QStringList({"Wilma", "Fred", "barney", "  Dino "}));
    EXPECT_TRUE(headerHasArrow(2, &arrow(true)));
    EXPECT_EQ(resultGrid().colWidthTwips(2), widthBefore_[2] + widening()) << "widened once";

    clickCell(0, 2, Qt::LeftButton);
    EXPECT_EQ(panel_->sortState(), "2D");
    EXPECT_TRUE(headerHasArrow(2, &arrow(false)));

    clickCell(0, 0, Qt::LeftButton);
    EXPECT_EQ(panel_->sortState(), "0D");
    EXPECT_EQ(column(0), QStringList({"Wilma", "Fred", "barney", "  Dino "}))
        << "texts without regard to case";
    EXPECT_TRUE(headerHasArrow(0, &arrow(false)));
    resultGrid().setRow(0);
    resultGrid().setCol(2);
    EXPECT_TRUE(resultGrid().cellPicture().isNull());
    EXPECT_EQ(resultGrid().cellAlignment(), ResultGrid::CenterCenter);
    EXPECT_EQ(resultGrid().colWidthTwips(2), widthBefore_[2]);
    EXPECT_EQ(resultGrid().colWidthTwips(0), widthBefore_[0] + widening());
    for (int r = 1; r < 5; ++r) {
        const bool fred = cell(r, 0) == QLatin1String("Fred");
        EXPECT_EQ(backColor(r, 2), fred ? kHighlightColor : 0u) << r;
        EXPECT_EQ(backColor(r, 0), fred ? kHighlightColor : kSortShadeColor) << r;
    }
    // An empty (Null) cell is never shaded.
    const int wilma = static_cast<int>(column(0).indexOf(QStringLiteral("Wilma"))) + 1;
    EXPECT_EQ(backColor(wilma, 3), 0u);
}

TEST_F(SortAndPopupTest, DataRowClicksAndAnEmptyGridChangeNothing) {
    clickCell(2, 2, Qt::LeftButton);
    EXPECT_EQ(panel_->sortState(), "");
    EXPECT_EQ(column(1), QStringList({"1", "2", "3", "4"}));
    clickCell(0, 2, Qt::RightButton);
    EXPECT_EQ(panel_->sortState(), "") << "only the left button sorts";

    resultGrid().clear();
    resultGrid().setRows(0);
    resultGrid().setCols(0);
    QTest::mousePress(resultGrid().viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(panel_->sortState(), "");
    // A new run empties the sort state.
    clickCell(0, 2, Qt::LeftButton);
    Run(1);
    clickCell(0, 1, Qt::LeftButton);
    EXPECT_EQ(panel_->sortState(), "1D");
}

TEST_F(SortAndPopupTest, RightClickOnAGamertagCellOffersItForTheTagList) {
    clickCell(3, 0, Qt::RightButton);  // "  Dino "
    EXPECT_EQ(insertIntoTagList().text(), "Add \"  Dino \" to Tag List");
    EXPECT_EQ(insertIntoTagList().data().toString(), "Dino");
    EXPECT_TRUE(gridMenu().isVisible());
    gridMenu().hide();
    insertIntoTagList().trigger();
    EXPECT_EQ(insertIntoTagList().data().toString(), "") << "the add handler took it";
    QStringList tags;
    for (int i = 0; i < control<QComboBox>("cmbTagList").count(); ++i) {
        tags << control<QComboBox>("cmbTagList").itemText(i);
    }
    EXPECT_TRUE(tags.contains(QStringLiteral("Dino")) || tags.contains(QStringLiteral("  Dino ")))
        << tags.join(',').toStdString();
    EXPECT_TRUE(prompter_->calls().empty());
}

TEST_F(SortAndPopupTest, NoPopupOnTheHeaderOtherColumnsOrLowerCaseTitles) {
    const QString caption = insertIntoTagList().text();
    clickCell(0, 0, Qt::RightButton);
    clickCell(2, 2, Qt::RightButton);
    clickCell(2, 0, Qt::LeftButton);
    EXPECT_EQ(insertIntoTagList().data().toString(), "");
    EXPECT_EQ(insertIntoTagList().text(), caption);
    Run(2);
    clickCell(1, 0, Qt::RightButton);
    EXPECT_EQ(insertIntoTagList().data().toString(), "") << "\"gamertag\" is not \"Gamertag\"";
    EXPECT_FALSE(gridMenu().isVisible());
}

}  // namespace
}  // namespace tw::testing
