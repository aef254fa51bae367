// Reading the settings file into Settings: conversion rules, key order, the
// port settings and what is told about a value that is no port, the saved
// queries and the window placement.

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "core/IniFile.h"
#include "core/LoadSettings.h"
#include "core/Session.h"
#include "core/Settings.h"
#include "support/RecordingPrompter.h"

namespace tw {
namespace {

TEST(SettingConversion, NumbersReadTheLeadingNumberRoundHalfEvenAndClamp) {
    struct Case {
        const char* text;
        int16_t int16;
        int32_t int32;
    };
    const Case cases[] = {
        {"8080", 8080, 8080},
        {"  8080abc", 8080, 8080},
        {"", 0, 0},
        {"abc", 0, 0},
        {"2.5", 2, 2},
        {"3.5", 4, 4},
        {"-2.5", -2, -2},
        {"40000", 32767, 40000},
        {"-40000", -32768, -40000},
        {"99999999999", 32767, 2147483647},
        {"-99999999999", -32768, -2147483647 - 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(settingInt16(c.text), c.int16) << c.text;
        EXPECT_EQ(settingInt32(c.text), c.int32) << c.text;
    }
}

TEST(SettingConversion, BooleansAcceptWordsAndNumbersElseFalse) {
    for (const char* yes : {"1", "-1", "True", "TRUE", "true", " 1 ", "2.5"}) {
        EXPECT_TRUE(settingBool(yes)) << yes;
    }
    for (const char* no : {"0", "False", "fALSE", "", "yes", "1abc", "on"}) {
        EXPECT_FALSE(settingBool(no)) << no;
    }
}

class LoadSettingsTest : public ::testing::Test {
  protected:
    void SetUp() override { state_.prompter = &prompter_; }
    void put(const QByteArray& bytes) {
        QFile file(dir_.filePath(QStringLiteral("tallywick110.ini")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    QString iniPath() const { return dir_.filePath(QStringLiteral("tallywick110.ini")); }
    QTemporaryDir dir_;
    RecordingPrompter prompter_;
    Session state_;
};

TEST_F(LoadSettingsTest, MissingFileGivesEmptyTextsZeroNumbersAndFalse) {
    const LoadedSettings loaded = loadSettings(state_, dir_.path());
    EXPECT_EQ(state_.settings, Settings{});
    EXPECT_EQ(state_.currentGamertag, "");
    EXPECT_EQ(loaded.placement, WindowPlacement{});
    EXPECT_TRUE(loaded.queryNames.isEmpty());
    EXPECT_TRUE(prompter_.messages.empty());
}

TEST_F(LoadSettingsTest, BothPortsTakeEveryPortFromOneTo65535) {
    struct Case {
        const char* text;
        int32_t port;
    };
    const Case cases[] = {{"1", 1},          {"40123", 40123}, {"32768", 32768},   {"65535", 65535},
                          {"8080abc", 8080}, {" 443 ", 443},   {"65534.5", 65534}, {"", 0}};
    for (const Case& c : cases) {
        put(QByteArray("[Internet]\nDirect_Port=") + c.text + "\nProxy_Port=" + c.text + "\n");
        loadSettings(state_, dir_.path());
        EXPECT_EQ(state_.settings.directPort, c.port) << c.text;
        EXPECT_EQ(state_.settings.proxyPort, c.port) << c.text;
    }
    // An empty value is a port not set, as a missing key is: nothing to tell.
    EXPECT_TRUE(prompter_.messages.empty());
}

TEST_F(LoadSettingsTest, AValueThatIsNoPortIsToldOnceNamingTheSettingAndNotUsed) {
    for (const char* bad : {"0", "70000", "65536", "-1", "abc", "0x50"}) {
        SCOPED_TRACE(bad);
        for (const char* key : {"Direct_Port", "Proxy_Port"}) {
            prompter_.messages.clear();
            const bool direct = QByteArray(key) == "Direct_Port";
            put(QByteArray("[Internet]\nDirect_Port=") + (direct ? bad : "8642") +
                "\nProxy_Port=" + (direct ? "3128" : bad) + "\n");
            loadSettings(state_, dir_.path());
            ASSERT_EQ(prompter_.messages.size(), 1u) << key;
            const RecordedMessage& told = prompter_.messages[0];
            EXPECT_EQ(told.text, QStringLiteral("Settings in \"%1\" that cannot be used:\r\n"
                                                "%2 \"%3\" is not a TCP port: a port is a whole "
                                                "number from 1 to 65535.\r\nA download that needs "
                                                "them cannot connect until they are corrected.")
                                     .arg(iniPath(), QLatin1String(key), QLatin1String(bad)));
            EXPECT_EQ(told.title, QStringLiteral("Error"));
            EXPECT_EQ(told.icon, MsgIcon::Exclamation);
            EXPECT_EQ(told.buttons, MsgButtons::Ok);
            // No port near the value is used instead: a download through it
            // would reach some other service.
            EXPECT_EQ(state_.settings.directPort, direct ? 0 : 8642) << key;
            EXPECT_EQ(state_.settings.proxyPort, direct ? 3128 : 0) << key;
        }
    }
}

TEST_F(LoadSettingsTest, TwoPortsThatAreNoPortsAreToldInOneMessage) {
    put("[Internet]\nDirect_Port=99999\nUse_Proxy=1\nProxy_Port=proxy\n");
    loadSettings(state_, dir_.path());
    ASSERT_EQ(prompter_.messages.size(), 1u);
    const QStringList lines = prompter_.messages[0].text.split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("Direct_Port \"99999\" is not a TCP port")));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("Proxy_Port \"proxy\" is not a TCP port")));
}

TEST_F(LoadSettingsTest, EveryKeyIsReadIntoItsField) {
    put("[User]\nGamertag=Some One\n[Internet]\nURL_Base_Domain=127.0.0.1\n"
        "URL_Stats_Root=/s?tag=\nURL_Games_Root=/g?tag=\nURL_Game_Detail=/d?id=\n"
        "URL_Image_Root=/e?\nDirect_Port=8642\nConnection_Timeout=30000\nUse_Proxy=True\n"
        "Proxy_Port=3128\nProxy_Address=proxy.lan\n[Application]\nGames_Per_Page=25\n"
        "Auto_Grid_Highlight=1\nDownload_All_Tag_List=-1\nDownload_Only_Experience_Level=false\n"
        "Scan_All_Game_Lists=1\nQuery_Export_Format=3\nTPS_Use_KApD=0\nTop=900\nLeft=1200.5\n"
        "Height=7335\nWidth=11415\nQuery_Count=0\n");
    const LoadedSettings loaded = loadSettings(state_, dir_.path());
    Settings expected;
    expected.gamertag = "Some One";
    expected.gamesPerPage = 25;
    expected.urlBaseDomain = "127.0.0.1";
    expected.urlStatsRoot = "/s?tag=";
    expected.urlGamesRoot = "/g?tag=";
    expected.urlGameDetail = "/d?id=";
    expected.urlImageRoot = "/e?";
    expected.directPort = 8642;
    expected.connectionTimeout = 30000;
    expected.useProxy = true;
    expected.proxyPort = 3128;
    expected.proxyAddress = "proxy.lan";
    expected.autoGridHighlight = true;
    expected.downloadAllTagList = true;
    expected.downloadOnlyExperienceLevel = false;
    expected.scanAllGameLists = true;
    expected.queryExportFormat = 3;
    expected.tpsUseKApD = false;
    expected.queryCount = 0;
    EXPECT_EQ(state_.settings, expected);
    EXPECT_EQ(state_.currentGamertag, "Some One");
    EXPECT_EQ(loaded.placement, (WindowPlacement{900, 1200.5f, 7335, 11415}));
}

TEST_F(LoadSettingsTest, QueryCountThreeReadsThreeQueriesAndIgnoresAFourth) {
    put("[Application]\nQuery_Count=3\n[Query_1]\nName=Kills\nSQL=select 1\n"
        "[Query_3]\nName=Third\nSQL=select 3\n[Query_2]\nName=Second\nSQL=select 2\n"
        "[Query_4]\nName=Ignored\nSQL=select 4\n");
    const LoadedSettings loaded = loadSettings(state_, dir_.path());
    EXPECT_EQ(loaded.queryNames, QStringList({"Kills", "Second", "Third"}));
    EXPECT_EQ(state_.queryNames[1], "Kills");
    EXPECT_EQ(state_.querySql[3], "select 3");
    EXPECT_EQ(state_.queryNames[4], "");
    EXPECT_EQ(state_.querySql[4], "");
}

TEST_F(LoadSettingsTest, QueryCountIsKeptWithinZeroToHundred) {
    QByteArray file = "[Application]\nQuery_Count=250\n";
    for (int n = 1; n <= 101; ++n) {
        file += "[Query_" + QByteArray::number(n) + "]\nName=Q" + QByteArray::number(n) + "\n";
    }
    put(file);
    LoadedSettings loaded = loadSettings(state_, dir_.path());
    EXPECT_EQ(state_.settings.queryCount, 100);
    ASSERT_EQ(loaded.queryNames.size(), 100);
    EXPECT_EQ(loaded.queryNames.last(), "Q100");

    put("[Application]\nQuery_Count=-4\n[Query_1]\nName=Q1\n");
    loaded = loadSettings(state_, dir_.path());
    EXPECT_EQ(state_.settings.queryCount, 0);
    EXPECT_TRUE(loaded.queryNames.isEmpty());
    EXPECT_EQ(state_.queryNames[1], "");
}

}  // namespace
}  // namespace tw
