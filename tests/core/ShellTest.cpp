// WriteIni's failure message, the settings round trip, and the exit rule.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/EndProgram.h"
#include "core/ExitRule.h"
#include "core/LoadSettings.h"
#include "core/Paths.h"
#include "core/Session.h"
#include "core/SettingsFile.h"
#include "core/SqlText.h"
#include "support/RecordingPrompter.h"

namespace tw {
namespace {

class ShellTest : public ::testing::Test {
  protected:
    void SetUp() override {
        BuildPaths(state_, dir_.path());
        state_.prompter = &prompter_;
    }
    QByteArray IniBytes() const {
        QFile file(state_.IniPath);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    QTemporaryDir dir_;
    Session state_;
    RecordingPrompter prompter_;
};

TEST_F(ShellTest, EveryKeyWrittenIsReadBackUnchanged) {
    const std::pair<const char*, const char*> keys[] = {
        {"Internet", "URL_Base_Domain"}, {"Internet", "URL_Stats_Root"},
        {"Internet", "URL_Games_Root"},  {"Internet", "URL_Game_Detail"},
        {"Internet", "URL_Image_Root"},  {"Internet", "Proxy_Address"},
    };
    WriteIni(state_, "User", "Gamertag", "O'Neil Two");
    for (const auto& [section, key] : keys) {
        WriteIni(state_, section, key, QStringLiteral("/v/") + key);
    }
    WriteIni(state_, "Internet", "Direct_Port", "8642");
    WriteIni(state_, "Internet", "Connection_Timeout", "30000");
    WriteIni(state_, "Internet", "Proxy_Port", "8080");
    WriteIni(state_, "Application", "Games_Per_Page", "25");
    WriteIni(state_, "Application", "Query_Export_Format", "4");
    WriteIni(state_, "Application", "Query_Count", "1");
    WriteIni(state_, "Query_1", "Name", "Mine");
    WriteIni(state_, "Query_1", "SQL", "select * from Player where Player_Gamertag='x'");
    for (const char* flag :
         {"Auto_Grid_Highlight", "Download_Only_Experience_Level", "TPS_Use_KApD"}) {
        WriteIni(state_, "Application", flag, "1");
    }
    for (const char* flag : {"Download_All_Tag_List", "Scan_All_Game_Lists"}) {
        WriteIni(state_, "Application", flag, "0");
    }
    WriteIni(state_, "Internet", "Use_Proxy", "1");

    const LoadedSettings loaded = LoadSettings(state_, dir_.path());
    const Settings& s = state_.settings;
    EXPECT_EQ(s.Gamertag, "O'Neil Two");
    EXPECT_EQ(s.URL_Base_Domain, "/v/URL_Base_Domain");
    EXPECT_EQ(s.URL_Stats_Root, "/v/URL_Stats_Root");
    EXPECT_EQ(s.URL_Games_Root, "/v/URL_Games_Root");
    EXPECT_EQ(s.URL_Game_Detail, "/v/URL_Game_Detail");
    EXPECT_EQ(s.URL_Image_Root, "/v/URL_Image_Root");
    EXPECT_EQ(s.Proxy_Address, "/v/Proxy_Address");
    EXPECT_EQ(s.Direct_Port, 8642);
    EXPECT_EQ(s.Connection_Timeout, 30000);
    EXPECT_EQ(s.Proxy_Port, 8080);
    EXPECT_EQ(s.Games_Per_Page, 25);
    EXPECT_EQ(s.Query_Export_Format, 4);
    EXPECT_TRUE(s.Use_Proxy && s.Auto_Grid_Highlight && s.Download_Only_Experience_Level &&
                s.TPS_Use_KApD);
    EXPECT_FALSE(s.Download_All_Tag_List || s.Scan_All_Game_Lists);
    EXPECT_EQ(loaded.queryNames, QStringList{"Mine"});
    EXPECT_EQ(state_.QuerySQL[1], "select * from Player where Player_Gamertag='x'");
    EXPECT_TRUE(prompter_.messages.empty());
}

TEST_F(ShellTest, WriteFailureIsToldOncePerWriteWithPathAndReason) {
    state_.IniPath = dir_.filePath(QStringLiteral("no-such-folder/tallywick110.ini"));
    EXPECT_FALSE(WriteIni(state_, "User", "Gamertag", "a"));
    EXPECT_FALSE(WriteIni(state_, {{"Application", "Top", "1"}, {"Application", "Left", "2"}}));
    ASSERT_EQ(prompter_.messages.size(), 2u);
    for (const RecordedMessage& shown : prompter_.messages) {
        EXPECT_EQ(shown.text, "An error occurred while writing to the INI file.\r\n" +
                                  state_.IniPath + ": No such file or directory");
        EXPECT_EQ(shown.icon, MsgIcon::Critical);
        EXPECT_EQ(shown.buttons, MsgButtons::Ok);
        EXPECT_EQ(shown.title, "Error");
    }
    EXPECT_FALSE(QFileInfo::exists(dir_.filePath(QStringLiteral("no-such-folder"))));
}

TEST_F(ShellTest, ExitIsRefusedWhileADownloadRuns) {
    state_.DownloadInProgress = true;
    bool closed = false;
    EXPECT_FALSE(UnloadMainWindow(state_, {1, 2, 7335, 11415}, [&closed] { closed = true; }));
    ASSERT_EQ(prompter_.messages.size(), 1u);
    EXPECT_EQ(prompter_.messages[0].text,
              "You are in the middle of downloading game data.\r\n"
              "You must STOP the download before you can exit.");
    EXPECT_EQ(prompter_.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(prompter_.messages[0].title, "Error");
    EXPECT_FALSE(closed);
    EXPECT_FALSE(state_.EndRequested);
    EXPECT_EQ(IniBytes(), "<missing>");
}

TEST_F(ShellTest, ExitSavesPlacementBeforeClosingAndEndsDespiteCloseErrors) {
    const QByteArray before = "; mine\n[Application]\nQuery_Count=0\n";
    {
        QFile file(state_.IniPath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(before);
    }
    QByteArray seenAtClose;
    int endedWith = -1;
    state_.endProgram = [&endedWith](int code) { endedWith = code; };
    EXPECT_TRUE(UnloadMainWindow(state_, {900, -15, 8000, 12345.5f}, [&] {
        seenAtClose = IniBytes();
        throw AppError(3420, "DAO", "Object invalid or no longer set.");
    }));
    EXPECT_EQ(seenAtClose, before + "Top=900\nLeft=-15\nHeight=8000\nWidth=12345.5\n");
    EXPECT_TRUE(state_.EndRequested);
    EXPECT_EQ(endedWith, 0);
    LoadedSettings next = LoadSettings(state_, dir_.path());
    EXPECT_EQ(next.placement, (WindowPlacement{900, -15, 8000, 12345.5f}));
}

TEST(SqlTextTest, ApostrophesAreDoubled) {
    EXPECT_EQ(SqlText("O'Neil"), "O''Neil");
    EXPECT_EQ(SqlText("''x'"), "''''x''");
    EXPECT_EQ(SqlText("plain"), "plain");
}

TEST(PathsTest, AvatarNamesUseUnderscoresAndStayInTheFolder) {
    Session state;
    BuildPaths(state, "/opt/tw");
    EXPECT_EQ(AvatarPath(state, "Master Chief 117"), "/opt/tw/avatar/Master_Chief_117.jpg");
    EXPECT_EQ(AvatarPath(state, "A B", "_smbw.jpg"), "/opt/tw/avatar/A_B_smbw.jpg");
    EXPECT_EQ(AvatarPath(state, "../../etc/x"), "/opt/tw/avatar/.._.._etc_x.jpg");
    BuildPaths(state, "/");
    EXPECT_EQ(state.IniPath, "/tallywick110.ini");
    BuildPaths(state, "/opt/tw/");
    EXPECT_EQ(state.DbPath, "/opt/tw/tallywick110.mdb");
    EXPECT_EQ(state.TpsDir, "/opt/tw/tps/");
}

}  // namespace
}  // namespace tw
