#pragma once
// One download run: one player, or every player of a list in turn, each
// through the player page, the game list, the game details and the clean-up.
// It runs on the calling thread (the window gives it a worker thread, the
// command line its own) and reports only through its signals; the user is
// asked only through the Prompter it was given.

#include <QElapsedTimer>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <cstdint>

#include "db/AppError.h"

namespace tw {

struct Session;
struct DownloadContext;
class Fetcher;
class Prompter;

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
QString downloadFailedMessage(const QStringList& failures, bool logged);

class DownloadSession : public QObject {
    Q_OBJECT
  public:
    // How a row of the five-row display changes.
    enum class StageChange {
        Reset,     // every row hidden
        Start,     // every row hidden, row 1 working
        Advance,   // row-1 complete (caption), row working
        Info,      // row shows the info caption (row-1 no longer working)
        Failed,    // row shows it failed (caption), no longer working
        Working,   // row working, whatever else is shown
        Complete,  // row complete (caption), no longer working
    };
    Q_ENUM(StageChange)

    DownloadSession(Session& state, Prompter& prompter, QObject* parent = nullptr);
    ~DownloadSession() override;

    // Downloads each gamertag in turn and returns when all are done; no
    // gamertag (or a blank one) asks the user to select one. A player removed
    // as not found is not downloaded again in the same run.
    Q_INVOKABLE void run(const QStringList& gamertags);
    // Thread-safe: asks the player being downloaded to stop; it stops at its
    // next look, and the next player of the list goes on.
    void stop();

    Fetcher& fetcher() { return *fetcher_; }
    // Sends the byte count held back, if any (see sinceBytesShown_).
    void flushBytes();

  signals:
    void playerStarted(const QString& gamertag);
    void stageChanged(int row, tw::DownloadSession::StageChange change, const QString& caption);
    // `done` of `count` new games read, the player's elapsed time. Sent
    // before each game and once with done == count after the last.
    void gameProgress(int done, int count, qint64 elapsedMs);
    // All panels of a game have been read and stored.
    void gameRead(qint32 gameId);
    // The clean-up began: the progress display and the Stop button go.
    void progressCleared();
    // Bytes received for the player so far.
    void bytesReceived(double total);
    // The site does not know the gamertag: it has left the database's tag list.
    void playerNotFound(const QString& gamertag);
    // The player's emblem (or the unknown picture when the emblem was no
    // picture) to show.
    void pictureSaved(const QString& path);
    // A clean-up ran: the database file was closed and compacted, so the
    // summary is to be shown afresh from it.
    void databaseUpdated();
    // Every player of the run is done: the database is left alone from here
    // on; only the message of what failed (if anything) is still to come.
    void playersDone();
    void finished();

  private:
    void downloadPlayer(const QString& gamertag);
    void runPhases(DownloadContext& context);
    void readDetails(DownloadContext& context);
    bool readOneGame(DownloadContext& context, int index, int* skippedInARow);
    void endAfterFailure(DownloadContext& context, const AppError& error);
    void recordFailure(const DownloadContext& context, const QString& stage, const AppError& error,
                       bool listed = true);
    void reportRunFailures();
    void forwardBytes(double total);

    Session& state_;
    Prompter& prompter_;
    Fetcher* fetcher_ = nullptr;
    QStringList runFailures_;
    bool everyFailureLogged_ = true;
    QSet<QString> removed_;
    // The byte count goes to the window at most every kBytesIntervalMs (and
    // once more when the player's download ends): a report per arrival would
    // cost the download a thread hand-over per packet.
    QElapsedTimer sinceBytesShown_;
    double bytesPending_ = -1;
};

}  // namespace tw
