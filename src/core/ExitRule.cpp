#include "core/ExitRule.h"

#include <exception>

#include "core/EndProgram.h"
#include "core/Prompter.h"
#include "core/Session.h"
#include "core/Settings.h"
#include "core/SettingsFile.h"

namespace tw {

bool unloadMainWindow(Session& state, const WindowPlacement& current,
                      const std::function<void()>& closeConnection,
                      const std::optional<WindowView>& view) {
    if (state.downloadInProgress) {
        state.prompter->message(QString::fromLatin1(kExitRefusedMessage), MsgButtons::Ok,
                                MsgIcon::Exclamation, QStringLiteral("Error"));
        return false;
    }
    const QString section = QStringLiteral("Application");
    std::vector<IniEntry> entries{{section, QStringLiteral("Top"), settingText(current.top)},
                                  {section, QStringLiteral("Left"), settingText(current.left)},
                                  {section, QStringLiteral("Height"), settingText(current.height)},
                                  {section, QStringLiteral("Width"), settingText(current.width)}};
    if (view) {
        const auto number = [](int value) { return QString::number(value); };
        entries.push_back(
            {section, QStringLiteral("Window_Maximized"), number(view->maximized ? 1 : 0)});
        entries.push_back({section, QStringLiteral("Selected_Query"), view->selectedQuery});
        entries.push_back({section, QStringLiteral("Player_Filter"), number(view->playerFilter)});
        entries.push_back({section, QStringLiteral("Game_Filter"), number(view->gameFilter)});
    }
    writeIni(state, entries);
    try {
        if (closeConnection) {
            closeConnection();
        } else {
            closeDatabaseObjects(state);
        }
    } catch (const std::exception&) {
        // errors while closing are ignored: the program ends regardless
    }
    endProgram(state, 0);
    return true;
}

}  // namespace tw
