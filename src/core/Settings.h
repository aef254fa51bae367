#pragma once
// The in-memory copy of the settings file, one field per key (names as the
// keys). Reading rules live in Settings.cpp: numbers by the leading-number
// rule, rounded half to even and clamped to the field's range, except the two
// ports, which are refused rather than moved; booleans from True/False (any
// case) or a number, an absent or unreadable boolean is false.

#include <QString>
#include <cstdint>
#include <optional>

namespace tw {

struct Settings {
    // [User]
    QString gamertag;
    // [Application] (read right after Gamertag; nothing uses it)
    int16_t gamesPerPage = 0;
    // [Internet]
    QString urlBaseDomain;
    QString urlStatsRoot;
    QString urlGamesRoot;
    QString urlGameDetail;
    QString urlImageRoot;
    int32_t directPort = 0;  // a TCP port, 1 to 65535; 0 when not set or unusable
    int32_t connectionTimeout = 0;
    bool useProxy = false;
    int32_t proxyPort = 0;  // as Direct_Port
    QString proxyAddress;
    // [Application]
    bool autoGridHighlight = false;
    bool downloadAllTagList = false;
    bool downloadOnlyExperienceLevel = false;
    bool scanAllGameLists = false;
    int16_t queryExportFormat = 0;
    bool tpsUseKApD = false;
    int16_t queryCount = 0;

    bool operator==(const Settings&) const = default;
};

// The conversion rules of the settings file, one per field type. Numbers: the
// leading-number reading, rounded half to even, clamped to the field's range.
// Booleans: True/False in any case, or a number (0 false, else true); an
// absent or unreadable value is false.
int16_t settingInt16(const QString& text);
int32_t settingInt32(const QString& text);
bool settingBool(const QString& text);

inline constexpr int32_t kLowestPort = 1;
inline constexpr int32_t kHighestPort = 65535;

// A TCP port setting (Direct_Port, Proxy_Port): the leading-number reading,
// rounded half to even. An empty value is a port not set (0). A value whose
// number lies outside 1 to 65535 (0, 70000, text) is no port: nullopt, never
// the nearest port, which would send the download to some other service.
std::optional<int32_t> settingPort(const QString& text);
// One line naming a port setting and the value that is no port.
QString noPortText(const QString& key, const QString& value);
// Window placement values (single precision, twips).
float settingSingle(const QString& text);

// A number as the settings file holds it: the decimal text of a whole number,
// or of a single-precision number with up to 7 significant digits.
QString settingText(double number);

}  // namespace tw
