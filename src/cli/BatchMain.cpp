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
#include "core/ProgramFolder.h"
#include "core/Session.h"
#include "taglist/PlayerSummary.h"

namespace tw::batch {
namespace {

// Qt's own notes (the offscreen platform's, for one) are not the job's output.
void keepQtNotesQuiet(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        writeText(stderr, message + QLatin1Char('\n'));
    }
}

QStringList argumentsOf(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    return arguments;
}

// Usage problems, --help and --version are answered before anything starts.
std::optional<int> answerWithoutJob(const QStringList& arguments, BatchCommand& command) {
    try {
        command = parseBatchCommand(arguments);
    } catch (const UsageError& error) {
        writeText(stderr, QStringLiteral("tallywick: ") + QString::fromStdString(error.what()) +
                              QStringLiteral("\n\n") + usageText(error.job()));
        return kExitUsage;
    }
    if (command.help) {
        writeText(stdout, usageText(command.job));
        return kExitSuccess;
    }
    if (command.version) {
        writeText(stdout, versionText());
        return kExitSuccess;
    }
    return std::nullopt;
}

int runJob(const BatchCommand& command, BatchSession& session) {
    switch (command.job) {
        case Job::Download:
            return runDownload(command, session);
        case Job::Report:
            return runReport(command, session);
        case Job::Query:
            return runQuery(command, session);
        case Job::Export:
            return runExport(command, session);
        case Job::None:
            break;
    }
    return kExitUsage;
}

}  // namespace

int batchMain(int argc, char* argv[]) {
    BatchCommand command;
    if (const std::optional<int> answered = answerWithoutJob(argumentsOf(argc, argv), command)) {
        return *answered;
    }
    if (command.job == Job::Download) {
        blockStopSignals();  // before Qt starts any thread
    }
    qInstallMessageHandler(keepQtNotesQuiet);
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
        closeDatabaseObjects(state);
        std::fflush(nullptr);
        std::_Exit(kExitDatabase);
    };
    // The start-up the window makes: the settings, then the database opened
    // and the current player settled as the summary refresh does it.
    const ProgramFolder folder = chooseProgramFolder(command.dir);
    if (!folder.error.isEmpty()) {
        writeText(stderr, QStringLiteral("tallywick: ") + folder.error + QLatin1Char('\n'));
        return kExitFailed;
    }
    loadSettings(state, folder.dir);
    PlayerSummary summary;
    readPlayerSummary(state, summary);
    if (!state.db) {
        // A database that could not be opened (its message is out already)
        // leaves nothing to work on: no job may go on as if the tag list were
        // empty.
        std::fflush(nullptr);
        return kExitDatabase;
    }

    BatchSession session{state, prompter, stdout, stderr, isatty(STDOUT_FILENO) == 1};
    const int exitCode = runJob(command, session);
    closeDatabaseObjects(state);
    return exitCode;
}

}  // namespace tw::batch
