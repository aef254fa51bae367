// Tallywick: start-up. With a command it runs that one job without the window
// (batch/); otherwise it builds the program state, the prompter and the main
// window, wires them, runs the window's load steps and the event loop. A
// second window on the same program folder hands over to the first.

#include <QApplication>
#include <QThread>
#include <cstdio>
#include <cstdlib>

#include "cli/BatchMain.h"
#include "core/EndProgram.h"
#include "core/ProgramFolder.h"
#include "core/Session.h"
#include "gui/MainWindow.h"
#include "gui/MainWindowLifecycle.h"
#include "gui/QtPrompter.h"
#include "gui/SingleInstance.h"
#include "gui/Wiring.h"

int main(int argc, char* argv[]) {
    if (argc > 1) {
        return tw::batch::batchMain(argc, argv);
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tallywick"));

    tw::Session state;
    tw::MainWindow window;
    tw::QtPrompter prompter(&window);
    state.prompter = &prompter;

    // No folder to work in: said at once, before any window shows.
    const tw::ProgramFolder folder = tw::chooseProgramFolder();
    if (!folder.error.isEmpty()) {
        prompter.message(folder.error, tw::MsgButtons::Ok, tw::MsgIcon::Critical,
                         QStringLiteral("Tallywick"));
        return EXIT_FAILURE;
    }

    // A second window on this folder only brings the first one forward.
    tw::SingleInstance instance(folder.dir);
    if (instance.forwardToRunning()) {
        return 0;
    }
    instance.listen();

    state.sleep = [](int milliseconds) {
        QThread::msleep(static_cast<unsigned long>(milliseconds));
    };
    // Ending means at once: whatever handler asked for it must not go on. The
    // database is closed first; the settings file and the log are closed
    // within each write already.
    state.endProgram = [&state, &instance](int exitCode) {
        tw::closeDatabaseObjects(state);
        instance.close();
        std::fflush(nullptr);
        std::_Exit(exitCode);
    };

    QObject::connect(&instance, &tw::SingleInstance::activationRequested, &window,
                     [&window] { tw::SingleInstance::bringForward(window); });
    tw::wireMainWindow(state, window);
    tw::loadMainWindow(state, window, folder.dir);
    window.show();
    return QApplication::exec();
}
