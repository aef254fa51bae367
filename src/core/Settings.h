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
    QString Gamertag;
    // [Application] (read right after Gamertag; nothing uses it)
    int16_t Games_Per_Page = 0;
    // [Internet]
    QString URL_Base_Domain;
    QString URL_Stats_Root;
    QString URL_Games_Root;
    QString URL_Game_Detail;
    QString URL_Image_Root;
    int32_t Direct_Port = 0;  // a TCP port, 1 to 65535; 0 when not set or unusable
    int32_t Connection_Timeout = 0;
    bool Use_Proxy = false;
    int32_t Proxy_Port = 0;  // as Direct_Port
    QString Proxy_Address;
    // [Application]
    bool Auto_Grid_Highlight = false;
    bool Download_All_Tag_List = false;
    bool Download_Only_Experience_Level = false;
    bool Scan_All_Game_Lists = false;
    int16_t Query_Export_Format = 0;
    bool TPS_Use_KApD = false;
    int16_t Query_Count = 0;

    bool operator==(const Settings&) const = default;
};

// The conversion rules of the settings file, one per field type. Numbers: the
// leading-number reading, rounded half to even, clamped to the field's range.
// Booleans: True/False in any case, or a number (0 false, else true); an
// absent or unreadable value is false.
int16_t SettingInt16(const QString& text);
int32_t SettingInt32(const QString& text);
bool SettingBool(const QString& text);

inline constexpr int32_t kLowestPort = 1;
inline constexpr int32_t kHighestPort = 65535;

// A TCP port setting (Direct_Port, Proxy_Port): the leading-number reading,
// rounded half to even. An empty value is a port not set (0). A value whose
// number lies outside 1 to 65535 (0, 70000, text) is no port: nullopt, never
// the nearest port, which would send the download to some other service.
std::optional<int32_t> SettingPort(const QString& text);
// One line naming a port setting and the value that is no port.
QString NoPortText(const QString& key, const QString& value);
// Window placement values (single precision, twips).
float SettingSingle(const QString& text);

// A number as the settings file holds it: the decimal text of a whole number,
// or of a single-precision number with up to 7 significant digits.
QString SettingText(double number);

}  // namespace tw
