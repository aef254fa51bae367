#include "core/SettingsFile.h"

#include <QDir>

#include "core/Dialogs.h"
#include "core/ProgramState.h"

namespace tw {

QString ReadIni(const ProgramState& state, const QString& section, const QString& key) {
    return IniFile(state.IniPath).Read(section, key);
}

QString IniWriteFailedMessage(const QString& path, const QString& reason) {
    return QString::fromLatin1(kIniWriteFailedMessage) + QStringLiteral("\r\n") +
           QDir::toNativeSeparators(path) + QStringLiteral(": ") + reason;
}

bool WriteIni(ProgramState& state, const QString& section, const QString& key,
              const QString& value) {
    return WriteIni(state, {{section, key, value}});
}

bool WriteIni(ProgramState& state, const std::vector<IniEntry>& entries) {
    QString reason;
    if (IniFile(state.IniPath).Write(entries, &reason)) {
        return true;
    }
    if (state.dialogs) {
        state.dialogs->Message(IniWriteFailedMessage(state.IniPath, reason), MsgButtons::Ok,
                               MsgIcon::Critical, QStringLiteral("Error"));
    }
    return false;
}

}  // namespace tw
