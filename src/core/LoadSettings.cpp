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

WindowPlacement readPlacement(const Session& state) {
    WindowPlacement placement;
    placement.top = settingSingle(readIni(state, kApplication, QStringLiteral("Top")));
    placement.left = settingSingle(readIni(state, kApplication, QStringLiteral("Left")));
    placement.height = settingSingle(readIni(state, kApplication, QStringLiteral("Height")));
    placement.width = settingSingle(readIni(state, kApplication, QStringLiteral("Width")));
    return placement;
}

// A filter option number 1 to 3; anything else is the first option.
int filterOption(const QString& text) {
    bool ok = false;
    const int option = text.trimmed().toInt(&ok);
    return ok && option >= 1 && option <= WindowView::kFilterOptions ? option : 1;
}

QStringList readSavedQueries(Session& state) {
    state.queryNames.fill(QString());
    state.querySql.fill(QString());
    QStringList names;
    for (int n = 1; n <= state.settings.queryCount; ++n) {
        const QString section = QStringLiteral("Query_") + QString::number(n);
        state.queryNames[n] = readIni(state, section, QStringLiteral("Name"));
        state.querySql[n] = readIni(state, section, QStringLiteral("SQL"));
        names << state.queryNames[n];
    }
    return names;
}

}  // namespace

WindowView readWindowView(const Session& state) {
    auto read = [&state](const char* key) {
        return readIni(state, kApplication, QString::fromLatin1(key));
    };
    WindowView view;
    view.maximized = settingBool(read("Window_Maximized"));
    view.selectedQuery = read("Selected_Query");
    view.playerFilter = filterOption(read("Player_Filter"));
    view.gameFilter = filterOption(read("Game_Filter"));
    return view;
}

QString unusableSettingsMessage(const QString& iniPath, const QStringList& lines) {
    return QStringLiteral("Settings in \"") + QDir::toNativeSeparators(iniPath) +
           QStringLiteral("\" that cannot be used:\r\n") + lines.join(QStringLiteral("\r\n")) +
           QStringLiteral(
               "\r\nA download that needs them cannot connect until they are corrected.");
}

QStringList readAllSettings(Session& state) {
    Settings& s = state.settings;
    QStringList unusable;
    auto read = [&state](const QString& section, const char* key) {
        return readIni(state, section, QString::fromLatin1(key));
    };
    auto port = [&read, &unusable](const char* key) {
        const QString text = read(kInternet, key);
        const std::optional<int32_t> value = settingPort(text);
        if (!value) {
            unusable << noPortText(QString::fromLatin1(key), text);
        }
        return value.value_or(0);
    };
    s.gamertag = read(kUser, "Gamertag");
    state.currentGamertag = s.gamertag;
    s.gamesPerPage = settingInt16(read(kApplication, "Games_Per_Page"));
    s.urlBaseDomain = read(kInternet, "URL_Base_Domain");
    s.urlStatsRoot = read(kInternet, "URL_Stats_Root");
    s.urlGamesRoot = read(kInternet, "URL_Games_Root");
    s.urlGameDetail = read(kInternet, "URL_Game_Detail");
    s.urlImageRoot = read(kInternet, "URL_Image_Root");
    s.directPort = port("Direct_Port");
    s.connectionTimeout = settingInt32(read(kInternet, "Connection_Timeout"));
    s.useProxy = settingBool(read(kInternet, "Use_Proxy"));
    s.proxyPort = port("Proxy_Port");
    s.proxyAddress = read(kInternet, "Proxy_Address");
    s.autoGridHighlight = settingBool(read(kApplication, "Auto_Grid_Highlight"));
    s.downloadAllTagList = settingBool(read(kApplication, "Download_All_Tag_List"));
    s.downloadOnlyExperienceLevel =
        settingBool(read(kApplication, "Download_Only_Experience_Level"));
    s.scanAllGameLists = settingBool(read(kApplication, "Scan_All_Game_Lists"));
    s.queryExportFormat = settingInt16(read(kApplication, "Query_Export_Format"));
    s.tpsUseKApD = settingBool(read(kApplication, "TPS_Use_KApD"));
    // The query arrays hold 100 entries; a count outside 0..100 would run past
    // them or mean nothing.
    s.queryCount =
        std::clamp<int16_t>(settingInt16(read(kApplication, "Query_Count")), 0, kMaxSavedQueries);
    return unusable;
}

LoadedSettings loadSettings(Session& state, const QString& programDir) {
    buildPaths(state, programDir);
    removeLeftoverTemporaries(state);
    const QStringList unusable = readAllSettings(state);
    if (!unusable.isEmpty() && state.prompter) {
        state.prompter->message(unusableSettingsMessage(state.iniPath, unusable), MsgButtons::Ok,
                                MsgIcon::Exclamation, QStringLiteral("Error"));
    }
    LoadedSettings loaded;
    loaded.placement = readPlacement(state);
    loaded.view = readWindowView(state);
    loaded.queryNames = readSavedQueries(state);
    return loaded;
}

}  // namespace tw
