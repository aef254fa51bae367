#include "core/SettingsFile.h"

#include <QDir>

#include "core/Prompter.h"
#include "core/Session.h"

namespace tw {

QString ReadIni(const Session& state, const QString& section, const QString& key) {
    return IniFile(state.IniPath).Read(section, key);
}

QString IniWriteFailedMessage(const QString& path, const QString& reason) {
    return QString::fromLatin1(kIniWriteFailedMessage) + QStringLiteral("\r\n") +
           QDir::toNativeSeparators(path) + QStringLiteral(": ") + reason;
}

bool WriteIni(Session& state, const QString& section, const QString& key, const QString& value) {
    return WriteIni(state, {{section, key, value}});
}

bool WriteIni(Session& state, const std::vector<IniEntry>& entries) {
    QString reason;
    if (IniFile(state.IniPath).Write(entries, &reason)) {
        return true;
    }
    if (state.prompter) {
        state.prompter->Message(IniWriteFailedMessage(state.IniPath, reason), MsgButtons::Ok,
                                MsgIcon::Critical, QStringLiteral("Error"));
    }
    return false;
}

}  // namespace tw
