#include "core/LoadSettings.h"

#include <QDir>
#include <algorithm>

#include "core/LeftoverFiles.h"
#include "core/Paths.h"
#include "core/Prompter.h"
#include "core/Session.h"
#include "core/SettingsFile.h"

namespace tw {
namespace {

const QString kUser = QStringLiteral("User");
const QString kInternet = QStringLiteral("Internet");
const QString kApplication = QStringLiteral("Application");

WindowPlacement ReadPlacement(const Session& state) {
    WindowPlacement placement;
    placement.Top = SettingSingle(ReadIni(state, kApplication, QStringLiteral("Top")));
    placement.Left = SettingSingle(ReadIni(state, kApplication, QStringLiteral("Left")));
    placement.Height = SettingSingle(ReadIni(state, kApplication, QStringLiteral("Height")));
    placement.Width = SettingSingle(ReadIni(state, kApplication, QStringLiteral("Width")));
    return placement;
}

QStringList ReadSavedQueries(Session& state) {
    state.QueryNames.fill(QString());
    state.QuerySQL.fill(QString());
    QStringList names;
    for (int n = 1; n <= state.settings.Query_Count; ++n) {
        const QString section = QStringLiteral("Query_") + QString::number(n);
        state.QueryNames[n] = ReadIni(state, section, QStringLiteral("Name"));
        state.QuerySQL[n] = ReadIni(state, section, QStringLiteral("SQL"));
        names << state.QueryNames[n];
    }
    return names;
}

}  // namespace

QString UnusableSettingsMessage(const QString& iniPath, const QStringList& lines) {
    return QStringLiteral("Settings in \"") + QDir::toNativeSeparators(iniPath) +
           QStringLiteral("\" that cannot be used:\r\n") + lines.join(QStringLiteral("\r\n")) +
           QStringLiteral(
               "\r\nA download that needs them cannot connect until they are corrected.");
}

QStringList ReadAllSettings(Session& state) {
    Settings& s = state.settings;
    QStringList unusable;
    auto read = [&state](const QString& section, const char* key) {
        return ReadIni(state, section, QString::fromLatin1(key));
    };
    auto port = [&read, &unusable](const char* key) {
        const QString text = read(kInternet, key);
        const std::optional<int32_t> value = SettingPort(text);
        if (!value) {
            unusable << NoPortText(QString::fromLatin1(key), text);
        }
        return value.value_or(0);
    };
    s.Gamertag = read(kUser, "Gamertag");
    state.CurrentGamertag = s.Gamertag;
    s.Games_Per_Page = SettingInt16(read(kApplication, "Games_Per_Page"));
    s.URL_Base_Domain = read(kInternet, "URL_Base_Domain");
    s.URL_Stats_Root = read(kInternet, "URL_Stats_Root");
    s.URL_Games_Root = read(kInternet, "URL_Games_Root");
    s.URL_Game_Detail = read(kInternet, "URL_Game_Detail");
    s.URL_Image_Root = read(kInternet, "URL_Image_Root");
    s.Direct_Port = port("Direct_Port");
    s.Connection_Timeout = SettingInt32(read(kInternet, "Connection_Timeout"));
    s.Use_Proxy = SettingBool(read(kInternet, "Use_Proxy"));
    s.Proxy_Port = port("Proxy_Port");
    s.Proxy_Address = read(kInternet, "Proxy_Address");
    s.Auto_Grid_Highlight = SettingBool(read(kApplication, "Auto_Grid_Highlight"));
    s.Download_All_Tag_List = SettingBool(read(kApplication, "Download_All_Tag_List"));
    s.Download_Only_Experience_Level =
        SettingBool(read(kApplication, "Download_Only_Experience_Level"));
    s.Scan_All_Game_Lists = SettingBool(read(kApplication, "Scan_All_Game_Lists"));
    s.Query_Export_Format = SettingInt16(read(kApplication, "Query_Export_Format"));
    s.TPS_Use_KApD = SettingBool(read(kApplication, "TPS_Use_KApD"));
    // The query arrays hold 100 entries; a count outside 0..100 would run past
    // them or mean nothing.
    s.Query_Count =
        std::clamp<int16_t>(SettingInt16(read(kApplication, "Query_Count")), 0, kMaxSavedQueries);
    return unusable;
}

LoadedSettings LoadSettings(Session& state, const QString& programDir) {
    BuildPaths(state, programDir);
    removeLeftoverTemporaries(state);
    const QStringList unusable = ReadAllSettings(state);
    if (!unusable.isEmpty() && state.prompter) {
        state.prompter->Message(UnusableSettingsMessage(state.IniPath, unusable), MsgButtons::Ok,
                                MsgIcon::Exclamation, QStringLiteral("Error"));
    }
    LoadedSettings loaded;
    loaded.placement = ReadPlacement(state);
    loaded.queryNames = ReadSavedQueries(state);
    return loaded;
}

}  // namespace tw
