// Captions, menus, start state, the download lock and the close question.

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
#include "ui/FlexGrid.h"
#include "ui/LinkLabel.h"
#include "ui/frmMain.h"

namespace tw {
namespace {

class frmMainControlsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::App();
        window = std::make_unique<frmMain>();
        window->show();
        test::Settle();
    }

    // "text" of each entry, "-" for a separator, hidden entries marked "(hidden)".
    static QStringList Entries(const QMenu* menu) {
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

    std::unique_ptr<frmMain> window;
};

TEST_F(frmMainControlsTest, WindowCaptionsAndToolTips) {
    EXPECT_EQ(window->objectName(), "frmMain");
    EXPECT_EQ(window->windowTitle(), "Tallywick");
    EXPECT_FALSE(window->windowIcon().isNull());
    EXPECT_EQ(window->frameMain->title(), "Control Center");
    EXPECT_EQ(window->frameFilterPlayer->title(), "Player Filters");
    EXPECT_EQ(window->frameFilterGame->title(), "Game Filters");
    const QStringList playerOptions{"All", "All in Tag List", "Me"};
    const QStringList gameOptions{"All", "Ranked", "Unranked"};
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(window->optFilterPlayer[i]->text(), playerOptions[i - 1]);
        EXPECT_EQ(window->optFilterPlayer[i]->parent(), window->frameFilterPlayer);
        EXPECT_EQ(window->optFilterPlayer[i]->isChecked(), i == 1);
        EXPECT_EQ(window->optFilterGame[i]->text(), gameOptions[i - 1]);
        EXPECT_EQ(window->optFilterGame[i]->parent(), window->frameFilterGame);
        EXPECT_EQ(window->optFilterGame[i]->isChecked(), i == 1);
        EXPECT_EQ(window->optFilterGame[i]->objectName(),
                  QStringLiteral("optFilterGame_%1").arg(i));
    }
    EXPECT_EQ(window->cmbQuery->count(), 1);
    EXPECT_EQ(window->cmbQuery->itemText(0), "- Select a Query -");
    EXPECT_EQ(window->cmbQuery->currentIndex(), 0);
    EXPECT_FALSE(window->cmbQuery->isEditable());
    EXPECT_FALSE(window->cmbTagList->isEditable());

    struct Button {
        QPushButton* button;
        const char* caption;
        const char* toolTip;
    };
    for (const Button& b : {Button{window->cmdRunQuery, "Run", "Run the query"},
                            Button{window->cmdQryExport, "Export", "Export query results to Excel"},
                            Button{window->cmdDownload, "Download", "Download your stats"},
                            Button{window->cmdStopDownload, "Stop", "Stop the download"},
                            Button{window->cmdAddGamertag, "", "Add gamertag"},
                            Button{window->cmdRemoveGamertag, "", "Remove gamertag"},
                            Button{window->cmdProfileGamertag, "", "Profile gamertag"}}) {
        SCOPED_TRACE(b.button->objectName().toStdString());
        EXPECT_EQ(b.button->text(), QLatin1String(b.caption));
        EXPECT_EQ(b.button->toolTip(), QLatin1String(b.toolTip));
    }
    EXPECT_FALSE(window->cmdAddGamertag->icon().isNull());

    EXPECT_EQ(window->Label1->text(), "Tag List:");
    EXPECT_TRUE(window->Label1->alignment().testFlag(Qt::AlignRight));
    EXPECT_EQ(window->Label3->text(), "Clan:");
    EXPECT_EQ(window->Label4->text(), "Downloaded Games:");
    EXPECT_EQ(window->Label11->text(), "Last Update:");
    EXPECT_EQ(window->lblProgressPercent->text(), "0 %");
    EXPECT_TRUE(window->lblDownloadedBytes->alignment().testFlag(Qt::AlignRight));
    EXPECT_TRUE(window->lblBrackenfoldLink->alignment().testFlag(Qt::AlignRight));
    EXPECT_TRUE(window->lblBrackenfoldLink->text().startsWith(QLatin1String(kMakerName)));
    EXPECT_FALSE(window->lblBrackenfoldLink->toolTip().isEmpty());
    EXPECT_FALSE(window->picBrackenfoldLogo->pixmap().isNull());
    EXPECT_EQ(window->imgAscending->pixmap().deviceIndependentSize().toSize(), QSize(16, 6));
    EXPECT_EQ(window->imgDescending->pixmap().deviceIndependentSize().toSize(), QSize(16, 6));
}

TEST_F(frmMainControlsTest, DesignedFonts) {
    for (const QLabel* bold : {window->Label1, window->Label3, window->Label4, window->Label11,
                               window->lblProgressPercent}) {
        SCOPED_TRACE(bold->objectName().toStdString());
        EXPECT_TRUE(bold->font().bold());
        EXPECT_DOUBLE_EQ(bold->font().pointSizeF(), 8.25);
    }
    for (const QLabel* regular : {window->lblClanName, window->lblTotalGames,
                                  window->lblLastDownload, window->lblRecordCount}) {
        SCOPED_TRACE(regular->objectName().toStdString());
        EXPECT_FALSE(regular->font().bold());
        EXPECT_DOUBLE_EQ(regular->font().pointSizeF(), 8.25);
    }
    EXPECT_FALSE(window->flxData->font().bold());
    EXPECT_EQ(window->flxData->font().styleHint(), QFont::SansSerif);
}

TEST_F(frmMainControlsTest, StartState) {
    EXPECT_TRUE(window->chtData->isHidden());
    EXPECT_EQ(window->flxData->Rows(), 0);
    EXPECT_EQ(window->flxData->Cols(), 0);
    EXPECT_FALSE(window->cmdDownload->isHidden());
    for (const QWidget* hidden : {static_cast<const QWidget*>(window->cmdStopDownload),
                                  static_cast<const QWidget*>(window->shpProgressEmpty),
                                  static_cast<const QWidget*>(window->shpProgressFull),
                                  static_cast<const QWidget*>(window->lblProgressPercent),
                                  static_cast<const QWidget*>(window->imgAscending),
                                  static_cast<const QWidget*>(window->imgDescending)}) {
        EXPECT_TRUE(hidden->isHidden()) << hidden->objectName().toStdString();
    }
    for (const QLabel* empty : {window->lblRecordCount, window->lblElapsedTime,
                                window->lblDownloadedBytes, window->lblProgressText}) {
        EXPECT_TRUE(empty->text().isEmpty()) << empty->objectName().toStdString();
    }
}

TEST_F(frmMainControlsTest, OverlappingControlsStackAsDesigned) {
    const QObjectList& client = window->flxData->parent()->children();
    EXPECT_GT(client.indexOf(window->chtData), client.indexOf(window->flxData));
    const QObjectList& frame = window->frameMain->children();
    EXPECT_GT(frame.indexOf(window->shpProgressFull), frame.indexOf(window->shpProgressEmpty));
    EXPECT_GT(frame.indexOf(window->lblProgressPercent), frame.indexOf(window->shpProgressFull));
    for (int row = 1; row <= 5; ++row) {
        EXPECT_GT(frame.indexOf(window->lblStageInfo[row]),
                  frame.indexOf(window->lblStageWorking[row]));
        EXPECT_GT(frame.indexOf(window->imgStageInfo[row]),
                  frame.indexOf(window->imgStageWorking[row]));
    }
}

TEST_F(frmMainControlsTest, MenusWithTheirAccessKeys) {
    QStringList bar;
    for (const QAction* action : window->menuBar()->actions()) {
        bar << action->text();
    }
    EXPECT_EQ(bar, (QStringList{"&File", "&Database", "&Tools", "&Help"}));
    EXPECT_EQ(Entries(window->mnuFile), QStringList{"E&xit"});
    EXPECT_EQ(Entries(window->mnuDatabase),
              (QStringList{"Export to &Excel", "Export to &XML", "Export to &CSV", "-",
                           "Import from &Old Version", "Import from Other Product (hidden)", "-",
                           "Purge Data for Non-TagList Players", "Purge Entire Database"}));
    EXPECT_EQ(Entries(window->mnuTools), (QStringList{"TPS Report", "-", "&Options..."}));
    EXPECT_EQ(Entries(window->mnuHelp), (QStringList{"&Support", "-", "&About..."}));
    EXPECT_EQ(window->mnuFlexGrid->title(), "Flex Grid");
    EXPECT_EQ(Entries(window->mnuFlexGrid), QStringList{"Tag List Insert"});
    EXPECT_FALSE(window->menuBar()->actions().contains(window->mnuFlexGrid->menuAction()));
    // Named as the program names them, so the wiring and tests find them.
    EXPECT_EQ(window->findChild<QAction*>("mnuTPSReport"), window->mnuTPSReport);
    EXPECT_EQ(window->findChild<QAction*>("mnuSp3"), window->mnuSp3);
    EXPECT_EQ(window->findChild<QMenu*>("mnuHelp"), window->mnuHelp);
}

TEST_F(frmMainControlsTest, DownloadModeLocksEverythingButStopHelpAndTheLink) {
    const QList<QWidget*> locked = {window->cmdRunQuery,        window->cmdAddGamertag,
                                    window->cmdRemoveGamertag,  window->cmdProfileGamertag,
                                    window->cmdQryExport,       window->cmbTagList,
                                    window->cmbQuery,           window->optFilterPlayer[1],
                                    window->optFilterPlayer[2], window->optFilterPlayer[3],
                                    window->optFilterGame[1],   window->optFilterGame[2],
                                    window->optFilterGame[3],   window->flxData};
    const QList<QAction*> lockedMenus = {window->mnuFile->menuAction(),
                                         window->mnuDatabase->menuAction(),
                                         window->mnuTools->menuAction()};
    window->lblStageInfo[1]->hide();
    window->lblStageWorking[2]->show();
    window->cmbTagList->addItem(QStringLiteral("Ann"));

    window->SetDownloadMode(true);
    EXPECT_TRUE(window->cmdDownload->isHidden());
    EXPECT_FALSE(window->cmdStopDownload->isHidden());
    EXPECT_TRUE(window->cmdStopDownload->isEnabled());
    for (const QWidget* widget : locked) {
        EXPECT_FALSE(widget->isEnabled()) << widget->objectName().toStdString();
    }
    for (const QAction* menu : lockedMenus) {
        EXPECT_FALSE(menu->isEnabled()) << menu->objectName().toStdString();
    }
    EXPECT_TRUE(window->mnuHelp->menuAction()->isEnabled());
    EXPECT_TRUE(window->mnuSupport->isEnabled());
    EXPECT_TRUE(window->mnuAbout->isEnabled());
    EXPECT_TRUE(window->lblBrackenfoldLink->isEnabled());
    EXPECT_TRUE(window->frameMain->isEnabled());
    // The progress display is not touched.
    EXPECT_TRUE(window->lblStageInfo[1]->isHidden());
    EXPECT_FALSE(window->lblStageWorking[2]->isHidden());

    window->SetDownloadMode(false);
    EXPECT_FALSE(window->cmdDownload->isHidden());
    EXPECT_TRUE(window->cmdStopDownload->isHidden());
    for (const QWidget* widget : locked) {
        EXPECT_TRUE(widget->isEnabled()) << widget->objectName().toStdString();
    }
    for (const QAction* menu : lockedMenus) {
        EXPECT_TRUE(menu->isEnabled()) << menu->objectName().toStdString();
    }
    EXPECT_FALSE(window->lblStageWorking[2]->isHidden());
}

// Download, Remove and Profile act on the player the tag list shows; with no
// player shown there is nothing for them to act on, download or not.
TEST_F(frmMainControlsTest, WithoutAShownPlayerDownloadRemoveAndProfileStayDisabled) {
    const QWidget* playerButtons[] = {window->cmdDownload, window->cmdRemoveGamertag,
                                      window->cmdProfileGamertag};
    ASSERT_EQ(window->cmbTagList->currentIndex(), -1);
    for (bool downloading : {false, true, false}) {
        window->SetDownloadMode(downloading);
        for (const QWidget* button : playerButtons) {
            EXPECT_FALSE(button->isEnabled()) << button->objectName().toStdString();
        }
    }
    EXPECT_TRUE(window->cmdAddGamertag->isEnabled());
    EXPECT_TRUE(window->cmbTagList->isEnabled());
}

TEST_F(frmMainControlsTest, CloseAsksTheUnloadQuestionFirst) {
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

TEST_F(frmMainControlsTest, MakerLinkReportsClicks) {
    int clicks = 0;
    QObject::connect(window->lblBrackenfoldLink, &LinkLabel::clicked, [&] { ++clicks; });
    const QPoint centre = window->lblBrackenfoldLink->rect().center();
    QMouseEvent press(QEvent::MouseButtonPress, centre,
                      window->lblBrackenfoldLink->mapToGlobal(centre), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, centre,
                        window->lblBrackenfoldLink->mapToGlobal(centre), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window->lblBrackenfoldLink, &press);
    QCoreApplication::sendEvent(window->lblBrackenfoldLink, &release);
    EXPECT_EQ(clicks, 1);
}

}  // namespace
}  // namespace tw
