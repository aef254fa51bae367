#pragma once
// What the phases of one player's download share: the program state, the
// session whose signals report it, the fetcher, the player, the stage and
// statement the diagnostic log records, the run's new games and the current
// game's purge flag.

#include <QElapsedTimer>
#include <QList>
#include <QSet>
#include <QString>
#include <cstdint>
#include <functional>

#include "db/AppError.h"
#include "download/DownloadSession.h"
#include "download/DownloadTables.h"

namespace tw {

struct Session;
class Fetcher;
class Recordset;

struct DownloadContext {
    DownloadContext(Session& state, DownloadSession& session, Fetcher& fetcher)
        : state(state), session(session), fetcher(fetcher) {}

    Session& state;
    DownloadSession& session;
    Fetcher& fetcher;
    // The tables the player's rows are added to.
    DownloadTables tables;
    QString gamertag;
    // The newest game the player is marked downloaded at when the run began.
    int32_t lastGameId = 0;
    // The row of the five-row display the download is at (0 before row 1).
    int stage = 0;
    // The statement last run, for the diagnostic log.
    QString sql;
    // New games of this run, newest first (game index 1 is gameIds[0]).
    QList<int32_t> gameIds;
    bool gamePartlyPurged = false;
    // When this player's download began (a monotonic clock).
    QElapsedTimer downloadStart;
    // The newest game of the run stored so far (games are read oldest
    // first): how far the player is marked downloaded. 0: none yet.
    int32_t lastStored = 0;
    // Games this run's game list showed (the clean-up deletes those left
    // unread, since the next download lists them again).
    QSet<int32_t> listedGames;
    // Games of the run that could not be read. The clean-up keeps their Game
    // rows, so the next download's new-games query finds them again although
    // the player is marked downloaded past them.
    QList<int32_t> skippedGames;
    // Takes a failure of this player's download: `stage` names the step for
    // the diagnostic log, the error's description says what failed.
    std::function<void(const QString& stage, const AppError& error)> reportFailure;

    bool stopRequested() const;
};

// After a fetch that was not stopped: a fetch that brought no whole answer,
// or an answer whose status is not `expectedStatus` (or 400 where
// `notFoundStatusToo`: the site's page for an unknown gamertag), throws
// ConnectionFailure or PageFailure named by `what`.
void requireAnswer(DownloadContext& context, const QString& what, bool notFoundStatusToo = false);

// Runs one action statement in the batch of the staged rows, so a game costs
// one commit, not one per statement; a duplicate key is skipped.
void runSql(DownloadContext& context, const QString& sql);

// Stores the row being added; a duplicate key drops it and reading goes on.
void saveRow(Recordset& recordset);

// A value spliced between single quotes.
QString quoted(const QString& value);

// Row `row` changes as `change` says; an advance first pauses a second so
// the user can follow the rows (state.sleep when set).
void showStage(DownloadContext& context, DownloadSession::StageChange change,
               const QString& caption = QString());

// The current row shows it failed, with the given caption.
void showFailedStage(DownloadContext& context, const QString& caption);

// When the user stopped during the fetch just made: the clean-up with the
// last completed game (0: none), the stage display reset. True when stopped.
bool stoppedDuringFetch(DownloadContext& context, int32_t lastDone);

// Appends the diagnostic record of a failure of the player's download (the
// player, the row, the statement and the page of the context); false when
// the log cannot be written.
bool logDownloadFailure(const DownloadContext& context, const QString& stage,
                        const AppError& error);

// Opens the database again when a previous player's clean-up closed it.
void reopenDatabase(Session& state);

// The player's Last_Game_ID (0 when the player has no row).
int32_t lastGameIdOf(DownloadContext& context);

}  // namespace tw
