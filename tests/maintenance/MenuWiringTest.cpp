// The main window's menus and maker link reach the Options, About and
// maintenance handlers once they are connected as the program connects them.

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "MaintenanceFolder.h"
#include "gui/About.h"
#include "gui/LinkLabel.h"
#include "gui/OptionsDialog.h"
#include "gui/ProfileDialog.h"
#include "gui/TagListPanel.h"
#include "maintenance/Purge.h"

namespace tw {
namespace {

using maintenance_testing::MaintenanceFolder;

class MenuWiringTest : public MaintenanceFolder {
  protected:
    void SetUp() override {
        MaintenanceFolder::SetUp();
        start();
        connectOptions(*state_, *window_);
        connectAbout(*state_, *window_);
        connectMaintenance(*state_, *window_);
        window_->show();
    }
    std::vector<DialogCall> opened() const {
        std::vector<DialogCall> opened;
        for (const DialogCall& call : prompter_->calls()) {
            if (call.kind == DialogKind::OpenDocument) {
                opened.push_back(call);
            }
        }
        return opened;
    }
};

TEST_F(MenuWiringTest, HelpMenuAndMakerLinkShowTheAboutBoxAndOpenTheMakersPage) {
    EXPECT_EQ(window_->makerLink->text(), QStringLiteral("Brackenfold Software\ntallywick.org"));
    EXPECT_EQ(window_->makerLink->toolTip(),
              QStringLiteral("Visit Brackenfold Software at https://tallywick.org/"));
    window_->aboutAction->trigger();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].title, QStringLiteral("About..."));
    EXPECT_TRUE(messages()[0].text.startsWith(QStringLiteral("Tallywick        v1.1.0\r\n")));

    prompter_->answerOpen(true).answerOpen(false);
    window_->supportAction->trigger();
    QTest::mouseClick(window_->makerLink, Qt::LeftButton);
    ASSERT_EQ(opened().size(), 2u);
    EXPECT_EQ(opened()[0].text, QStringLiteral("https://tallywick.org/"));
    EXPECT_EQ(opened()[1].text, QStringLiteral("https://tallywick.org/"));
    // A page that could not be opened is not reported.
    EXPECT_EQ(messages().size(), 1u);
}

TEST_F(MenuWiringTest, ToolsOptionsOpensOneDialogAtATime) {
    window_->optionsAction->trigger();
    auto* first = window_->findChild<OptionsDialog*>(QStringLiteral("frmOptions"));
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());
    EXPECT_FALSE(first->isModal());
    window_->optionsAction->trigger();
    EXPECT_EQ(window_->findChildren<OptionsDialog*>().size(), 1);

    // Closed, it goes away; the next opening shows the settings as they now are.
    first->cancelButton->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window_->findChildren<OptionsDialog*>().isEmpty());
    state_->settings.useProxy = true;
    window_->optionsAction->trigger();
    auto* second = window_->findChild<OptionsDialog*>(QStringLiteral("frmOptions"));
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(second->useProxyCheck->isChecked());
}

TEST_F(MenuWiringTest, DatabaseMenuAsksBeforeImportingOrPurging) {
    prompter_->answerMessage(MsgResult::No)
        .answerMessage(MsgResult::No)
        .answerMessage(MsgResult::No);
    window_->importOldAction->trigger();
    window_->purgeNonTagListAction->trigger();
    window_->purgeEntireDatabaseAction->trigger();
    ASSERT_EQ(messages().size(), 3u);
    EXPECT_EQ(messages()[0].title, QStringLiteral("Confirm Import"));
    EXPECT_EQ(messages()[1].text, QString::fromLatin1(kPurgeNonTagListQuestion));
    EXPECT_EQ(messages()[2].text, QString::fromLatin1(kPurgeEntireQuestion));
}

TEST_F(MenuWiringTest, TheProfileButtonOpensTheSelectedPlayersProfile) {
    state_.reset();
    seed(
        "INSERT INTO Player (Player_Gamertag, Personal_Quote, Last_Game_ID, Is_Selectable) "
        "VALUES ('Ann', 'hello', 0, 'Y');");
    writeIni("[User]\r\nGamertag=Ann\r\n[Application]\r\nQuery_Count=0\r\n");
    start();
    connectTagList(*state_, *window_, profileOpener(*state_, *window_));
    window_->profileButton->click();
    auto* profile = window_->findChild<ProfileDialog*>();
    ASSERT_NE(profile, nullptr);
    EXPECT_TRUE(profile->isVisible());
    EXPECT_EQ(profile->gamertag(), QStringLiteral("Ann"));
    EXPECT_EQ(profile->quoteEdit->text(), QStringLiteral("hello"));
}

}  // namespace
}  // namespace tw
