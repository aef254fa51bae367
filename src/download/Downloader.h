#pragma once
// The download driver behind the Download and Stop buttons: one player, or
// every player of the tag list in turn, each through DownloadStats (player
// page, game list, game details with the progress display, clean-up).

#include <QObject>
#include <QString>
#include <cstdint>

namespace tw {

struct ProgramState;
struct DownloadContext;
class frmMain;
class Fetcher;

inline constexpr const char* kSelectGamertagMessage = "You must select a Gamertag.";

class Downloader : public QObject {
    Q_OBJECT
  public:
    Downloader(ProgramState& state, frmMain& window, QObject* parent = nullptr);

    void cmdDownload_Click();
    // Only asks the download to stop; it stops at its next look.
    void cmdStopDownload_Click();
    // One player: the current one.
    void DownloadStats();

    Fetcher& fetcher() { return *fetcher_; }
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

    ProgramState& state_;
    frmMain& window_;
    Fetcher* fetcher_ = nullptr;
};

// Creates the driver (owned by the window) and connects the two buttons.
Downloader* ConnectDownload(ProgramState& state, frmMain& window);

}  // namespace tw
