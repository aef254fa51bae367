#include "cli/BatchMain.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>
#include <cstdlib>

#include "cli/BatchCommand.h"
#include "cli/BatchJobs.h"
#include "cli/CliPrompter.h"
#include "cli/InterruptWatcher.h"
#include "core/EndProgram.h"
#include "core/LoadSettings.h"
#include "core/Paths.h"
#include "core/Session.h"
#include "taglist/PlayerSummary.h"

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

int BatchMain(int argc, char* argv[]) {
    BatchCommand command;
    if (const std::optional<int> answered = AnswerWithoutJob(ArgumentsOf(argc, argv), command)) {
        return *answered;
    }
    if (command.job == Job::Download) {
        BlockStopSignals();  // before Qt starts any thread
    }
    qInstallMessageHandler(KeepQtNotesQuiet);
    // No window and no display: a core application loads no platform plugin,
    // so a job runs from cron or over ssh alike.
    int qtArgc = 1;  // the job's words are not Qt's options
    QCoreApplication app(qtArgc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Tallywick"));

    Session state;
    CliPrompter prompter(stderr);
    state.prompter = &prompter;
    state.sleep = [](int) {};  // the stage display's pause is for eyes only
    // Only a missing or held database ends the program from inside a job.
    state.endProgram = [&state](int) {
        CloseDatabaseObjects(state);
        std::fflush(nullptr);
        std::_Exit(kExitDatabase);
    };
    // The start-up the window makes: the settings, then the database opened
    // and the current player settled as the summary refresh does it.
    LoadSettings(state, command.dir.isEmpty() ? ExecutableFolder() : command.dir);
    PlayerSummary summary;
    ReadPlayerSummary(state, summary);
    if (!state.Db) {
        // A database that could not be opened (its message is out already)
        // leaves nothing to work on: no job may go on as if the tag list were
        // empty.
        std::fflush(nullptr);
        return kExitDatabase;
    }

    BatchSession session{state, prompter, stdout, stderr, isatty(STDOUT_FILENO) == 1};
    const int exitCode = RunJob(command, session);
    CloseDatabaseObjects(state);
    return exitCode;
}

}  // namespace tw::batch
