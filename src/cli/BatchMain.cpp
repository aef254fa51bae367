#include "cli/BatchMain.h"

#include <unistd.h>

#include <QApplication>
#include <QStringList>
#include <cstdio>
#include <cstdlib>

#include "core/EndProgram.h"
#include "core/Paths.h"
#include "core/Session.h"
#include "gui/Wiring.h"
#include "cli/BatchCommand.h"
#include "cli/CliPrompter.h"
#include "cli/BatchJobs.h"
#include "cli/InterruptWatcher.h"
#include "gui/MainWindowLifecycle.h"
#include "gui/MainWindow.h"

namespace tw::batch {
namespace {

// Qt's own notes (the offscreen platform's, for one) are not the job's output.
void KeepQtNotesQuiet(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        WriteText(stderr, message + QLatin1Char('\n'));
    }
}

QStringList ArgumentsOf(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    return arguments;
}

// Usage problems, --help and --version are answered before anything starts.
std::optional<int> AnswerWithoutJob(const QStringList& arguments, BatchCommand& command) {
    try {
        command = ParseBatchCommand(arguments);
    } catch (const UsageError& error) {
        WriteText(stderr, QStringLiteral("tallywick: ") + QString::fromStdString(error.what()) +
                              QStringLiteral("\n\n") + UsageText(error.job()));
        return kExitUsage;
    }
    if (command.help) {
        WriteText(stdout, UsageText(command.job));
        return kExitSuccess;
    }
    if (command.version) {
        WriteText(stdout, VersionText());
        return kExitSuccess;
    }
    return std::nullopt;
}

int RunJob(const BatchCommand& command, BatchSession& session) {
    switch (command.job) {
        case Job::Download:
            return RunDownload(command, session);
        case Job::Report:
            return RunReport(command, session);
        case Job::Query:
            return RunQuery(command, session);
        case Job::Export:
            return RunExport(command, session);
        case Job::None:
            break;
    }
    return kExitUsage;
}

}  // namespace

int BatchMain(int argc, char* argv[], const WireWindow& wire) {
    BatchCommand command;
    if (const std::optional<int> answered = AnswerWithoutJob(ArgumentsOf(argc, argv), command)) {
        return *answered;
    }
    if (command.job == Job::Download) {
        BlockStopSignals();  // before Qt starts any thread
    }
    // No window is ever shown, and there may be no display at all (cron).
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(KeepQtNotesQuiet);
    int qtArgc = 1;  // the job's words are not Qt's options
    QApplication app(qtArgc, argv);
    QApplication::setApplicationName(QStringLiteral("Tallywick"));

    Session state;
    MainWindow window;
    CliPrompter prompter(stderr);
    state.prompter = &prompter;
    state.sleep = [](int) {};  // the stage display's pause is for eyes only
    // Only a missing or held database ends the program from inside a job.
    state.endProgram = [&state](int) {
        CloseDatabaseObjects(state);
        std::fflush(nullptr);
        std::_Exit(kExitDatabase);
    };
    const WiredWindow wired = wire(state, window);
    loadMainWindow(state, window, command.dir.isEmpty() ? ExecutableFolder() : command.dir);
    if (!state.Db) {
        // A database that could not be opened (its message is out already)
        // leaves nothing to work on: no job may go on as if the tag list were
        // empty.
        std::fflush(nullptr);
        return kExitDatabase;
    }

    BatchSession session{state, window, wired, prompter, stdout, stderr, isatty(STDOUT_FILENO) == 1};
    const int exitCode = RunJob(command, session);
    CloseDatabaseObjects(state);
    return exitCode;
}

}  // namespace tw::batch
