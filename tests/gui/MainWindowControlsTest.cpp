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
        window = std::make_unique<MainWindow>();
        window->show();
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

    std::unique_ptr<MainWindow> window;
};

// The wiring, the features and the tests reach each control through its
// member or by its object name; both lead to the same control.
TEST_F(MainWindowControlsTest, EveryControlIsFoundByItsObjectName) {
    const std::pair<const QWidget*, const char*> controls[] = {
        {window->playerFilterGroup, "frameFilterPlayer"},
        {window->gameFilterGroup, "frameFilterGame"},
        {window->queryList, "cmbQuery"},
        {window->runQueryButton, "cmdRunQuery"},
        {window->exportButton, "cmdQryExport"},
        {window->resultGrid, "flxData"},
        {window->resultChart, "chtData"},
        {window->recordCount, "lblRecordCount"},
        {window->ascendingIcon, "imgAscending"},
        {window->descendingIcon, "imgDescending"},
        {window->makerLogo, "picBrackenfoldLogo"},
        {window->makerLink, "lblBrackenfoldLink"},
        {window->controlCenter, "frameMain"},
        {window->gamertagCaption, "Label1"},
        {window->tagListBox, "cmbTagList"},
        {window->addButton, "cmdAddGamertag"},
        {window->removeButton, "cmdRemoveGamertag"},
        {window->profileButton, "cmdProfileGamertag"},
        {window->avatarPicture, "imgAvatar"},
        {window->clanCaption, "Label3"},
        {window->clanName, "lblClanName"},
        {window->totalGamesCaption, "Label4"},
        {window->totalGames, "lblTotalGames"},
        {window->lastDownloadCaption, "Label11"},
        {window->lastDownload, "lblLastDownload"},
        {window->separatorLine, "Line1"},
        {window->elapsedTime, "lblElapsedTime"},
        {window->downloadedBytes, "lblDownloadedBytes"},
        {window->downloadButton, "cmdDownload"},
        {window->stopButton, "cmdStopDownload"},
        {window->progressEmpty, "shpProgressEmpty"},
        {window->progressFull, "shpProgressFull"},
        {window->progressPercent, "lblProgressPercent"},
        {window->progressText, "lblProgressText"},
    };
    for (const auto& [member, name] : controls) {
        ASSERT_NE(member, nullptr) << name;
        EXPECT_EQ(window->findChild<QWidget*>(QLatin1String(name)), member) << name;
    }
    for (int row = 1; row <= MainWindow::kStageRows; ++row) {
        const StageRow& stage = window->stageRow(row);
        const std::pair<const QLabel*, const char*> stageControls[] = {
            {stage.working.label, "lblStageWorking"},   {stage.working.icon, "imgStageWorking"},
            {stage.complete.label, "lblStageComplete"}, {stage.complete.icon, "imgStageComplete"},
            {stage.failed.label, "lblStageFailed"},     {stage.failed.icon, "imgStageFailed"},
            {stage.info.label, "lblStageInfo"},         {stage.info.icon, "imgStageInfo"},
        };
        for (const auto& [control, name] : stageControls) {
            ASSERT_NE(control, nullptr) << name << row;
            EXPECT_EQ(window->findChild<QWidget*>(QStringLiteral("%1_%2").arg(name).arg(row)),
                      control)
                << name << row;
        }
    }
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(window->findChild<QWidget*>(QStringLiteral("optFilterPlayer_%1").arg(i + 1)),
                  window->playerFilterOptions[i]);
        EXPECT_EQ(window->findChild<QWidget*>(QStringLiteral("optFilterGame_%1").arg(i + 1)),
                  window->gameFilterOptions[i]);
    }
}

TEST_F(MainWindowControlsTest, StartState) {
    EXPECT_EQ(window->queryList->count(), 1);
    EXPECT_EQ(window->queryList->itemText(0), "- Select a Query -");
    EXPECT_EQ(window->queryList->currentIndex(), 0);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(window->playerFilterOptions[i]->isChecked(), i == 0) << i;
        EXPECT_EQ(window->gameFilterOptions[i]->isChecked(), i == 0) << i;
    }
    EXPECT_TRUE(window->resultChart->isHidden());
    EXPECT_EQ(window->resultGrid->rows(), 0);
    EXPECT_EQ(window->resultGrid->cols(), 0);
    EXPECT_FALSE(window->downloadButton->isHidden());
    for (const QWidget* hidden : {static_cast<const QWidget*>(window->stopButton),
                                  static_cast<const QWidget*>(window->progressEmpty),
                                  static_cast<const QWidget*>(window->progressFull),
                                  static_cast<const QWidget*>(window->progressPercent),
                                  static_cast<const QWidget*>(window->ascendingIcon),
                                  static_cast<const QWidget*>(window->descendingIcon)}) {
        EXPECT_TRUE(hidden->isHidden()) << hidden->objectName().toStdString();
    }
    for (const QLabel* empty : {window->recordCount, window->elapsedTime, window->downloadedBytes,
                                window->progressText}) {
        EXPECT_TRUE(empty->text().isEmpty()) << empty->objectName().toStdString();
    }
}

TEST_F(MainWindowControlsTest, MenusWithTheirAccessKeys) {
    QStringList bar;
    for (const QAction* action : window->menuBar()->actions()) {
        bar << action->text();
    }
    EXPECT_EQ(bar, (QStringList{"&File", "&Database", "&Tools", "&Help"}));
    EXPECT_EQ(entries(window->fileMenu),
              (QStringList{"&Add Gamertag...", "&Remove Gamertag", "-", "&Download",
                           "&Stop Download", "-", "E&xit"}));
    EXPECT_EQ(entries(window->databaseMenu),
              (QStringList{"&Run Query", "Export Re&sults", "-", "Export to &Excel",
                           "Export to &XML", "Export to &CSV", "-", "Import from &Old Version",
                           "Import from Other Product (hidden)", "-",
                           "Purge Data for Non-TagList Players", "Purge Entire Database"}));
    EXPECT_EQ(entries(window->toolsMenu), (QStringList{"TPS Report", "-", "&Options..."}));
    EXPECT_EQ(entries(window->helpMenu), (QStringList{"&Support", "-", "&About..."}));
    EXPECT_EQ(window->gridMenu->title(), "Flex Grid");
    EXPECT_EQ(entries(window->gridMenu), QStringList{"Tag List Insert"});
    EXPECT_FALSE(window->menuBar()->actions().contains(window->gridMenu->menuAction()));
    // Named as the program names them, so the wiring and tests find them.
    EXPECT_EQ(window->findChild<QAction*>("mnuTPSReport"), window->tpsReportAction);
    EXPECT_EQ(window->findChild<QAction*>("mnuSp3"), window->menuSeparator3);
    EXPECT_EQ(window->findChild<QMenu*>("mnuHelp"), window->helpMenu);
}

TEST_F(MainWindowControlsTest, DownloadModeLocksEverythingButStopHelpAndTheLink) {
    const QList<QWidget*> locked = {window->runQueryButton,
                                    window->addButton,
                                    window->removeButton,
                                    window->profileButton,
                                    window->exportButton,
                                    window->tagListBox,
                                    window->queryList,
                                    window->playerFilterOptions[0],
                                    window->playerFilterOptions[1],
                                    window->playerFilterOptions[2],
                                    window->gameFilterOptions[0],
                                    window->gameFilterOptions[1],
                                    window->gameFilterOptions[2],
                                    window->resultGrid};
    const QList<QAction*> lockedMenus = {window->fileMenu->menuAction(),
                                         window->databaseMenu->menuAction(),
                                         window->toolsMenu->menuAction()};
    window->stageRow(1).info.label->hide();
    window->stageRow(2).working.label->show();
    window->tagListBox->addItem(QStringLiteral("Ann"));

    window->setDownloadMode(true);
    EXPECT_TRUE(window->downloadButton->isHidden());
    EXPECT_FALSE(window->stopButton->isHidden());
    EXPECT_TRUE(window->stopButton->isEnabled());
    for (const QWidget* widget : locked) {
        EXPECT_FALSE(widget->isEnabled()) << widget->objectName().toStdString();
    }
    for (const QAction* menu : lockedMenus) {
        EXPECT_FALSE(menu->isEnabled()) << menu->objectName().toStdString();
    }
    EXPECT_TRUE(window->helpMenu->menuAction()->isEnabled());
    EXPECT_TRUE(window->supportAction->isEnabled());
    EXPECT_TRUE(window->aboutAction->isEnabled());
    EXPECT_TRUE(window->makerLink->isEnabled());
    EXPECT_TRUE(window->controlCenter->isEnabled());
    // The progress display is not touched.
    EXPECT_TRUE(window->stageRow(1).info.label->isHidden());
    EXPECT_FALSE(window->stageRow(2).working.label->isHidden());

    window->setDownloadMode(false);
    EXPECT_FALSE(window->downloadButton->isHidden());
    EXPECT_TRUE(window->stopButton->isHidden());
    for (const QWidget* widget : locked) {
        EXPECT_TRUE(widget->isEnabled()) << widget->objectName().toStdString();
    }
    for (const QAction* menu : lockedMenus) {
        EXPECT_TRUE(menu->isEnabled()) << menu->objectName().toStdString();
    }
    EXPECT_FALSE(window->stageRow(2).working.label->isHidden());
}

// Download, Remove and Profile act on the player the tag list shows; with no
// player shown there is nothing for them to act on, download or not.
TEST_F(MainWindowControlsTest, WithoutAShownPlayerDownloadRemoveAndProfileStayDisabled) {
    const QWidget* playerButtons[] = {window->downloadButton, window->removeButton,
                                      window->profileButton};
    ASSERT_EQ(window->tagListBox->currentIndex(), -1);
    for (bool downloading : {false, true, false}) {
        window->setDownloadMode(downloading);
        for (const QWidget* button : playerButtons) {
            EXPECT_FALSE(button->isEnabled()) << button->objectName().toStdString();
        }
    }
    EXPECT_TRUE(window->addButton->isEnabled());
    EXPECT_TRUE(window->tagListBox->isEnabled());
}

TEST_F(MainWindowControlsTest, CloseAsksTheUnloadQuestionFirst) {
    int asked = 0;
    bool answer = false;
    window->queryUnload = [&] {
        ++asked;
        return answer;
    };
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    answer = true;
    EXPECT_TRUE(window->close());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(asked, 2);
}

TEST_F(MainWindowControlsTest, MakerLinkReportsClicks) {
    int clicks = 0;
    QObject::connect(window->makerLink, &LinkLabel::clicked, [&] { ++clicks; });
    const QPoint centre = window->makerLink->rect().center();
    QMouseEvent press(QEvent::MouseButtonPress, centre, window->makerLink->mapToGlobal(centre),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, centre, window->makerLink->mapToGlobal(centre),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window->makerLink, &press);
    QCoreApplication::sendEvent(window->makerLink, &release);
    EXPECT_EQ(clicks, 1);
}

}  // namespace
}  // namespace tw
