// writeIni's failure message and what exit writes before the program ends.

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
        buildPaths(state_, dir_.path());
        state_.prompter = &prompter_;
    }
    QByteArray iniBytes() const {
        QFile file(state_.iniPath);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    void putIni(const QByteArray& bytes) const {
        QFile file(state_.iniPath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }

    QTemporaryDir dir_;
    Session state_;
    RecordingPrompter prompter_;
};

TEST_F(ShellTest, WriteFailureIsToldOncePerWriteWithPathAndReason) {
    state_.iniPath = dir_.filePath(QStringLiteral("no-such-folder/tallywick110.ini"));
    EXPECT_FALSE(writeIni(state_, "User", "Gamertag", "a"));
    EXPECT_FALSE(writeIni(state_, {{"Application", "Top", "1"}, {"Application", "Left", "2"}}));
    ASSERT_EQ(prompter_.messages.size(), 2u);
    for (const RecordedMessage& shown : prompter_.messages) {
        EXPECT_EQ(shown.text, "An error occurred while writing to the INI file.\r\n" +
                                  state_.iniPath + ": No such file or directory");
        EXPECT_EQ(shown.icon, MsgIcon::Critical);
        EXPECT_EQ(shown.buttons, MsgButtons::Ok);
        EXPECT_EQ(shown.title, "Error");
    }
    EXPECT_FALSE(QFileInfo::exists(dir_.filePath(QStringLiteral("no-such-folder"))));
}

TEST_F(ShellTest, ExitSavesPlacementBeforeClosingAndEndsDespiteCloseErrors) {
    const QByteArray before = "; mine\n[Application]\nQuery_Count=0\n";
    ASSERT_NO_FATAL_FAILURE(putIni(before));
    QByteArray seenAtClose;
    int endedWith = -1;
    state_.endProgram = [&endedWith](int code) { endedWith = code; };
    EXPECT_TRUE(unloadMainWindow(state_, {900, -15, 8000, 12345.5f}, [&] {
        seenAtClose = iniBytes();
        throw AppError(3420, "DAO", "Object invalid or no longer set.");
    }));
    EXPECT_EQ(seenAtClose, before + "Top=900\nLeft=-15\nHeight=8000\nWidth=12345.5\n");
    EXPECT_TRUE(state_.endRequested);
    EXPECT_EQ(endedWith, 0);
    LoadedSettings next = loadSettings(state_, dir_.path());
    EXPECT_EQ(next.placement, (WindowPlacement{900, -15, 8000, 12345.5f}));
}

TEST_F(ShellTest, WhatTheWindowShowedIsKeptAtExitAndOlderOrBadValuesReadAsAFreshStart) {
    const QByteArray before = "[Application]\r\nQuery_Count=0\r\n";
    ASSERT_NO_FATAL_FAILURE(putIni(before));
    // A file from before the keys: a fresh start.
    EXPECT_EQ(loadSettings(state_, dir_.path()).view, WindowView{});

    state_.endProgram = [](int) {};
    const WindowView shown{true, QStringLiteral("Totals per Map"), 3, 2};
    EXPECT_TRUE(unloadMainWindow(
        state_, {900, 15, 8000, 12000}, [] {}, shown));
    EXPECT_EQ(iniBytes(), before +
                              "Top=900\r\nLeft=15\r\nHeight=8000\r\nWidth=12000\r\n"
                              "Window_Maximized=1\r\nSelected_Query=Totals per Map\r\n"
                              "Player_Filter=3\r\nGame_Filter=2\r\n");
    EXPECT_EQ(loadSettings(state_, dir_.path()).view, shown);

    // Values that mean nothing read as the defaults, each on its own.
    putIni(
        "[Application]\r\nWindow_Maximized=maybe\r\nSelected_Query=\r\n"
        "Player_Filter=4\r\nGame_Filter=two\r\n");
    EXPECT_EQ(loadSettings(state_, dir_.path()).view, WindowView{});
    putIni("[Application]\r\nWindow_Maximized=True\r\nPlayer_Filter=0\r\nGame_Filter=3\r\n");
    EXPECT_EQ(loadSettings(state_, dir_.path()).view, (WindowView{true, QString(), 1, 3}));
}

TEST(SqlTextTest, ApostrophesAreDoubled) {
    EXPECT_EQ(sqlText("O'Neil"), "O''Neil");
    EXPECT_EQ(sqlText("''x'"), "''''x''");
    EXPECT_EQ(sqlText("plain"), "plain");
}

TEST(PathsTest, AvatarNamesUseUnderscoresAndStayInTheFolder) {
    Session state;
    buildPaths(state, "/opt/tw");
    EXPECT_EQ(avatarPath(state, "Master Chief 117"), "/opt/tw/avatar/Master_Chief_117.jpg");
    EXPECT_EQ(avatarPath(state, "A B", "_smbw.jpg"), "/opt/tw/avatar/A_B_smbw.jpg");
    EXPECT_EQ(avatarPath(state, "../../etc/x"), "/opt/tw/avatar/.._.._etc_x.jpg");
    buildPaths(state, "/");
    EXPECT_EQ(state.iniPath, "/tallywick110.ini");
    buildPaths(state, "/opt/tw/");
    EXPECT_EQ(state.dbPath, "/opt/tw/tallywick110.mdb");
    EXPECT_EQ(state.tpsDir, "/opt/tw/tps/");
}

}  // namespace
}  // namespace tw
