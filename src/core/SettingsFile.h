#pragma once
// readIni / writeIni: the settings file of the program folder (iniPath).

#include <QString>
#include <vector>

#include "core/IniFile.h"

namespace tw {

struct Session;

// The value of `key` in `section`; the empty text when absent.
QString readIni(const Session& state, const QString& section, const QString& key);

// Writes one key. A failure is told to the user once (iniWriteFailedMessage)
// and the caller goes on; returns whether it worked.
bool writeIni(Session& state, const QString& section, const QString& key, const QString& value);

// Writes the keys of one operation (the options' Save, the placement at exit)
// in one replacement of the file: all or none, and a failure told once.
bool writeIni(Session& state, const std::vector<IniEntry>& entries);

inline constexpr const char* kIniWriteFailedMessage =
    "An error occurred while writing to the INI file.";

// The failure message: the line above, then "<path>: <reason>".
QString iniWriteFailedMessage(const QString& path, const QString& reason);

}  // namespace tw
