// What a keyboard user and a screen reader get from the window: shortcut keys
// shown in the menus that do what their buttons do, Escape stopping a
// download, the tab order, an accessible name and role for every control,
// the first-run hint, and stage colours readable on light and dark palettes.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QChartView>
#include <QComboBox>
#include <QHash>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>
#include <cmath>

#include "UiTestSupport.h"
#include "gui/LinkLabel.h"
#include "gui/MainWindow.h"
#include "gui/ResultGrid.h"

namespace tw {
namespace {

class MainWindowAccessTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::app();
        window_ = std::make_unique<MainWindow>();
        window_->show();
        window_->activateWindow();
        test::settle();
    }

    static QString accessible(QObject* object, QAccessible::Text text) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(object);
        return face ? face->text(text) : QStringLiteral("(none)");
    }
    static QAccessible::Role role(QObject* object) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(object);
        return face ? face->role() : QAccessible::NoRole;
    }

    // A player in the tag list and shown, so the player buttons are on.
    void showPlayer() {
        window_->tagListBox->addItem(QStringLiteral("Ann"));
        window_->tagListBox->setCurrentIndex(0);
        window_->updatePlayerButtons();
    }

    // The entry's caption and the key it shows, as the menu draws them.
    static QString shown(const QAction* action) {
        return action->text() + QLatin1Char('\t') +
               action->shortcut().toString(QKeySequence::PortableText);
    }

    std::unique_ptr<MainWindow> window_;
};

TEST_F(MainWindowAccessTest, FrequentActionsHaveKeysShownInTheMenus) {
    QStringList file;
    for (const QAction* action : window_->fileMenu->actions()) {
        file << (action->isSeparator() ? QStringLiteral("-") : shown(action));
    }
    EXPECT_EQ(file,
              (QStringList{"&Add Gamertag...\tCtrl+N", "&Remove Gamertag\tDel", "-",
                           "&Download\tCtrl+D", "&Stop Download\tEsc", "-", "E&xit\tCtrl+Q"}));
    EXPECT_EQ(shown(window_->runQueryAction), "&Run Query\tCtrl+R");
    EXPECT_EQ(window_->runQueryAction->shortcuts().value(1), QKeySequence(Qt::Key_F5));
    EXPECT_EQ(shown(window_->exportResultsAction), "Export Re&sults\tCtrl+E");
    EXPECT_EQ(shown(window_->tpsReportAction), "TPS Report\tCtrl+T");
    EXPECT_EQ(window_->databaseMenu->actions().value(0), window_->runQueryAction);
    EXPECT_EQ(window_->databaseMenu->actions().value(1), window_->exportResultsAction);
}

// A key two actions share is ambiguous: Qt triggers neither.
TEST_F(MainWindowAccessTest, NoTwoActionsShareAKey) {
    QHash<QKeySequence, QString> owner;
    for (const QAction* action : window_->findChildren<QAction*>()) {
        for (const QKeySequence& key : action->shortcuts()) {
            EXPECT_FALSE(owner.contains(key))
                << key.toString().toStdString() << " on " << action->text().toStdString() << " and "
                << owner.value(key).toStdString();
            owner.insert(key, action->text());
        }
    }
    EXPECT_EQ(window_->removeGamertagAction->shortcuts(),
              QList<QKeySequence>{QKeySequence(Qt::Key_Delete)});
}

// Each key presses its button, and only when the button could be pressed.
TEST_F(MainWindowAccessTest, KeysPressTheirButtons) {
    struct Key {
        QKeySequence keys;
        QPushButton* button;
    };
    showPlayer();
    window_->resultGrid->setFocus();
    const Key keys[] = {{QKeySequence(Qt::CTRL | Qt::Key_N), window_->addButton},
                        {QKeySequence(Qt::Key_Delete), window_->removeButton},
                        {QKeySequence(Qt::CTRL | Qt::Key_D), window_->downloadButton},
                        {QKeySequence(Qt::CTRL | Qt::Key_R), window_->runQueryButton},
                        {QKeySequence(Qt::Key_F5), window_->runQueryButton},
                        {QKeySequence(Qt::CTRL | Qt::Key_E), window_->exportButton}};
    for (const Key& key : keys) {
        QSignalSpy clicked(key.button, &QPushButton::clicked);
        QTest::keySequence(window_.get(), key.keys);
        EXPECT_EQ(clicked.size(), 1) << key.keys.toString().toStdString();
    }
    // Escape does nothing while no download runs, and stops one as Stop does.
    QSignalSpy stopped(window_->stopButton, &QPushButton::clicked);
    QTest::keyClick(window_.get(), Qt::Key_Escape);
    EXPECT_EQ(stopped.size(), 0);
    window_->setDownloadMode(true);
    ASSERT_TRUE(window_->stopAction->isEnabled());
    QSignalSpy downloads(window_->downloadButton, &QPushButton::clicked);
    QTest::keySequence(window_.get(), QKeySequence(Qt::CTRL | Qt::Key_D));
    QTest::keySequence(window_.get(), QKeySequence(Qt::CTRL | Qt::Key_R));
    QTest::keyClick(window_.get(), Qt::Key_Escape);
    EXPECT_EQ(stopped.size(), 1);
    EXPECT_EQ(downloads.size(), 0);
    EXPECT_FALSE(window_->exitAction->isEnabled());
    EXPECT_FALSE(window_->tpsReportAction->isEnabled());
    window_->setDownloadMode(false);
    EXPECT_TRUE(window_->exitAction->isEnabled());
    EXPECT_FALSE(window_->stopAction->isEnabled());
}

TEST_F(MainWindowAccessTest, TabRunsFromTheTagListToTheGrid) {
    showPlayer();
    window_->tagListBox->setFocus();
    test::settle();
    QStringList order;
    for (int i = 0; i < 9; ++i) {
        order << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    // One stop per filter group: the arrow keys move between its options.
    EXPECT_EQ(order, (QStringList{"cmbTagList", "cmdAddGamertag", "cmdRemoveGamertag",
                                  "cmdProfileGamertag", "cmdDownload", "optFilterPlayer_1",
                                  "optFilterGame_1", "cmbQuery", "cmdRunQuery"}));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "flxData");
}

TEST_F(MainWindowAccessTest, EveryControlHasANameAndARole) {
    showPlayer();
    struct Expected {
        QWidget* widget;
        QAccessible::Role role;
        const char* name;
    };
    const Expected expected[] = {
        // A combo box is named by its value here, its caption by relation.
        {window_->tagListBox, QAccessible::ComboBox, "Ann"},
        {window_->addButton, QAccessible::Button, "Add a gamertag"},
        {window_->removeButton, QAccessible::Button, "Remove the gamertag"},
        {window_->profileButton, QAccessible::Button, "Gamertag profile"},
        {window_->downloadButton, QAccessible::Button, "Download"},
        {window_->playerFilterOptions[1], QAccessible::RadioButton, "All players in the tag list"},
        {window_->gameFilterOptions[2], QAccessible::RadioButton, "Unranked games"},
        {window_->queryList, QAccessible::ComboBox, "- Select a Query -"},
        {window_->runQueryButton, QAccessible::Button, "Run"},
        {window_->exportButton, QAccessible::Button, "Export"},
        {window_->resultGrid, QAccessible::Table, "Query results"},
        {window_->progressEmpty, QAccessible::ProgressBar, "Download progress"},
        {window_->makerLink, QAccessible::Link, nullptr},
    };
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.widget->objectName().toStdString());
        EXPECT_EQ(role(e.widget), e.role);
        EXPECT_EQ(accessible(e.widget, QAccessible::Name),
                  e.name ? QString::fromLatin1(e.name) : window_->makerLink->text());
    }
    QAccessibleInterface* tags = QAccessible::queryAccessibleInterface(window_->tagListBox);
    QStringList labels;
    for (const auto& [label, relation] : tags->relations(QAccessible::Label)) {
        labels << label->text(QAccessible::Name);
    }
    EXPECT_TRUE(labels.contains(QStringLiteral("Tag List:"))) << labels.join('|').toStdString();
    EXPECT_EQ(accessible(window_->queryList, QAccessible::Description), "The saved query to run");
    // And nothing focusable goes unnamed.
    for (QWidget* widget : window_->findChildren<QWidget*>()) {
        if (widget->focusPolicy() & Qt::TabFocus && widget->isVisibleTo(window_.get()) &&
            !widget->objectName().isEmpty()) {
            EXPECT_FALSE(accessible(widget, QAccessible::Name).isEmpty())
                << widget->objectName().toStdString();
        }
    }
    // The long gamertag a narrow list clips is told in full.
    const QString longTag = QStringLiteral("A Very Long Gamertag Indeed");
    window_->tagListBox->addItem(longTag);
    window_->tagListBox->setCurrentIndex(1);
    EXPECT_EQ(window_->tagListBox->toolTip(), longTag);
    EXPECT_EQ(window_->tagListBox->itemData(1, Qt::ToolTipRole).toString(), longTag);
}

TEST_F(MainWindowAccessTest, StageRowsAndProgressSayTheirState) {
    EXPECT_EQ(accessible(window_->stageRow(1).info.label, QAccessible::Name), "Welcome");
    EXPECT_EQ(accessible(window_->stageRow(1).info.label, QAccessible::Description),
              "Stage 1 of 5, information");
    EXPECT_EQ(accessible(window_->stageRow(3).working.label, QAccessible::Description),
              "Stage 3 of 5, in progress");
    EXPECT_EQ(accessible(window_->stageRow(4).failed.icon, QAccessible::Name),
              "Stage 4 of 5, failed");
    EXPECT_EQ(accessible(window_->stageRow(5).complete.label, QAccessible::Description),
              "Stage 5 of 5, complete");
    // The bar's value is the percentage shown, read when asked.
    EXPECT_EQ(accessible(window_->progressEmpty, QAccessible::Value), "");
    window_->progressPercent->setText(QStringLiteral("45 %"));
    window_->progressPercent->show();
    EXPECT_EQ(accessible(window_->progressEmpty, QAccessible::Value), "45 %");
    window_->progressPercent->setText(QStringLiteral("60 %"));
    EXPECT_EQ(accessible(window_->progressEmpty, QAccessible::Description), "60 %");
}

TEST_F(MainWindowAccessTest, AnEmptyTagListShowsAHintAndSaysWhyPlayerButtonsAreOff) {
    ASSERT_EQ(window_->tagListBox->count(), 0);
    window_->updatePlayerButtons();
    EXPECT_TRUE(window_->firstRunHint->isVisible());
    EXPECT_EQ(window_->firstRunHint->text(), "Add a player with + to begin.");
    EXPECT_FALSE(window_->totalGamesCaption->isVisible());
    for (QPushButton* button :
         {window_->downloadButton, window_->removeButton, window_->profileButton}) {
        EXPECT_FALSE(button->isEnabled());
        EXPECT_EQ(button->toolTip(), "No player yet: add a gamertag with + first.");
    }
    EXPECT_EQ(window_->addButton->toolTip(), "Add gamertag");
    // The hint shares the summary's place: nothing below it moves.
    const QRect download = window_->downloadButton->geometry();
    showPlayer();
    test::settle();
    EXPECT_FALSE(window_->firstRunHint->isVisible());
    EXPECT_TRUE(window_->totalGamesCaption->isVisible());
    EXPECT_EQ(window_->downloadButton->geometry(), download);
    EXPECT_EQ(window_->downloadButton->toolTip(), "Download your stats");
    EXPECT_EQ(window_->removeButton->toolTip(), "Remove gamertag");
    EXPECT_EQ(window_->profileButton->toolTip(), "Profile gamertag");
}

QPalette darkPalette() {
    QPalette dark(QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::WindowText, QColor(0xE6, 0xE6, 0xE6));
    dark.setColor(QPalette::Base, QColor(0x2A, 0x2A, 0x2A));
    dark.setColor(QPalette::Text, QColor(0xE6, 0xE6, 0xE6));
    return dark;
}

TEST(MainWindowContrastTest, StageTextsReadOnLightAndDarkPalettes) {
    test::app();
    const QPalette original = QApplication::palette();
    const QPalette light = QApplication::style()->standardPalette();
    for (const QPalette& palette : {light, darkPalette()}) {
        QApplication::setPalette(palette);
        // A window made under the palette, and one that sees it change.
        auto made = std::make_unique<MainWindow>();
        QApplication::setPalette(palette == light ? darkPalette() : light);
        auto switched = std::make_unique<MainWindow>();
        QApplication::setPalette(palette);
        test::settle();
        for (MainWindow* window : {made.get(), switched.get()}) {
            const QColor background = window->palette().color(QPalette::Window);
            SCOPED_TRACE(background.name().toStdString());
            for (int row = 1; row <= MainWindow::kStageRows; ++row) {
                const StageRow& stage = window->stageRow(row);
                for (const StagePair& pair :
                     {stage.working, stage.complete, stage.failed, stage.info}) {
                    const QColor text = pair.label->palette().color(QPalette::WindowText);
                    EXPECT_EQ(pair.label->palette().color(QPalette::Window), background);
                    EXPECT_GE(test::contrast(text, background), 4.5)
                        << pair.label->objectName().toStdString() << " "
                        << text.name().toStdString();
                }
            }
            EXPECT_GE(test::contrast(window->makerLink->palette().color(QPalette::WindowText),
                                     background),
                      4.5);
        }
    }
    QApplication::setPalette(original);
}

}  // namespace
}  // namespace tw
