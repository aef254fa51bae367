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

void PrintError(BatchSession& session, const QString& text) {
    WriteText(session.errors, QStringLiteral("tallywick: ") + text + QLatin1Char('\n'));
}

void PrintPath(BatchSession& session, const QString& path) {
    WriteText(session.out, QDir::toNativeSeparators(path) + QLatin1Char('\n'));
}

// The tag-list entries the command names, in the list's own spelling; a name
// the list lacks is reported and makes the result empty.
std::optional<QStringList> ChosenPlayers(const BatchCommand& command, BatchSession& session) {
    const QStringList listed = TagList(session.state).gamertags();
    if (command.all) {
        if (listed.isEmpty()) {
            PrintError(session, QString::fromLatin1(kEmptyTagListMessage));
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
            PrintError(session, AboutName(name, kNotInTagListMessage));
            return std::nullopt;
        }
        chosen << *entry;
    }
    return chosen;
}

// The stored spelling of a gamertag of the Player table, or empty.
QString StoredGamertag(Session& state, const QString& gamertag) {
    auto rows = state.Db->OpenRecordset(
        QStringLiteral("SELECT Player_Gamertag FROM Player WHERE Player_Gamertag = '") +
        SqlText(gamertag) + QLatin1Char('\''));
    const QString stored = rows->IsEOF() ? QString() : rows->Field(0).toText();
    rows->Close();
    return stored;
}

// Saved query n for a number or a name (exact first, then any case); 0 when
// there is none.
int queryIndex(const Session& state, const QString& wanted) {
    const int count = state.settings.Query_Count;
    bool isNumber = false;
    const int number = wanted.toInt(&isNumber);
    if (isNumber) {
        const bool valid = number >= 1 && number <= count &&
                           !state.QueryNames[static_cast<size_t>(number)].isEmpty();
        return valid ? number : 0;
    }
    for (Qt::CaseSensitivity sensitivity : {Qt::CaseSensitive, Qt::CaseInsensitive}) {
        for (int n = 1; n <= count; ++n) {
            if (state.QueryNames[static_cast<size_t>(n)].compare(wanted, sensitivity) == 0) {
                return n;
            }
        }
    }
    return 0;
}

}  // namespace

bool CopyFile(const QString& from, const QString& to, QString* reason) {
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

QString AboutName(const QString& name, const char* message) {
    return QLatin1Char('"') + name + QStringLiteral("\" ") + QLatin1String(message);
}

QString CannotWriteMessage(const QString& path, const QString& reason) {
    return AboutName(path, kCannotWriteMessage) + QLatin1Char(' ') + reason;
}

int RunDownload(const BatchCommand& command, BatchSession& session) {
    Session& state = session.state;
    const std::optional<QStringList> players = ChosenPlayers(command, session);
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
            PrintError(session, QString::fromLatin1(kStoppingMessage));
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
        download.run({state.CurrentGamertag});
    }
    for (const QString& gamertag : *players) {
        if (interrupted) {
            break;
        }
        if (!removed.contains(gamertag)) {  // a player removed as not found is skipped
            download.run({gamertag});
        }
    }
    const bool failed = interrupted || reporter.failureSeen() || session.prompter.ErrorShown();
    return failed ? kExitFailed : kExitSuccess;
}

int RunReport(const BatchCommand& command, BatchSession& session) {
    Session& state = session.state;
    const QString gamertag = StoredGamertag(state, command.gamertag);
    if (gamertag.isEmpty()) {
        PrintError(session, AboutName(command.gamertag, kNoSuchPlayerMessage));
        return kExitFailed;
    }
    // The selected player for this run only (an error record names it); the
    // settings keep theirs.
    state.CurrentGamertag = gamertag;
    if (!CreateTpsReport(state, gamertag) || session.prompter.ErrorShown()) {
        return kExitFailed;
    }
    const QString written = ReportOutputPath(state, gamertag);
    if (command.out.isEmpty()) {
        PrintPath(session, written);
        return kExitSuccess;
    }
    QString reason;
    if (!CopyFile(written, command.out, &reason)) {
        PrintError(session, CannotWriteMessage(command.out, reason));
        return kExitFailed;
    }
    PrintPath(session, command.out);
    return kExitSuccess;
}

int RunQuery(const BatchCommand& command, BatchSession& session) {
    Session& state = session.state;
    const int index = queryIndex(state, command.query);
    if (index == 0) {
        PrintError(session, AboutName(command.query, kNoSuchQueryMessage));
        return kExitFailed;
    }
    if (command.format != 0) {
        state.settings.Query_Export_Format = command.format;  // this run only
    }
    const PlayerFilter player = command.player.value_or(PlayerFilter::All);
    const GameFilter game = command.game.value_or(GameFilter::All);
    QueryRequest request = savedQueryRequest(state, index, player, game);
    request.chartGraphQueries = false;  // a graph query's rows are exported too
    const QueryResult result = runQuery(state, request);
    reportQueryFailure(state, result);
    if (session.prompter.ErrorShown()) {
        return kExitFailed;
    }
    WriteText(session.out,
              recordCountText(result.records, result.elapsedMilliseconds) + QLatin1Char('\n'));
    session.prompter.SetSavePath(command.out);
    QueryExportRequest exported;
    exported.index = index;
    exported.savedSql = state.QuerySQL[static_cast<size_t>(index)];
    exported.gamertag = state.CurrentGamertag;
    exported.rows = result.textRows();
    exported.rowsStatement = result.statement;
    // Filter options on the command line narrow the workbook too, so it holds
    // the rows just counted; the window's workbook stays unfiltered.
    if (command.player.has_value() || command.game.has_value()) {
        exported.workbookFilters = WorkbookFilters{player, game};
    }
    exportQuery(state, exported);
    if (!session.prompter.Shown(QString::fromLatin1(kQueryExported)) ||
        session.prompter.ErrorShown()) {
        return kExitFailed;
    }
    PrintPath(session, command.out);
    return kExitSuccess;
}

int RunExport(const BatchCommand& command, BatchSession& session) {
    Session& state = session.state;
    const char* done = nullptr;
    switch (command.exportKind) {
        case ExportKind::Xls:
            session.prompter.SetSavePath(command.out);
            exportExcelClicked(state);
            done = kExcelExportDone;
            break;
        case ExportKind::Csv:
            if (!QDir().mkpath(command.out)) {
                PrintError(session, AboutName(command.out, kCannotCreateMessage));
                return kExitFailed;
            }
            session.prompter.SetFolder(command.out);
            exportCsvClicked(state);
            done = kCsvExportDone;
            break;
        case ExportKind::Xml:
            session.prompter.SetSavePath(command.out);
            exportXmlClicked(state);
            done = kXmlExportDone;
            break;
    }
    if (!session.prompter.Shown(QString::fromLatin1(done)) || session.prompter.ErrorShown()) {
        return kExitFailed;
    }
    PrintPath(session, command.out);
    return kExitSuccess;
}

}  // namespace tw::batch
