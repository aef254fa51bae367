#pragma once
// What a batch download prints: a line for each player, one line for each
// stage the progress display finishes (its own captions: "Connection
// established", "New games found (7)", "No connection", ...), and the games
// read: a live bar on a terminal, one line per ten percent otherwise. It
// listens to the download session the window runs as well.

#include <QObject>
#include <cstdio>

#include "download/DownloadSession.h"

namespace tw::batch {

class CliPrompter;

class DownloadReporter : public QObject {
  public:
    DownloadReporter(DownloadSession& session, CliPrompter& prompter, std::FILE* out,
                     bool terminal);

    // A stage failed ("No connection", "Gamertag not found", ...).
    bool failureSeen() const { return failureSeen_; }

  private:
    void playerStarted(const QString& gamertag);
    void stageChanged(int row, DownloadSession::StageChange change, const QString& caption);
    void stageEnded(const QString& caption, bool failure);
    void progressShown(int done, int count, qint64 elapsedMs);
    void printLine(const QString& line);

    CliPrompter& prompter_;
    std::FILE* out_;
    bool terminal_;
    bool failureSeen_ = false;
    bool barOpen_ = false;  // a bar line is on the terminal without its line end
    int lastTenth_ = 0;
};

// The live bar's line: "  [#####---------------]  3 of 7   43%   00:00:02".
QString progressBarLine(int done, int count, qint64 elapsedMs);
// The line printed at each ten percent: "  Games read: 3 of 7 (43%)   00:00:02".
QString progressLine(int done, int count, qint64 elapsedMs);

}  // namespace tw::batch
