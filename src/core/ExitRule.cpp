#include "core/ExitRule.h"

#include <exception>

#include "core/EndProgram.h"
#include "core/Prompter.h"
#include "core/Session.h"
#include "core/Settings.h"
#include "core/SettingsFile.h"

namespace tw {

bool UnloadMainWindow(Session& state, const WindowPlacement& current,
                      const std::function<void()>& closeConnection) {
    if (state.DownloadInProgress) {
        state.prompter->Message(QString::fromLatin1(kExitRefusedMessage), MsgButtons::Ok,
                                MsgIcon::Exclamation, QStringLiteral("Error"));
        return false;
    }
    const QString section = QStringLiteral("Application");
    WriteIni(state, {{section, QStringLiteral("Top"), SettingText(current.Top)},
                     {section, QStringLiteral("Left"), SettingText(current.Left)},
                     {section, QStringLiteral("Height"), SettingText(current.Height)},
                     {section, QStringLiteral("Width"), SettingText(current.Width)}});
    try {
        if (closeConnection) {
            closeConnection();
        } else {
            CloseDatabaseObjects(state);
        }
    } catch (const std::exception&) {
        // errors while closing are ignored: the program ends regardless
    }
    EndProgram(state, 0);
    return true;
}

}  // namespace tw
