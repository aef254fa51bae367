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
        EXPECT_EQ(SettingInt16(c.text), c.int16) << c.text;
        EXPECT_EQ(SettingInt32(c.text), c.int32) << c.text;
    }
}

TEST(SettingConversion, BooleansAcceptWordsAndNumbersElseFalse) {
    for (const char* yes : {"1", "-1", "True", "TRUE", "true", " 1 ", "2.5"}) {
        EXPECT_TRUE(SettingBool(yes)) << yes;
    }
    for (const char* no : {"0", "False", "fALSE", "", "yes", "1abc", "on"}) {
        EXPECT_FALSE(SettingBool(no)) << no;
    }
}

class LoadSettingsTest : public ::testing::Test {
  protected:
    void SetUp() override { state_.prompter = &prompter_; }
    void Put(const QByteArray& bytes) {
        QFile file(dir_.filePath(QStringLiteral("tallywick110.ini")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    QString IniPath() const { return dir_.filePath(QStringLiteral("tallywick110.ini")); }
    QTemporaryDir dir_;
    RecordingPrompter prompter_;
    Session state_;
};

TEST_F(LoadSettingsTest, MissingFileGivesEmptyTextsZeroNumbersAndFalse) {
    const LoadedSettings loaded = LoadSettings(state_, dir_.path());
    EXPECT_EQ(state_.settings, Settings{});
    EXPECT_EQ(state_.CurrentGamertag, "");
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
        Put(QByteArray("[Internet]\nDirect_Port=") + c.text + "\nProxy_Port=" + c.text + "\n");
        LoadSettings(state_, dir_.path());
        EXPECT_EQ(state_.settings.Direct_Port, c.port) << c.text;
        EXPECT_EQ(state_.settings.Proxy_Port, c.port) << c.text;
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
            Put(QByteArray("[Internet]\nDirect_Port=") + (direct ? bad : "8642") +
                "\nProxy_Port=" + (direct ? "3128" : bad) + "\n");
            LoadSettings(state_, dir_.path());
            ASSERT_EQ(prompter_.messages.size(), 1u) << key;
            const RecordedMessage& told = prompter_.messages[0];
            EXPECT_EQ(told.text, QStringLiteral("Settings in \"%1\" that cannot be used:\r\n"
                                                "%2 \"%3\" is not a TCP port: a port is a whole "
                                                "number from 1 to 65535.\r\nA download that needs "
                                                "them cannot connect until they are corrected.")
                                     .arg(IniPath(), QLatin1String(key), QLatin1String(bad)));
            EXPECT_EQ(told.title, QStringLiteral("Error"));
            EXPECT_EQ(told.icon, MsgIcon::Exclamation);
            EXPECT_EQ(told.buttons, MsgButtons::Ok);
            // No port near the value is used instead: a download through it
            // would reach some other service.
            EXPECT_EQ(state_.settings.Direct_Port, direct ? 0 : 8642) << key;
            EXPECT_EQ(state_.settings.Proxy_Port, direct ? 3128 : 0) << key;
        }
    }
}

TEST_F(LoadSettingsTest, TwoPortsThatAreNoPortsAreToldInOneMessage) {
    Put("[Internet]\nDirect_Port=99999\nUse_Proxy=1\nProxy_Port=proxy\n");
    LoadSettings(state_, dir_.path());
    ASSERT_EQ(prompter_.messages.size(), 1u);
    const QStringList lines = prompter_.messages[0].text.split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("Direct_Port \"99999\" is not a TCP port")));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("Proxy_Port \"proxy\" is not a TCP port")));
}

TEST_F(LoadSettingsTest, EveryKeyIsReadIntoItsField) {
    Put("[User]\nGamertag=Some One\n[Internet]\nURL_Base_Domain=127.0.0.1\n"
        "URL_Stats_Root=/s?tag=\nURL_Games_Root=/g?tag=\nURL_Game_Detail=/d?id=\n"
        "URL_Image_Root=/e?\nDirect_Port=8642\nConnection_Timeout=30000\nUse_Proxy=True\n"
        "Proxy_Port=3128\nProxy_Address=proxy.lan\n[Application]\nGames_Per_Page=25\n"
        "Auto_Grid_Highlight=1\nDownload_All_Tag_List=-1\nDownload_Only_Experience_Level=false\n"
        "Scan_All_Game_Lists=1\nQuery_Export_Format=3\nTPS_Use_KApD=0\nTop=900\nLeft=1200.5\n"
        "Height=7335\nWidth=11415\nQuery_Count=0\n");
    const LoadedSettings loaded = LoadSettings(state_, dir_.path());
    Settings expected;
    expected.Gamertag = "Some One";
    expected.Games_Per_Page = 25;
    expected.URL_Base_Domain = "127.0.0.1";
    expected.URL_Stats_Root = "/s?tag=";
    expected.URL_Games_Root = "/g?tag=";
    expected.URL_Game_Detail = "/d?id=";
    expected.URL_Image_Root = "/e?";
    expected.Direct_Port = 8642;
    expected.Connection_Timeout = 30000;
    expected.Use_Proxy = true;
    expected.Proxy_Port = 3128;
    expected.Proxy_Address = "proxy.lan";
    expected.Auto_Grid_Highlight = true;
    expected.Download_All_Tag_List = true;
    expected.Download_Only_Experience_Level = false;
    expected.Scan_All_Game_Lists = true;
    expected.Query_Export_Format = 3;
    expected.TPS_Use_KApD = false;
    expected.Query_Count = 0;
    EXPECT_EQ(state_.settings, expected);
    EXPECT_EQ(state_.CurrentGamertag, "Some One");
    EXPECT_EQ(loaded.placement, (WindowPlacement{900, 1200.5f, 7335, 11415}));
}

TEST_F(LoadSettingsTest, QueryCountThreeReadsThreeQueriesAndIgnoresAFourth) {
    Put("[Application]\nQuery_Count=3\n[Query_1]\nName=Kills\nSQL=select 1\n"
        "[Query_3]\nName=Third\nSQL=select 3\n[Query_2]\nName=Second\nSQL=select 2\n"
        "[Query_4]\nName=Ignored\nSQL=select 4\n");
    const LoadedSettings loaded = LoadSettings(state_, dir_.path());
    EXPECT_EQ(loaded.queryNames, QStringList({"Kills", "Second", "Third"}));
    EXPECT_EQ(state_.QueryNames[1], "Kills");
    EXPECT_EQ(state_.QuerySQL[3], "select 3");
    EXPECT_EQ(state_.QueryNames[4], "");
    EXPECT_EQ(state_.QuerySQL[4], "");
}

TEST_F(LoadSettingsTest, QueryCountIsKeptWithinZeroToHundred) {
    QByteArray file = "[Application]\nQuery_Count=250\n";
    for (int n = 1; n <= 101; ++n) {
        file += "[Query_" + QByteArray::number(n) + "]\nName=Q" + QByteArray::number(n) + "\n";
    }
    Put(file);
    LoadedSettings loaded = LoadSettings(state_, dir_.path());
    EXPECT_EQ(state_.settings.Query_Count, 100);
    ASSERT_EQ(loaded.queryNames.size(), 100);
    EXPECT_EQ(loaded.queryNames.last(), "Q100");

    Put("[Application]\nQuery_Count=-4\n[Query_1]\nName=Q1\n");
    loaded = LoadSettings(state_, dir_.path());
    EXPECT_EQ(state_.settings.Query_Count, 0);
    EXPECT_TRUE(loaded.queryNames.isEmpty());
    EXPECT_EQ(state_.QueryNames[1], "");
}

}  // namespace
}  // namespace tw
