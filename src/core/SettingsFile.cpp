#include "core/SettingsFile.h"

#include <QDir>

#include "core/Prompter.h"
#include "core/Session.h"

namespace tw {

QString readIni(const Session& state, const QString& section, const QString& key) {
    return IniFile(state.iniPath).read(section, key);
}

QString iniWriteFailedMessage(const QString& path, const QString& reason) {
    return QString::fromLatin1(kIniWriteFailedMessage) + QStringLiteral("\r\n") +
           QDir::toNativeSeparators(path) + QStringLiteral(": ") + reason;
}

bool writeIni(Session& state, const QString& section, const QString& key, const QString& value) {
    return writeIni(state, {{section, key, value}});
}

bool writeIni(Session& state, const std::vector<IniEntry>& entries) {
    QString reason;
    if (IniFile(state.iniPath).write(entries, &reason)) {
        return true;
    }
    if (state.prompter) {
        state.prompter->message(iniWriteFailedMessage(state.iniPath, reason), MsgButtons::Ok,
                                MsgIcon::Critical, QStringLiteral("Error"));
    }
    return false;
}

}  // namespace tw
