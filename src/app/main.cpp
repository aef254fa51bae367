// Tallywick: start-up. With a command it runs that one job without the window
// (batch/); otherwise it builds the program state, the dialogs and the main
// window, wires them, runs the window's load steps and the event loop.

#include <QApplication>
#include <QThread>
#include <cstdio>
#include <cstdlib>

#include "app/EndProgram.h"
#include "app/Paths.h"
#include "app/ProgramState.h"
#include "app/Wiring.h"
#include "batch/BatchMain.h"
#include "taglist/MainWindowLifecycle.h"
#include "ui/QtDialogs.h"
#include "ui/frmMain.h"

int main(int argc, char* argv[]) {
    if (argc > 1) {
        return tw::batch::BatchMain(argc, argv, &tw::WireMainWindow);
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tallywick"));

    tw::ProgramState state;
    tw::frmMain window;
    tw::QtDialogs dialogs(&window);
    state.dialogs = &dialogs;
    state.sleep = [](int milliseconds) {
        QThread::msleep(static_cast<unsigned long>(milliseconds));
    };
    // Ending means at once: whatever handler asked for it must not go on. The
    // database is closed first; the settings file and the log are closed
    // within each write already.
    state.endProgram = [&state](int exitCode) {
        tw::CloseDatabaseObjects(state);
        std::fflush(nullptr);
        std::_Exit(exitCode);
    };

    tw::WireMainWindow(state, window);
    tw::Form_Load(state, window, tw::ExecutableFolder());
    window.show();
    return QApplication::exec();
}
