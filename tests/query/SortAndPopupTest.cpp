// Header clicks sort the grid and mark the sorted column; a right click on a
// gamertag cell offers the player to the tag list through the grid pop-up.

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QTest>

#include "QueryFolder.h"
#include "gui/BgrColor.h"
#include "gui/TagListPanel.h"
#include "gui/FlexGrid.h"
#include "gui/ResultGridFill.h"
#include "gui/ResultGridSort.h"
#include "gui/Twips.h"
#include "query/QueryResult.h"
#include "taglist/TagList.h"

namespace tw::testing {
namespace {

constexpr char kRows[] =
    "INSERT INTO Player (Player_Gamertag, Is_Selectable, Is_Guest, Last_Game_ID) VALUES"
    " ('Fred', 'Y', 'N', 0), ('Wilma', 'N', 'N', 0), ('  Dino ', 'N', 'N', 0),"
    " ('barney', 'N', 'N', 0);"
    "INSERT INTO Game_Player (Game_ID, Player_Gamertag, Kills, Deaths) VALUES"
    " (1, 'Fred', 10, 1), (2, 'Wilma', 9, NULL), (3, '  Dino ', 100, 3), (4, 'barney', 10, 2);";

class SortAndPopupTest : public QueryFolderTest {
  protected:
    void SetUp() override {
        QueryFolderTest::SetUp();
        Seed(kRows);
        Load({{QStringLiteral("Kills"),
               QStringLiteral("SELECT Player_Gamertag, Game_ID, Kills, Deaths FROM Game_Player "
                              "WHERE 1 = 1 ORDER BY Game_ID")},
              {QStringLiteral("Lower"),
               QStringLiteral("SELECT Player_Gamertag AS gamertag, Kills FROM Game_Player WHERE "
                              "1 = 1")}});
        state_->CurrentGamertag = QStringLiteral("Fred");
        Run(1);
        ASSERT_EQ(Grid().rows(), 5);
        widthBefore_ = {Grid().colWidthTwips(0), Grid().colWidthTwips(1), Grid().colWidthTwips(2),
                        Grid().colWidthTwips(3)};
    }
    QStringList Column(int col) {
        QStringList texts;
        for (int r = 1; r < Grid().rows(); ++r) {
            texts << Cell(r, col);
        }
        return texts;
    }
    uint32_t BackColor(int row, int col) {
        Grid().setRow(row);
        Grid().setCol(col);
        return Grid().cellBackColor();
    }
    bool HeaderHasArrow(int col, const QLabel* arrow) {
        Grid().setRow(0);
        Grid().setCol(col);
        return !Grid().cellPicture().isNull() &&
               Grid().cellPicture().toImage() == arrow->pixmap().toImage();
    }
    int Widening() {
        const TwipsScale scale = TwipsScale::ForWidget(Grid());
        return scale.XToTwips(kSortWideningPixels);
    }
    std::vector<int> widthBefore_;
};

TEST_F(SortAndPopupTest, HeaderClicksSortDescendingThenFlipThenMoveToAnotherColumn) {
    ClickCell(0, 2, Qt::LeftButton);
    EXPECT_EQ(panel_->sortState(), "2D");
    EXPECT_EQ(Column(2), QStringList({"100", "10", "10", "9"})) << "numbers as numbers";
    EXPECT_EQ(Column(0), QStringList({"  Dino ", "Fred", "barney", "Wilma"}))
        << "whole rows move; equal keys keep their order";
    EXPECT_TRUE(HeaderHasArrow(2, &Arrow(false)));
    Grid().setRow(0);
    Grid().setCol(2);
    EXPECT_EQ(Grid().cellPictureAlignment(), FlexGrid::RightCenter);
    EXPECT_EQ(Grid().cellAlignment(), FlexGrid::LeftCenter);
    EXPECT_EQ(Grid().colWidthTwips(2), widthBefore_[2] + Widening());
    // Shading: non-empty default cells grey; Fred's highlighted cell keeps its colour.
    EXPECT_EQ(BackColor(1, 2), kSortShadeColor);
    EXPECT_EQ(BackColor(2, 2), bgrValue(0, 255, 128)) << "Fred's row";
    EXPECT_EQ(BackColor(4, 2), kSortShadeColor);
    EXPECT_EQ(kSortShadeColor, bgrValue(240, 240, 240));

    ClickCell(0, 2, Qt::LeftButton);
    EXPECT_EQ(panel_->sortState(), "2A");
    EXPECT_EQ(Column(2), QStringList({"9", "10", "10", "100"}));
    EXPECT_EQ(Column(0), QStringList({"Wilma", "Fred", "barney", "  Dino "}));
    EXPECT_TRUE(HeaderHasArrow(2, &Arrow(true)));
    EXPECT_EQ(Grid().colWidthTwips(2), widthBefore_[2] + Widening()) << "widened once";

    ClickCell(0, 2, Qt::LeftButton);
    EXPECT_EQ(panel_->sortState(), "2D");
    EXPECT_TRUE(HeaderHasArrow(2, &Arrow(false)));

    ClickCell(0, 0, Qt::LeftButton);
    EXPECT_EQ(panel_->sortState(), "0D");
    EXPECT_EQ(Column(0), QStringList({"Wilma", "Fred", "barney", "  Dino "}))
        << "texts without regard to case";
    EXPECT_TRUE(HeaderHasArrow(0, &Arrow(false)));
    Grid().setRow(0);
    Grid().setCol(2);
    EXPECT_TRUE(Grid().cellPicture().isNull());
    EXPECT_EQ(Grid().cellAlignment(), FlexGrid::CenterCenter);
    EXPECT_EQ(Grid().colWidthTwips(2), widthBefore_[2]);
    EXPECT_EQ(Grid().colWidthTwips(0), widthBefore_[0] + Widening());
    for (int r = 1; r < 5; ++r) {
        const bool fred = Cell(r, 0) == QLatin1String("Fred");
        EXPECT_EQ(BackColor(r, 2), fred ? kHighlightColor : 0u) << r;
        EXPECT_EQ(BackColor(r, 0), fred ? kHighlightColor : kSortShadeColor) << r;
    }
    // An empty (Null) cell is never shaded.
    const int wilma = static_cast<int>(Column(0).indexOf(QStringLiteral("Wilma"))) + 1;
    EXPECT_EQ(BackColor(wilma, 3), 0u);
}

TEST_F(SortAndPopupTest, DataRowClicksAndAnEmptyGridChangeNothing) {
    ClickCell(2, 2, Qt::LeftButton);
    EXPECT_EQ(panel_->sortState(), "");
    EXPECT_EQ(Column(1), QStringList({"1", "2", "3", "4"}));
    ClickCell(0, 2, Qt::RightButton);
    EXPECT_EQ(panel_->sortState(), "") << "only the left button sorts";

    Grid().clear();
    Grid().setRows(0);
    Grid().setCols(0);
    QTest::mousePress(Grid().viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(panel_->sortState(), "");
    // A new run empties the sort state.
    ClickCell(0, 2, Qt::LeftButton);
    Run(1);
    ClickCell(0, 1, Qt::LeftButton);
    EXPECT_EQ(panel_->sortState(), "1D");
}

TEST_F(SortAndPopupTest, RightClickOnAGamertagCellOffersItForTheTagList) {
    ClickCell(3, 0, Qt::RightButton);  // "  Dino "
    EXPECT_EQ(InsertIntoTagList().text(), "Add \"  Dino \" to Tag List");
    EXPECT_EQ(InsertIntoTagList().data().toString(), "Dino");
    EXPECT_TRUE(GridMenu().isVisible());
    GridMenu().hide();
    InsertIntoTagList().trigger();
    EXPECT_EQ(InsertIntoTagList().data().toString(), "") << "the add handler took it";
    QStringList tags;
    for (int i = 0; i < Control<QComboBox>("cmbTagList").count(); ++i) {
        tags << Control<QComboBox>("cmbTagList").itemText(i);
    }
    EXPECT_TRUE(tags.contains(QStringLiteral("Dino")) || tags.contains(QStringLiteral("  Dino ")))
        << tags.join(',').toStdString();
    EXPECT_TRUE(prompter_->Calls().empty());
}

TEST_F(SortAndPopupTest, NoPopupOnTheHeaderOtherColumnsOrLowerCaseTitles) {
    const QString caption = InsertIntoTagList().text();
    ClickCell(0, 0, Qt::RightButton);
    ClickCell(2, 2, Qt::RightButton);
    ClickCell(2, 0, Qt::LeftButton);
    EXPECT_EQ(InsertIntoTagList().data().toString(), "");
    EXPECT_EQ(InsertIntoTagList().text(), caption);
    Run(2);
    ClickCell(1, 0, Qt::RightButton);
    EXPECT_EQ(InsertIntoTagList().data().toString(), "") << "\"gamertag\" is not \"Gamertag\"";
    EXPECT_FALSE(GridMenu().isVisible());
}

}  // namespace
}  // namespace tw::testing
