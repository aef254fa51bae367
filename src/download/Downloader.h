#pragma once
// The download driver behind the Download and Stop buttons: one player, or
// every player of the tag list in turn, each through DownloadStats (player
// page, game list, game details with the progress display, clean-up).

#include <QObject>
#include <QString>
#include <QStringList>
#include <cstdint>

#include "db/AppError.h"

namespace tw {

struct Session;
struct DownloadContext;
class MainWindow;
class Fetcher;

inline constexpr const char* kSelectGamertagMessage = "You must select a Gamertag.";

// Games skipped in a row after which a player's download ends: the site's
// pages have likely changed, and every further game would fail the same way.
inline constexpr int kSkippedGamesLimit = 5;

// The one message after a download in which something failed: this first
// line, then one line per failure, then kDownloadFailedKeptLine (and
// kDownloadFailedLogLine when the diagnostic log holds the details).
inline constexpr const char* kDownloadFailedLine = "The download did not complete:";
inline constexpr const char* kDownloadFailedKeptLine =
    "Every game read completely is kept; the next download fetches what is missing.";
inline constexpr const char* kDownloadFailedLogLine = "The details are in \"debug.log\".";

// The message's text for the given failure lines.
QString DownloadFailedMessage(const QStringList& failures, bool logged);

class Downloader : public QObject {
    Q_OBJECT
  public:
    Downloader(Session& state, MainWindow& window, QObject* parent = nullptr);

    void downloadClicked();
    // Only asks the download to stop; it stops at its next look.
    void stopClicked();
    // One player: the current one.
    void DownloadStats();

    Fetcher& fetcher() { return *fetcher_; }
    // What failed in the last press of Download, one line per failure
    // ("Cold Bear: game 7, kills panel: ...").
    const QStringList& RunFailures() const { return runFailures_; }
    // Everything that refers to the database file, and the socket.
    void CloseConnection();

  signals:
    // All panels of a game have been read (before the pump at its end).
    void GameRead(qint32 gameId);
    // The progress display changed: `done` of `count` new games read, the
    // player's elapsed time. Sent before each game and once with done ==
    // count after the last.
    void ProgressShown(int done, int count, qint64 elapsedMs);

  private:
    void DownloadPlayer();
    void RunPhases(DownloadContext& context);
    void ReadDetails(DownloadContext& context);
    bool ReadOneGame(DownloadContext& context, int index, int* skippedInARow);
    void EndAfterFailure(DownloadContext& context, const AppError& error);
    void RecordFailure(const QString& stage, const AppError& error, bool listed = true);
    void ReportRunFailures();

    QStringList runFailures_;
    bool everyFailureLogged_ = true;

    Session& state_;
    MainWindow& window_;
    Fetcher* fetcher_ = nullptr;
};

// Creates the driver (owned by the window) and connects the two buttons.
Downloader* ConnectDownload(Session& state, MainWindow& window);

}  // namespace tw
