#include "cli/BatchJobs.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <algorithm>

#include "cli/CliPrompter.h"
#include "cli/DownloadReporter.h"
#include "cli/InterruptWatcher.h"
#include "core/Session.h"
#include "core/SqlText.h"
#include "db/SafeFile.h"
#include "download/DownloadSession.h"
#include "query/DatabaseExport.h"
#include "query/QueryExport.h"
#include "query/QueryRunner.h"
#include "report/ReportFiles.h"
#include "report/TpsReport.h"
#include "taglist/TagList.h"

namespace tw::batch {
namespace {

void printError(BatchSession& session, const QString& text) {
    writeText(session.errors, QStringLiteral("tallywick: ") + text + QLatin1Char('\n'));
}

void printPath(BatchSession& session, const QString& path) {
    writeText(session.out, QDir::toNativeSeparators(path) + QLatin1Char('\n'));
}

// The tag-list entries the command names, in the list's own spelling; a name
// the list lacks is reported and makes the result empty.
std::optional<QStringList> chosenPlayers(const BatchCommand& command, BatchSession& session) {
    const QStringList listed = TagList(session.state).gamertags();
    if (command.all) {
        if (listed.isEmpty()) {
            printError(session, QString::fromLatin1(kEmptyTagListMessage));
            return std::nullopt;
        }
        return listed;
    }
    QStringList chosen;
    for (const QString& name : command.gamertags) {
        const auto entry = std::find_if(listed.begin(), listed.end(), [&name](const QString& tag) {
            return tag.compare(name, Qt::CaseInsensitive) == 0;  // any letter case
        });
        if (entry == listed.end()) {
            printError(session, aboutName(name, kNotInTagListMessage));
            return std::nullopt;
        }
        chosen << *entry;
    }
    return chosen;
}

// The stored spelling of a gamertag of the Player table, or empty.
QString storedGamertag(Session& state, const QString& gamertag) {
    auto rows = state.db->openRecordset(
        QStringLiteral("SELECT Player_Gamertag FROM Player WHERE Player_Gamertag = '") +
        sqlText(gamertag) + QLatin1Char('\''));
    QString stored = rows->isEof() ? QString() : rows->field(0).toText();
    rows->close();
    return stored;
}

// Saved query n for a number or a name (exact first, then any case); 0 when
// there is none.
int queryIndex(const Session& state, const QString& wanted) {
    const int count = state.settings.queryCount;
    bool isNumber = false;
    const int number = wanted.toInt(&isNumber);
    if (isNumber) {
        const bool valid = number >= 1 && number <= count &&
                           !state.queryNames[static_cast<size_t>(number)].isEmpty();
        return valid ? number : 0;
    }
    for (Qt::CaseSensitivity sensitivity : {Qt::CaseSensitive, Qt::CaseInsensitive}) {
        for (int n = 1; n <= count; ++n) {
            if (state.queryNames[static_cast<size_t>(n)].compare(wanted, sensitivity) == 0) {
                return n;
            }
        }
    }
    return 0;
}

}  // namespace

bool copyFile(const QString& from, const QString& to, QString* reason) {
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly)) {
        *reason = source.errorString();
        return false;
    }
    const QByteArray bytes = source.readAll();
    if (source.error() != QFileDevice::NoError) {
        *reason = source.errorString();
        return false;
    }
    return writeFileSafely(to, bytes, reason);
}

QString aboutName(const QString& name, const char* message) {
    return QLatin1Char('"') + name + QStringLiteral("\" ") + QLatin1String(message);
}

QString cannotWriteMessage(const QString& path, const QString& reason) {
    return aboutName(path, kCannotWriteMessage) + QLatin1Char(' ') + reason;
}

int runDownload(const BatchCommand& command, BatchSession& session) {
    Session& state = session.state;
    const std::optional<QStringList> players = chosenPlayers(command, session);
    if (!players) {
        return kExitFailed;
    }
    // The download runs here, on the batch's own thread: its fetcher's waits
    // also take the interrupt watcher's signals.
    DownloadSession download(state, session.prompter);
    DownloadReporter reporter(download, session.prompter, session.out, session.terminal);
    bool interrupted = false;
    InterruptWatcher watcher([&] {
        if (!interrupted) {
            printError(session, QString::fromLatin1(kStoppingMessage));
        }
        interrupted = true;
        download.stop();
    });
    QSet<QString> removed;
    QObject::connect(&download, &DownloadSession::playerNotFound,
                     [&removed](const QString& gamertag) { removed.insert(gamertag); });
    // One run per player, each with its own failure message, as one press of
    // Download each.
    if (players->isEmpty()) {
        download.run({state.currentGamertag});
    }
    for (const QString& gamertag : *players) {
        if (interrupted) {
            break;
        }
        if (!removed.contains(gamertag)) {  // a player removed as not found is skipped
            download.run({gamertag});
        }
    }
    const bool failed = interrupted || reporter.failureSeen() || session.prompter.errorShown();
    return failed ? kExitFailed : kExitSuccess;
}

int runReport(const BatchCommand& command, BatchSession& session) {
    Session& state = session.state;
    const QString gamertag = storedGamertag(state, command.gamertag);
    if (gamertag.isEmpty()) {
        printError(session, aboutName(command.gamertag, kNoSuchPlayerMessage));
        return kExitFailed;
    }
    // The selected player for this run only (an error record names it); the
    // settings keep theirs.
    state.currentGamertag = gamertag;
    if (!createTpsReport(state, gamertag) || session.prompter.errorShown()) {
        return kExitFailed;
    }
    const QString written = reportOutputPath(state, gamertag);
    if (command.out.isEmpty()) {
        printPath(session, written);
        return kExitSuccess;
    }
    QString reason;
    if (!copyFile(written, command.out, &reason)) {
        printError(session, cannotWriteMessage(command.out, reason));
        return kExitFailed;
    }
    printPath(session, command.out);
    return kExitSuccess;
}

int runQuery(const BatchCommand& command, BatchSession& session) {
    Session& state = session.state;
    const int index = queryIndex(state, command.query);
    if (index == 0) {
        printError(session, aboutName(command.query, kNoSuchQueryMessage));
        return kExitFailed;
    }
    if (command.format != 0) {
        state.settings.queryExportFormat = static_cast<int16_t>(command.format);  // this run only
    }
    const PlayerFilter player = command.player.value_or(PlayerFilter::All);
    const GameFilter game = command.game.value_or(GameFilter::All);
    QueryRequest request = savedQueryRequest(state, index, player, game);
    request.chartGraphQueries = false;  // a graph query's rows are exported too
    const QueryResult result = runQuery(state, request);
    reportQueryFailure(state, result);
    if (session.prompter.errorShown()) {
        return kExitFailed;
    }
    writeText(session.out,
              recordCountText(result.records, result.elapsedMilliseconds) + QLatin1Char('\n'));
    session.prompter.setSavePath(command.out);
    QueryExportRequest exported;
    exported.index = index;
    exported.savedSql = state.querySql[static_cast<size_t>(index)];
    exported.gamertag = state.currentGamertag;
    exported.rows = result.textRows();
    exported.rowsStatement = result.statement;
    // Filter options on the command line narrow the workbook too, so it holds
    // the rows just counted; the window's workbook stays unfiltered.
    if (command.player.has_value() || command.game.has_value()) {
        exported.workbookFilters = WorkbookFilters{player, game};
    }
    exportQuery(state, exported);
    if (!session.prompter.shown(QString::fromLatin1(kQueryExported)) ||
        session.prompter.errorShown()) {
        return kExitFailed;
    }
    printPath(session, command.out);
    return kExitSuccess;
}

int runExport(const BatchCommand& command, BatchSession& session) {
    Session& state = session.state;
    const char* done = nullptr;
    switch (command.exportKind) {
        case ExportKind::Xls:
            session.prompter.setSavePath(command.out);
            exportExcelClicked(state);
            done = kExcelExportDone;
            break;
        case ExportKind::Csv:
            if (!QDir().mkpath(command.out)) {
                printError(session, aboutName(command.out, kCannotCreateMessage));
                return kExitFailed;
            }
            session.prompter.setFolder(command.out);
            exportCsvClicked(state);
            done = kCsvExportDone;
            break;
        case ExportKind::Xml:
            session.prompter.setSavePath(command.out);
            exportXmlClicked(state);
            done = kXmlExportDone;
            break;
    }
    if (!session.prompter.shown(QString::fromLatin1(done)) || session.prompter.errorShown()) {
        return kExitFailed;
    }
    printPath(session, command.out);
    return kExitSuccess;
}

}  // namespace tw::batch
