#include "cli/BatchJobs.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QRadioButton>
#include <algorithm>

#include "core/Session.h"
#include "core/SqlText.h"
#include "gui/Wiring.h"
#include "cli/CliPrompter.h"
#include "cli/DownloadReporter.h"
#include "cli/InterruptWatcher.h"
#include "db/SafeFile.h"
#include "download/Downloader.h"
#include "query/DatabaseExport.h"
#include "query/QueryExport.h"
#include "query/QueryRunner.h"
#include "report/ReportFiles.h"
#include "report/TpsReport.h"
#include "taglist/TagList.h"
#include "gui/MainWindow.h"

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

void Select(QComboBox& list, const QString& text) {
    const int index = list.findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0 && index != list.currentIndex()) {
        list.setCurrentIndex(index);
    }
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

// Item n of queryList for a number or a name (exact first, then any case);
// 0 when there is none.
int QueryIndex(const Session& state, const QComboBox& queries, const QString& wanted) {
    bool isNumber = false;
    const int number = wanted.toInt(&isNumber);
    if (isNumber) {
        const bool valid = number >= 1 && number < queries.count() &&
                           !state.QueryNames[static_cast<size_t>(number)].isEmpty();
        return valid ? number : 0;
    }
    for (Qt::CaseSensitivity sensitivity : {Qt::CaseSensitive, Qt::CaseInsensitive}) {
        for (int n = 1; n < queries.count(); ++n) {
            if (state.QueryNames[static_cast<size_t>(n)].compare(wanted, sensitivity) == 0) {
                return n;
            }
        }
    }
    return 0;
}

void ApplyFilters(const BatchCommand& command, MainWindow& window) {
    if (command.player) {
        window.playerFilterOptions[static_cast<int>(*command.player) + 1]->setChecked(true);
    }
    if (command.game) {
        window.gameFilterOptions[static_cast<int>(*command.game) + 1]->setChecked(true);
    }
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
    QComboBox& tagList = *session.window.tagListBox;
    const std::optional<QStringList> players = ChosenPlayers(command, session);
    if (!players) {
        return kExitFailed;
    }
    DownloadReporter reporter(state, session.window, *session.wired.downloader, session.prompter,
                              session.out, session.terminal);
    bool interrupted = false;
    InterruptWatcher watcher([&] {
        if (!interrupted) {
            PrintError(session, QString::fromLatin1(kStoppingMessage));
        }
        interrupted = true;
        session.wired.downloader->stopClicked();
    });
    // One player per press of Download; the settings' "whole tag list" choice
    // is the command line's to make.
    state.settings.Download_All_Tag_List = false;
    const QString selected = tagList.currentText();
    if (players->isEmpty()) {
        session.wired.downloader->downloadClicked();
    }
    for (const QString& gamertag : *players) {
        if (interrupted) {
            break;
        }
        Select(tagList, gamertag);  // a player removed as not found is skipped
        if (tagList.currentText() == gamertag) {
            session.wired.downloader->downloadClicked();
        }
    }
    // The window's selection stays what the user left it.
    Select(tagList, selected);
    const bool failed = interrupted || reporter.FailureSeen() || session.prompter.ErrorShown();
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
    MainWindow& window = session.window;
    const int index = QueryIndex(state, *window.queryList, command.query);
    if (index == 0) {
        PrintError(session, AboutName(command.query, kNoSuchQueryMessage));
        return kExitFailed;
    }
    window.queryList->setCurrentIndex(index);
    ApplyFilters(command, window);
    if (command.format != 0) {
        state.settings.Query_Export_Format = command.format;  // this run only
    }
    session.wired.queryPanel->ChartGraphQueries = false;
    runQueryClicked(state, window, *session.wired.queryPanel);
    if (session.prompter.ErrorShown()) {
        return kExitFailed;
    }
    WriteText(session.out, window.recordCount->text() + QLatin1Char('\n'));
    session.prompter.SetSavePath(command.out);
    // Filter options on the command line narrow the workbook too, so it holds
    // the rows just counted; the window's workbook stays unfiltered.
    const bool filtered = command.player.has_value() || command.game.has_value();
    exportClicked(state, window, filtered ? WorkbookRows::Filtered : WorkbookRows::Saved);
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
