// Tools > Options over a real settings file: what opening shows, the proxy
// rule, what Save writes (and in which order) and reads back, a proxy port
// that is no port, an export format that matches no button, Cancel, and a settings
// file that cannot be written.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <memory>

#include "UiTestSupport.h"
#include "core/LoadSettings.h"
#include "core/Paths.h"
#include "core/Session.h"
#include "gui/OptionsDialog.h"
#include "support/RecordingPrompter.h"

namespace tw {
namespace {

constexpr char kFullIni[] =
    "[User]\r\nGamertag=Ann\r\n"
    "[Internet]\r\nURL_Base_Domain=127.0.0.1\r\nDirect_Port=8642\r\nUse_Proxy=1\r\n"
    "Proxy_Port=3128\r\nProxy_Address=proxy.lan\r\n"
    "[Application]\r\nAuto_Grid_Highlight=1\r\nDownload_All_Tag_List=0\r\n"
    "Download_Only_Experience_Level=1\r\nScan_All_Game_Lists=0\r\nQuery_Export_Format=3\r\n"
    "TPS_Use_KApD=1\r\nQuery_Count=0\r\n";

class OptionsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::app();
        ASSERT_TRUE(dir_.isValid());
        buildPaths(state_, dir_.path());
        state_.prompter = &prompter_;
    }
    // The program has read `ini` at start-up; the dialog opens over it.
    void open(const QByteArray& ini) {
        QFile file(state_.iniPath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(ini);
        file.close();
        readAllSettings(state_);
        dialog_ = std::make_unique<OptionsDialog>(state_);
        dialog_->show();
    }
    QByteArray iniBytes() const {
        QFile file(state_.iniPath);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    // Settings as a fresh start of the program would read them now.
    Settings readFresh() const {
        Session fresh;
        buildPaths(fresh, dir_.path());
        readAllSettings(fresh);
        return fresh.settings;
    }
    QRadioButton* formatButton(int n) const {
        return dialog_->findChild<QRadioButton*>(QStringLiteral("optQryExportFormat_%1").arg(n));
    }
    template <class Control>
    Control* find(const char* name) const {
        auto* control = dialog_->findChild<Control*>(QString::fromLatin1(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }

    QTemporaryDir dir_;
    Session state_;
    RecordingPrompter prompter_;
    std::unique_ptr<OptionsDialog> dialog_;
};

TEST_F(OptionsTest, OpeningShowsTheSettings) {
    open(kFullIni);
    EXPECT_EQ(dialog_->windowTitle(), QStringLiteral("Options"));
    EXPECT_FALSE(dialog_->isModal());
    EXPECT_TRUE(find<QCheckBox>("chkUseProxy")->isChecked());
    EXPECT_FALSE(find<QCheckBox>("chkAllTagList")->isChecked());
    EXPECT_TRUE(find<QCheckBox>("chkOnlyExperienceLevel")->isChecked());
    EXPECT_FALSE(find<QCheckBox>("chkScanAllGameLists")->isChecked());
    EXPECT_TRUE(find<QCheckBox>("chkAutoGridHighlight")->isChecked());
    EXPECT_TRUE(find<QCheckBox>("chkTPSuseKApD")->isChecked());
    EXPECT_EQ(find<QLineEdit>("txtProxyAddress")->text(), QStringLiteral("proxy.lan"));
    EXPECT_EQ(find<QLineEdit>("txtProxyPort")->text(), QStringLiteral("3128"));
    for (int n = 1; n <= 4; ++n) {
        ASSERT_NE(formatButton(n), nullptr);
        EXPECT_EQ(formatButton(n)->isChecked(), n == 3) << n;
    }
    EXPECT_TRUE(find<QLineEdit>("txtProxyPort")->isEnabled());
}

TEST_F(OptionsTest, UseProxyEnablesTheProxyFieldsAndLabelsAndKeepsTheirContents) {
    QByteArray ini = kFullIni;
    ini.replace("Use_Proxy=1", "Use_Proxy=0");
    open(ini);
    QWidget* proxyControls[] = {dialog_->proxyAddressEdit, dialog_->proxyPortEdit,
                                dialog_->proxyAddressLabel, dialog_->proxyPortLabel};
    for (QWidget* control : proxyControls) {
        EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
    }
    dialog_->useProxyCheck->click();
    for (QWidget* control : proxyControls) {
        EXPECT_TRUE(control->isEnabled()) << control->objectName().toStdString();
    }
    dialog_->useProxyCheck->click();
    for (QWidget* control : proxyControls) {
        EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
    }
    EXPECT_EQ(dialog_->proxyAddressEdit->text(), QStringLiteral("proxy.lan"));
    EXPECT_EQ(dialog_->proxyPortEdit->text(), QStringLiteral("3128"));
}

TEST_F(OptionsTest, SaveWritesTheNineKeysInOrderAndSettingsEqualTheFile) {
    open("[Internet]\r\nURL_Base_Domain=127.0.0.1\r\n[Application]\r\nQuery_Count=0\r\n");
    dialog_->useProxyCheck->click();
    dialog_->proxyAddressEdit->setText(QStringLiteral("10.0.0.1"));
    dialog_->proxyPortEdit->setText(QStringLiteral("8080abc"));
    dialog_->autoGridHighlightCheck->click();
    dialog_->allTagListCheck->click();
    dialog_->scanAllGameListsCheck->click();
    formatButton(2)->click();
    dialog_->saveButton->click();

    // Missing keys are added at the end of their section, so the file shows
    // the order of the writes.
    EXPECT_EQ(iniBytes(),
              QByteArray("[Internet]\r\nURL_Base_Domain=127.0.0.1\r\nUse_Proxy=1\r\n"
                         "Proxy_Address=10.0.0.1\r\nProxy_Port=8080\r\n"
                         "[Application]\r\nQuery_Count=0\r\nAuto_Grid_Highlight=1\r\n"
                         "Download_All_Tag_List=1\r\nDownload_Only_Experience_Level=0\r\n"
                         "Scan_All_Game_Lists=1\r\nTPS_Use_KApD=0\r\nQuery_Export_Format=2\r\n"));
    EXPECT_EQ(state_.settings, readFresh());
    EXPECT_TRUE(state_.settings.useProxy);
    EXPECT_EQ(state_.settings.proxyPort, 8080);
    EXPECT_EQ(state_.settings.queryExportFormat, 2);
    EXPECT_TRUE(state_.settings.scanAllGameLists);
    EXPECT_FALSE(dialog_->isVisible());
    EXPECT_TRUE(prompter_.messages.empty());
}

TEST_F(OptionsTest, UncheckedProxyIsSavedAsZeroWithBothProxyValues) {
    open(kFullIni);
    dialog_->useProxyCheck->click();
    dialog_->useKillsAssistsPerDeathCheck->click();
    formatButton(4)->click();
    dialog_->saveButton->click();
    QByteArray expected = kFullIni;
    expected.replace("Use_Proxy=1", "Use_Proxy=0");
    expected.replace("TPS_Use_KApD=1", "TPS_Use_KApD=0");
    expected.replace("Query_Export_Format=3", "Query_Export_Format=4");
    EXPECT_EQ(iniBytes(), expected);
    EXPECT_EQ(state_.settings, readFresh());
}

TEST_F(OptionsTest, TheProxyPortIsStoredAsItsLeadingNumberFromOneTo65535) {
    struct Case {
        const char* typed;
        const char* stored;
        int port;
    };
    const Case cases[] = {
        {"8080", "8080", 8080},
        {"8080abc", "8080", 8080},
        {"40123", "40123", 40123},
        {"65535", "65535", 65535},
        {"1", "1", 1},
        {"3128.5", "3128", 3128},
        {"", "", 0},  // no port, as an empty proxy address is no address
    };
    for (const Case& c : cases) {
        prompter_.messages.clear();
        open(kFullIni);
        dialog_->proxyPortEdit->setText(QString::fromLatin1(c.typed));
        dialog_->saveButton->click();
        EXPECT_TRUE(iniBytes().contains(QByteArray("\r\nProxy_Port=") + c.stored + "\r\n"))
            << c.typed;
        EXPECT_EQ(state_.settings.proxyPort, c.port) << c.typed;
        EXPECT_EQ(state_.settings, readFresh()) << c.typed;
        EXPECT_TRUE(prompter_.messages.empty()) << c.typed;
        EXPECT_FALSE(dialog_->isVisible()) << c.typed;
    }
}

TEST_F(OptionsTest, APortThatIsNoPortIsRefusedNamingTheSettingAndNothingIsSaved) {
    for (const char* typed : {"0", "abc", "65536", "70000", "-1", "99999999999"}) {
        SCOPED_TRACE(typed);
        prompter_.messages.clear();
        open(kFullIni);
        const Settings before = state_.settings;
        dialog_->useKillsAssistsPerDeathCheck->click();
        dialog_->proxyPortEdit->setText(QString::fromLatin1(typed));
        dialog_->saveButton->click();
        ASSERT_EQ(prompter_.messages.size(), 1u);
        EXPECT_EQ(prompter_.messages[0].text,
                  QStringLiteral("Proxy_Port \"%1\" is not a TCP port: a port is a whole number "
                                 "from 1 to 65535.\r\nNothing has been saved.")
                      .arg(QLatin1String(typed)));
        EXPECT_EQ(prompter_.messages[0].title, QStringLiteral("Options"));
        EXPECT_EQ(prompter_.messages[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(iniBytes(), QByteArray(kFullIni));
        EXPECT_EQ(state_.settings, before);
        // Still open with what was typed, to be corrected.
        EXPECT_TRUE(dialog_->isVisible());
        EXPECT_EQ(dialog_->proxyPortEdit->text(), QString::fromLatin1(typed));
        EXPECT_FALSE(dialog_->useKillsAssistsPerDeathCheck->isChecked());
    }
}

TEST_F(OptionsTest, ASavedPortThatIsNoPortOpensAsAnEmptyBox) {
    QByteArray ini = kFullIni;
    ini.replace("Proxy_Port=3128", "Proxy_Port=70000");
    open(ini);
    EXPECT_EQ(state_.settings.proxyPort, 0);
    EXPECT_EQ(dialog_->proxyPortEdit->text(), QString());
}

TEST_F(OptionsTest, AnExportFormatOutsideOneToFourSelectsNoButtonAndIsLeftAsItIs) {
    for (const char* format : {"7", "0", "-2"}) {
        QByteArray ini = kFullIni;
        ini.replace("Query_Export_Format=3", QByteArray("Query_Export_Format=") + format);
        open(ini);
        for (int n = 1; n <= 4; ++n) {
            EXPECT_FALSE(formatButton(n)->isChecked()) << format << " " << n;
        }
        dialog_->saveButton->click();
        EXPECT_TRUE(iniBytes().contains(QByteArray("Query_Export_Format=") + format + "\r\n"));
        EXPECT_EQ(state_.settings.queryExportFormat, QByteArray(format).toInt());
    }
}

TEST_F(OptionsTest, CancelAfterChangingEverythingLeavesFileAndSettingsAlone) {
    open(kFullIni);
    const Settings before = state_.settings;
    for (QCheckBox* box : dialog_->findChildren<QCheckBox*>()) {
        box->click();
    }
    dialog_->proxyAddressEdit->setText(QStringLiteral("elsewhere"));
    dialog_->proxyPortEdit->setText(QStringLiteral("1"));
    formatButton(1)->click();
    dialog_->cancelButton->click();
    EXPECT_EQ(iniBytes(), QByteArray(kFullIni));
    EXPECT_EQ(state_.settings, before);
    EXPECT_FALSE(dialog_->isVisible());
}

TEST_F(OptionsTest, ASettingsFileThatCannotBeWrittenIsToldOnceAndSaveGoesOn) {
    open(kFullIni);
    // The settings path now names a folder: no write can succeed.
    state_.iniPath = dir_.filePath(QStringLiteral("folder.ini"));
    ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("folder.ini")));
    dialog_->saveButton->click();
    ASSERT_EQ(prompter_.messages.size(), 1u);
    const RecordedMessage& message = prompter_.messages[0];
    EXPECT_EQ(message.text, QStringLiteral("An error occurred while writing to the INI file.\r\n") +
                                state_.iniPath + QStringLiteral(": file to open is a directory"));
    EXPECT_EQ(message.title, QStringLiteral("Error"));
    EXPECT_EQ(message.icon, MsgIcon::Critical);
    EXPECT_FALSE(dialog_->isVisible());
}

}  // namespace
}  // namespace tw
