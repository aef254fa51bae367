#pragma once
// What a batch download prints: a line for each player, one line for each
// stage the progress display finishes (its own captions: "Connection
// established", "New games found (7)", "No connection", ...), and the games
// read: a live bar on a terminal, one line per ten percent otherwise. It
// watches the window the download drives, so the download itself is the one
// the window runs.

#include <QObject>
#include <cstdio>

namespace tw {
struct Session;
class MainWindow;
class Downloader;
}  // namespace tw

namespace tw::batch {

class CliPrompter;

class DownloadReporter : public QObject {
  public:
    DownloadReporter(Session& state, MainWindow& window, Downloader& downloader,
                     CliPrompter& prompter, std::FILE* out, bool terminal);

    // A stage failed ("No connection", "Gamertag not found", ...).
    bool FailureSeen() const { return failureSeen_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void WatchStageLabels();
    void StageShown(QObject* label);
    void ProgressShown(int done, int count, qint64 elapsedMs);
    void PrintLine(const QString& line);

    Session& state_;
    MainWindow& window_;
    CliPrompter& prompter_;
    std::FILE* out_;
    bool terminal_;
    bool failureSeen_ = false;
    bool barOpen_ = false;  // a bar line is on the terminal without its line end
    int lastTenth_ = 0;
};

// The live bar's line: "  [#####---------------]  3 of 7   43%   00:00:02".
QString ProgressBarLine(int done, int count, qint64 elapsedMs);
// The line printed at each ten percent: "  Games read: 3 of 7 (43%)   00:00:02".
QString ProgressLine(int done, int count, qint64 elapsedMs);

}  // namespace tw::batch
