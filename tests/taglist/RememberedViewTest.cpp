// What the window showed at exit (maximized, the chosen query, both filters)
// is there again at the next start, over a real program folder and window.

#include <QDeadlineTimer>
#include <QRadioButton>

#include "ProgramFolder.h"

namespace tw::testing {
namespace {

class RememberedViewTest : public ProgramFolderTest {
  protected:
    void writeQueries(const QByteArray& application) {
        writeIni("[Application]\r\nQuery_Count=2\r\n" + application +
                 "[Query_1]\r\nName=Alpha\r\nSQL=select 1\r\n"
                 "[Query_2]\r\nName=Zeta\r\nSQL=select 2\r\n");
    }
    int checked(const std::array<QRadioButton*, 3>& options) const {
        for (size_t i = 0; i < options.size(); ++i) {
            if (options[i]->isChecked()) {
                return static_cast<int>(i) + 1;
            }
        }
        return 0;
    }
};

TEST_F(RememberedViewTest, QueryFiltersAndMaximizedComeBackAfterAnExit) {
    installDatabase();
    writeQueries("Top=900\r\nLeft=1200\r\nHeight=8100\r\nWidth=12000\r\n");
    load();
    // An older file: today's start.
    EXPECT_EQ(window_->queryList->currentIndex(), 0);
    EXPECT_EQ(checked(window_->playerFilterOptions), 1);
    EXPECT_EQ(checked(window_->gameFilterOptions), 1);
    window_->show();
    EXPECT_FALSE(window_->isMaximized());
    const WindowPlacement normal = currentPlacement(*window_);

    window_->queryList->setCurrentIndex(2);
    window_->playerFilterOptions[1]->setChecked(true);
    window_->gameFilterOptions[2]->setChecked(true);
    window_->showMaximized();
    ASSERT_TRUE(window_->isMaximized());
    // The platform resizes the window on its own time.
    for (QDeadlineTimer deadline(10000);
         !deadline.hasExpired() && window_->geometry() == window_->normalGeometry();) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    ASSERT_NE(window_->geometry(), window_->normalGeometry()) << "a real maximize";
    EXPECT_TRUE(window_->close());
    EXPECT_EQ(ini("Application", "Window_Maximized"), "1");
    EXPECT_EQ(ini("Application", "Selected_Query"), "Zeta");
    EXPECT_EQ(ini("Application", "Player_Filter"), "2");
    EXPECT_EQ(ini("Application", "Game_Filter"), "3");
    // The placement kept is the one the window is restored to.
    EXPECT_EQ(ini("Application", "Top"), QString::number(normal.top));
    EXPECT_EQ(ini("Application", "Width"), QString::number(normal.width));
    EXPECT_EQ(ini("Application", "Height"), QString::number(normal.height));

    newSession();
    load();
    window_->show();
    EXPECT_TRUE(window_->isMaximized());
    EXPECT_EQ(window_->queryList->currentText(), "Zeta");
    EXPECT_EQ(checked(window_->playerFilterOptions), 2);
    EXPECT_EQ(checked(window_->gameFilterOptions), 3);

    window_->showNormal();
    window_->queryList->setCurrentIndex(0);
    EXPECT_TRUE(window_->close());
    EXPECT_EQ(ini("Application", "Window_Maximized"), "0");
    EXPECT_EQ(ini("Application", "Selected_Query"), "");
}

TEST_F(RememberedViewTest, AQueryNoLongerSavedLeavesTheListAtItsFirstItem) {
    installDatabase();
    writeQueries("Selected_Query=Gone\r\nPlayer_Filter=9\r\nWindow_Maximized=0\r\n");
    load();
    EXPECT_EQ(window_->queryList->currentIndex(), 0);
    EXPECT_EQ(checked(window_->playerFilterOptions), 1);
    window_->show();
    EXPECT_FALSE(window_->isMaximized());
}

}  // namespace
}  // namespace tw::testing
