#pragma once
// The window's side of the download: the Download and Stop buttons start and
// stop a DownloadSession that runs on a worker thread, and its signals
// (queued to the window's thread) become the five stage rows, the progress
// bar, the game count with the time left, the bytes and elapsed labels, the
// stopped state, the emblem and the tag list. While a run
// is active the window is locked, so nothing else touches the database; when
// it has finished the summary is shown afresh.

#include <QObject>
#include <QString>
#include <QThread>

#include "download/DownloadSession.h"

namespace tw {

struct Session;
class MainWindow;
class ThreadPrompter;

class DownloadPanel : public QObject {
    Q_OBJECT
  public:
    DownloadPanel(Session& state, MainWindow& window);
    ~DownloadPanel() override;

    // Starts a run of the current player, or of the whole tag list when the
    // settings say so; does nothing while a run is active.
    void downloadClicked();
    // Asks the run to stop; the player being read stops at its next look.
    void stopClicked();

    bool running() const { return running_; }
    // The session the worker runs (its signals and its thread-safe stop).
    DownloadSession& session() { return *session_; }

  signals:
    // A run ended and the window shows its outcome (on the window's thread).
    void runFinished();

  private:
    using StageChange = DownloadSession::StageChange;

    void connectSession();
    void showStage(int row, StageChange change, const QString& caption);
    void showGameProgress(int done, int count, qint64 elapsedMs);
    void clearProgress();
    void showBytes(double total);
    void showStopped();
    void showPicture(const QString& path);
    void selectQuietly(const QString& gamertag);
    void dropPlayer(const QString& gamertag);
    void unlockAfterRun();
    void endRun();
    void showSummaryAfterRun();

    Session& state_;
    MainWindow& window_;
    QThread worker_;
    ThreadPrompter* prompter_ = nullptr;
    DownloadSession* session_ = nullptr;
    bool running_ = false;
    bool locked_ = false;
    bool playerDropped_ = false;
    bool databaseUpdated_ = false;
    // Stop was pressed for the player being read: its end shows the stopped
    // state instead of an empty display.
    bool stopPressed_ = false;
    // The player's elapsed time when its first game began: the time left is
    // estimated from the games' own pace, not the pages before them.
    qint64 gamesStartMs_ = 0;
    // After "No new games found" the player's byte count is no news.
    bool bytesHidden_ = false;
};

// Creates the panel (owned by the window) and connects the two buttons.
DownloadPanel* connectDownload(Session& state, MainWindow& window);

}  // namespace tw
