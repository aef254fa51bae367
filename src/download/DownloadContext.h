#pragma once
// What the phases of one player's download share: the program state, the
// window, the fetcher, the run's new games and the current game's purge flag.

#include <QElapsedTimer>
#include <QList>
#include <QSet>
#include <QString>
#include <cstdint>
#include <functional>

#include "db/AppError.h"

namespace tw {

struct Session;
class MainWindow;
class Fetcher;
class Recordset;

struct DownloadContext {
    Session& state;
    MainWindow& window;
    Fetcher& fetcher;
    // New games of this run, newest first (GameIds(1) is GameIds[0]).
    QList<int32_t> GameIds;
    bool GamePartlyPurged = false;
    // When this player's download began (a monotonic clock).
    QElapsedTimer DownloadStart;
    // The newest game of the run stored so far (games are read oldest
    // first): how far the player is marked downloaded. 0: none yet.
    int32_t LastStored = 0;
    // Games this run's game list showed (the clean-up deletes those left
    // unread, since the next download lists them again).
    QSet<int32_t> ListedGames;
    // Games of the run that could not be read. The clean-up keeps their Game
    // rows, so the next download's new-games query finds them again although
    // the player is marked downloaded past them.
    QList<int32_t> SkippedGames;
    // Takes a failure of this player's download: `stage` names the step for
    // the diagnostic log, the error's description says what failed.
    std::function<void(const QString& stage, const AppError& error)> ReportFailure;
};

// After a fetch that was not stopped: a fetch that brought no whole answer,
// or an answer whose status is not `expectedStatus` (or 400 where
// `notFoundStatusToo`: the site's page for an unknown gamertag), throws
// ConnectionFailure or PageFailure named by `what`.
void RequireAnswer(DownloadContext& context, const QString& what, bool notFoundStatusToo = false);

// Runs one action statement (kept in CurrentSQL) in the batch of the staged
// rows, so a game costs one commit, not one per statement; a duplicate key is
// skipped.
void RunSql(Session& state, const QString& sql);

// Stores the row being added; a duplicate key drops it and reading goes on.
void SaveRow(Recordset& recordset);

// A value spliced between single quotes.
QString Quoted(const QString& value);

// When the user stopped during the fetch just made: the clean-up with the
// last completed game (0: none), the stage display reset. True when stopped.
bool StoppedDuringFetch(DownloadContext& context, int32_t lastDone);

}  // namespace tw
