#pragma once
// ReadIni / WriteIni: the settings file of the program folder (IniPath).

#include <QString>

namespace tw {

struct ProgramState;

// The value of `key` in `section`; the empty text when absent.
QString ReadIni(const ProgramState& state, const QString& section, const QString& key);

// Writes one key. A failure is told to the user once ("An error occurred while
// writing to the INI file.") and the caller goes on; returns whether it worked.
bool WriteIni(ProgramState& state, const QString& section, const QString& key,
              const QString& value);

inline constexpr const char* kIniWriteFailedMessage =
    "An error occurred while writing to the INI file.";

}  // namespace tw
