// Object names, menus, start state, the download lock and the close question.

#include <gtest/gtest.h>

#include <QAction>
#include <QChartView>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

#include "UiTestSupport.h"
#include "gui/LinkLabel.h"
#include "gui/MainWindow.h"
#include "gui/ResultGrid.h"

namespace tw {
namespace {

class MainWindowControlsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::app();
        window_ = std::make_unique<MainWindow>();
        window_->show();
        test::settle();
    }

    // "text" of each entry, "-" for a separator, hidden entries marked "(hidden)".
    static QStringList entries(const QMenu* menu) {
        QStringList entries;
        for (const QAction* action : menu->actions()) {
            QString entry = action->isSeparator() ? QStringLiteral("-") : action->text();
            if (!action->isVisible()) {
                entry += QStringLiteral(" (hidden)");
            }
            entries << entry;
        }
        return entries;
    }

    std::unique_ptr<MainWindow> window_;
};

// The wiring, the features and the tests reach each control through its
// member or by its object name; both lead to the same control.
TEST_F(MainWindowControlsTest, EveryControlIsFoundByItsObjectName) {
    const std::pair<const QWidget*, const char*> controls[] = {
        {window_->playerFilterGroup, "frameFilterPlayer"},
        {window_->gameFilterGroup, "frameFilterGame"},
        {window_->queryList, "cmbQuery"},
        {window_->runQueryButton, "cmdRunQuery"},
        {window_->exportButton, "cmdQryExport"},
        {window_->resultGrid, "flxData"},
        {window_->resultChart, "chtData"},
        {window_->recordCount, "lblRecordCount"},
        {window_->ascendingIcon, "imgAscending"},
        {window_->descendingIcon, "imgDescending"},
        {window_->makerLogo, "picBrackenfoldLogo"},
        {window_->makerLink, "lblBrackenfoldLink"},
        {window_->controlCenter, "frameMain"},
        {window_->gamertagCaption, "Label1"},
        {window_->tagListBox, "cmbTagList"},
        {window_->addButton, "cmdAddGamertag"},
        {window_->removeButton, "cmdRemoveGamertag"},
        {window_->profileButton, "cmdProfileGamertag"},
        {window_->avatarPicture, "imgAvatar"},
        {window_->clanCaption, "Label3"},
        {window_->clanName, "lblClanName"},
        {window_->totalGamesCaption, "Label4"},
        {window_->totalGames, "lblTotalGames"},
        {window_->lastDownloadCaption, "Label11"},
        {window_->lastDownload, "lblLastDownload"},
        {window_->separatorLine, "Line1"},
        {window_->elapsedTime, "lblElapsedTime"},
        {window_->downloadedBytes, "lblDownloadedBytes"},
        {window_->downloadButton, "cmdDownload"},
        {window_->stopButton, "cmdStopDownload"},
        {window_->progressEmpty, "shpProgressEmpty"},
        {window_->progressFull, "shpProgressFull"},
        {window_->progressPercent, "lblProgressPercent"},
        {window_->progressText, "lblProgressText"},
    };
    for (const auto& [member, name] : controls) {
        ASSERT_NE(member, nullptr) << name;
        EXPECT_EQ(window_->findChild<QWidget*>(QLatin1String(name)), member) << name;
    }
    for (int row = 1; row <= MainWindow::kStageRows; ++row) {
        const StageRow& stage = window_->stageRow(row);
        const std::pair<const QLabel*, const char*> stageControls[] = {
            {stage.working.label, "lblStageWorking"},   {stage.working.icon, "imgStageWorking"},
            {stage.complete.label, "lblStageComplete"}, {stage.complete.icon, "imgStageComplete"},
            {stage.failed.label, "lblStageFailed"},     {stage.failed.icon, "imgStageFailed"},
            {stage.info.label, "lblStageInfo"},         {stage.info.icon, "imgStageInfo"},
        };
        for (const auto& [control, name] : stageControls) {
            ASSERT_NE(control, nullptr) << name << row;
            EXPECT_EQ(window_->findChild<QWidget*>(QStringLiteral("%1_%2").arg(name).arg(row)),
                      control)
                << name << row;
        }
    }
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(window_->findChild<QWidget*>(QStringLiteral("optFilterPlayer_%1").arg(i + 1)),
                  window_->playerFilterOptions[i]);
        EXPECT_EQ(window_->findChild<QWidget*>(QStringLiteral("optFilterGame_%1").arg(i + 1)),
                  window_->gameFilterOptions[i]);
    }
}

TEST_F(MainWindowControlsTest, StartState) {
    EXPECT_EQ(window_->queryList->count(), 1);
    EXPECT_EQ(window_->queryList->itemText(0), "- Select a Query -");
    EXPECT_EQ(window_->queryList->currentIndex(), 0);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(window_->playerFilterOptions[i]->isChecked(), i == 0) << i;
        EXPECT_EQ(window_->gameFilterOptions[i]->isChecked(), i == 0) << i;
    }
    EXPECT_TRUE(window_->resultChart->isHidden());
    EXPECT_EQ(window_->resultGrid->rows(), 0);
    EXPECT_EQ(window_->resultGrid->cols(), 0);
    EXPECT_FALSE(window_->downloadButton->isHidden());
    const QWidget* hidden[] = {window_->stopButton,    window_->progressEmpty,
                               window_->progressFull,  window_->progressPercent,
                               window_->ascendingIcon, window_->descendingIcon};
    for (const QWidget* widget : hidden) {
        EXPECT_TRUE(widget->isHidden()) << widget->objectName().toStdString();
    }
    for (const QLabel* empty : {window_->recordCount, window_->elapsedTime,
                                window_->downloadedBytes, window_->progressText}) {
        EXPECT_TRUE(empty->text().isEmpty()) << empty->objectName().toStdString();
    }
}

TEST_F(MainWindowControlsTest, MenusWithTheirAccessKeys) {
    QStringList bar;
    for (const QAction* action : window_->menuBar()->actions()) {
        bar << action->text();
    }
    EXPECT_EQ(bar, (QStringList{"&File", "&Database", "&Tools", "&Help"}));
    EXPECT_EQ(entries(window_->fileMenu),
              (QStringList{"&Add Gamertag...", "&Remove Gamertag", "-", "&Download",
                           "&Stop Download", "-", "E&xit"}));
    EXPECT_EQ(entries(window_->databaseMenu),
              (QStringList{"&Run Query", "Export Re&sults", "-", "Export to &Excel",
                           "Export to &XML", "Export to &CSV", "-", "Import from &Old Version",
                           "Import from Other Product (hidden)", "-",
                           "Purge Data for Non-TagList Players", "Purge Entire Database"}));
    EXPECT_EQ(entries(window_->toolsMenu), (QStringList{"TPS Report", "-", "&Options..."}));
    EXPECT_EQ(entries(window_->helpMenu), (QStringList{"&Support", "-", "&About..."}));
    EXPECT_EQ(window_->gridMenu->title(), "Flex Grid");
    EXPECT_EQ(entries(window_->gridMenu), QStringList{"Tag List Insert"});
    EXPECT_FALSE(window_->menuBar()->actions().contains(window_->gridMenu->menuAction()));
    // Named as the program names them, so the wiring and tests find them.
    EXPECT_EQ(window_->findChild<QAction*>("mnuTPSReport"), window_->tpsReportAction);
    EXPECT_EQ(window_->findChild<QAction*>("mnuSp3"), window_->menuSeparator3);
    EXPECT_EQ(window_->findChild<QMenu*>("mnuHelp"), window_->helpMenu);
}

TEST_F(MainWindowControlsTest, DownloadModeLocksEverythingButStopHelpAndTheLink) {
    const QList<QWidget*> locked = {window_->runQueryButton,
                                    window_->addButton,
                                    window_->removeButton,
                                    window_->profileButton,
                                    window_->exportButton,
                                    window_->tagListBox,
                                    window_->queryList,
                                    window_->playerFilterOptions[0],
                                    window_->playerFilterOptions[1],
                                    window_->playerFilterOptions[2],
                                    window_->gameFilterOptions[0],
                                    window_->gameFilterOptions[1],
                                    window_->gameFilterOptions[2],
                                    window_->resultGrid};
    const QList<QAction*> lockedMenus = {window_->fileMenu->menuAction(),
                                         window_->databaseMenu->menuAction(),
                                         window_->toolsMenu->menuAction()};
    window_->stageRow(1).info.label->hide();
    window_->stageRow(2).working.label->show();
    window_->tagListBox->addItem(QStringLiteral("Ann"));

    window_->setDownloadMode(true);
    EXPECT_TRUE(window_->downloadButton->isHidden());
    EXPECT_FALSE(window_->stopButton->isHidden());
    EXPECT_TRUE(window_->stopButton->isEnabled());
    for (const QWidget* widget : locked) {
        EXPECT_FALSE(widget->isEnabled()) << widget->objectName().toStdString();
    }
    for (const QAction* menu : lockedMenus) {
        EXPECT_FALSE(menu->isEnabled()) << menu->objectName().toStdString();
    }
    EXPECT_TRUE(window_->helpMenu->menuAction()->isEnabled());
    EXPECT_TRUE(window_->supportAction->isEnabled());
    EXPECT_TRUE(window_->aboutAction->isEnabled());
    EXPECT_TRUE(window_->makerLink->isEnabled());
    EXPECT_TRUE(window_->controlCenter->isEnabled());
    // The progress display is not touched.
    EXPECT_TRUE(window_->stageRow(1).info.label->isHidden());
    EXPECT_FALSE(window_->stageRow(2).working.label->isHidden());

    window_->setDownloadMode(false);
    EXPECT_FALSE(window_->downloadButton->isHidden());
    EXPECT_TRUE(window_->stopButton->isHidden());
    for (const QWidget* widget : locked) {
        EXPECT_TRUE(widget->isEnabled()) << widget->objectName().toStdString();
    }
    for (const QAction* menu : lockedMenus) {
        EXPECT_TRUE(menu->isEnabled()) << menu->objectName().toStdString();
    }
    EXPECT_FALSE(window_->stageRow(2).working.label->isHidden());
}

// Download, Remove and Profile act on the player the tag list shows; with no
// player shown there is nothing for them to act on, download or not.
TEST_F(MainWindowControlsTest, WithoutAShownPlayerDownloadRemoveAndProfileStayDisabled) {
    const QWidget* playerButtons[] = {window_->downloadButton, window_->removeButton,
                                      window_->profileButton};
    ASSERT_EQ(window_->tagListBox->currentIndex(), -1);
    for (bool downloading : {false, true, false}) {
        window_->setDownloadMode(downloading);
        for (const QWidget* button : playerButtons) {
            EXPECT_FALSE(button->isEnabled()) << button->objectName().toStdString();
        }
    }
    EXPECT_TRUE(window_->addButton->isEnabled());
    EXPECT_TRUE(window_->tagListBox->isEnabled());
}

TEST_F(MainWindowControlsTest, CloseAsksTheUnloadQuestionFirst) {
    int asked = 0;
    bool answer = false;
    window_->queryUnload = [&] {
        ++asked;
        return answer;
    };
    EXPECT_FALSE(window_->close());
    EXPECT_TRUE(window_->isVisible());
    answer = true;
    EXPECT_TRUE(window_->close());
    EXPECT_FALSE(window_->isVisible());
    EXPECT_EQ(asked, 2);
}

}  // namespace
}  // namespace tw
