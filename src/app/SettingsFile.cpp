#include "app/SettingsFile.h"

#include "app/Dialogs.h"
#include "app/IniFile.h"
#include "app/ProgramState.h"

namespace tw {

QString ReadIni(const ProgramState& state, const QString& section, const QString& key) {
    return IniFile(state.IniPath).Read(section, key);
}

bool WriteIni(ProgramState& state, const QString& section, const QString& key,
              const QString& value) {
    if (IniFile(state.IniPath).Write(section, key, value)) {
        return true;
    }
    if (state.dialogs) {
        state.dialogs->Message(QString::fromLatin1(kIniWriteFailedMessage), MsgButtons::Ok,
                               MsgIcon::Critical, QStringLiteral("Error"));
    }
    return false;
}

}  // namespace tw
