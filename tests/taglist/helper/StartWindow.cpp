// Runs the main window's load steps over a program folder in a process of its
// own, so that a test can run them as a user who may not write the folder
// (the test itself may run as root, who writes anywhere). Every message is
// answered OK and printed on a line of its own as
//     message <TAB> title <TAB> icon <TAB> text, its CR LF written as "\n"
// and then "ended <exit code>" when the program asked to end, or "open" when
// the window was left to the user.

#include <QApplication>
#include <cstdio>

#include "core/Session.h"
#include "gui/MainWindow.h"
#include "gui/MainWindowLifecycle.h"
#include "gui/TagListPanel.h"
#include "support/ScriptedPrompter.h"

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s PROGRAM_FOLDER\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication app(qtArgc, argv);

    tw::Session state;
    tw::ScriptedPrompter prompter;
    prompter.acknowledgeOkMessages(true);
    state.prompter = &prompter;
    state.sleep = [](int) {};
    tw::MainWindow window;
    tw::connectTagList(state, window, {});
    tw::installExitRule(state, window);
    tw::loadMainWindow(state, window, folder);

    for (const tw::DialogCall& call : prompter.calls()) {
        QString text = call.text;
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\\n"));
        std::printf("message\t%s\t%d\t%s\n", call.title.toUtf8().constData(),
                    static_cast<int>(call.icon), text.toUtf8().constData());
    }
    if (state.endRequested) {
        std::printf("ended %d\n", state.exitCode);
    } else {
        std::printf("open\n");
    }
    return 0;
}
