#include "download/DownloadSession.h"

#include "core/Prompter.h"
#include "core/Session.h"
#include "download/Cleanup.h"
#include "download/DownloadContext.h"
#include "download/Fetcher.h"
#include "download/GameDetail.h"
#include "download/GameList.h"
#include "download/PageReading.h"
#include "download/PlayerPage.h"
#include "download/ProgressDisplay.h"
#include "download/TextRoutines.h"

namespace tw {
namespace {

constexpr qint64 kBytesIntervalMs = 40;

QString stepOfStage(int stage) {
    switch (stage) {
        case 0:
        case 1:
        case 2:
            return QStringLiteral("player page");
        case 3:
            return QStringLiteral("game list");
        case 4:
            return QStringLiteral("game details");
        default:
            return QStringLiteral("clean-up");
    }
}

}  // namespace

QString downloadFailedMessage(const QStringList& failures, bool logged) {
    const QString crLf = QStringLiteral("\r\n");
    QString text = QString::fromLatin1(kDownloadFailedLine) + crLf + failures.join(crLf) + crLf +
                   crLf + QString::fromLatin1(kDownloadFailedKeptLine);
    if (logged) {
        text += crLf + QString::fromLatin1(kDownloadFailedLogLine);
    }
    return text;
}

DownloadSession::DownloadSession(Session& state, Prompter& prompter, QObject* parent)
    : QObject(parent), state_(state), prompter_(prompter) {
    fetcher_ = new Fetcher(state, prompter, this);
    connect(fetcher_, &Fetcher::bytesReceived, this, &DownloadSession::forwardBytes);
}

DownloadSession::~DownloadSession() = default;

void DownloadSession::forwardBytes(double total) {
    bytesPending_ = total;
    if (!sinceBytesShown_.isValid() || sinceBytesShown_.elapsed() >= kBytesIntervalMs) {
        flushBytes();
    }
}

void DownloadSession::flushBytes() {
    if (bytesPending_ >= 0) {
        emit bytesReceived(bytesPending_);
        bytesPending_ = -1;
        sinceBytesShown_.start();
    }
}

void DownloadSession::stop() {
    fetcher_->requestStop();
}

void DownloadSession::run(const QStringList& gamertags) {
    runFailures_.clear();
    everyFailureLogged_ = true;
    removed_.clear();
    if (gamertags.isEmpty() || gamertags.first().trimmed().isEmpty()) {
        prompter_.message(QString::fromLatin1(kSelectGamertagMessage), MsgButtons::Ok,
                          MsgIcon::Critical, QStringLiteral("Error"));
        emit finished();
        return;
    }
    // The list as it stood when the run began: a player removed as not
    // found moves no one else out of turn.
    for (const QString& gamertag : gamertags) {
        if (!removed_.contains(gamertag)) {
            downloadPlayer(gamertag);
        }
    }
    emit playersDone();
    reportRunFailures();
    emit finished();
}

void DownloadSession::downloadPlayer(const QString& gamertag) {
    fetcher_->clearStop();
    fetcher_->resetBytesShown();
    bytesPending_ = -1;
    sinceBytesShown_.invalidate();
    DownloadContext context{state_, *this, *fetcher_};
    context.gamertag = gamertag;
    context.reportFailure = [this, &context](const QString& stage, const AppError& error) {
        recordFailure(context, stage, error);
    };
    emit playerStarted(gamertag);
    showStage(context, StageChange::Start);
    context.downloadStart.start();
    try {
        if (!state_.db) {
            reopenDatabase(state_);  // the previous player's clean-up closed it
        }
        context.tables = DownloadTables::open(*state_.db);
        context.lastGameId = lastGameIdOf(context);
        runPhases(context);
    } catch (const AppError& error) {
        endAfterFailure(context, error);
    }
    flushBytes();
}

// A failure ends the player's download: it is recorded, its row of the
// display shows it failed, and the games stored before it are merged by the
// clean-up (which then marks the player downloaded only up to them).
void DownloadSession::endAfterFailure(DownloadContext& context, const AppError& error) {
    const bool connection = dynamic_cast<const ConnectionFailure*>(&error) != nullptr;
    const bool named = connection || dynamic_cast<const PageFailure*>(&error) != nullptr;
    // Errors of the database or the disk say which step met them.
    const AppError failure =
        named ? error
              : AppError(error.number(), error.source(),
                         stepOfStage(context.stage) + QStringLiteral(": ") + error.description());
    // A failure the user has just been told of is logged, not told again.
    recordFailure(context, QStringLiteral("Main"), failure,
                  !(connection && fetcher_->failureShown()));
    showFailedStage(context, failedStageCaption(std::clamp(context.stage, 1, 5), connection));
    if (context.stage == 4) {
        cleanup(context, context.lastStored, CleanupAfter::Failure);
    }
}

void DownloadSession::recordFailure(const DownloadContext& context, const QString& stage,
                                    const AppError& error, bool listed) {
    if (!logDownloadFailure(context, stage, error)) {
        everyFailureLogged_ = false;
    }
    if (listed) {
        runFailures_ << context.gamertag + QStringLiteral(": ") + error.description();
    }
}

void DownloadSession::reportRunFailures() {
    if (runFailures_.isEmpty()) {
        return;
    }
    prompter_.message(downloadFailedMessage(runFailures_, everyFailureLogged_), MsgButtons::Ok,
                      MsgIcon::Critical, QStringLiteral("Error"));
}

void DownloadSession::runPhases(DownloadContext& context) {
    context.stage = 1;
    fetcher_->downloadPage(state_.settings.urlStatsRoot + urlEncode(context.gamertag), 0);
    if (stoppedDuringFetch(context, 0)) {
        return;
    }
    // The site's page for an unknown gamertag may come with status 400.
    requireAnswer(context, QStringLiteral("player page"), true);
    context.stage = 2;
    showStage(context, StageChange::Advance);
    try {
        if (readPlayerPage(context) == PlayerPageOutcome::NotFound) {
            removed_.insert(context.gamertag);
            return;
        }
    } catch (const PageFailure& failure) {
        throw PageFailure(QStringLiteral("player page: ") + failure.description(),
                          failure.number());
    }
    if (context.stopRequested()) {
        stoppedDuringFetch(context, 0);  // stopped while the emblems came
        return;
    }
    if (state_.settings.downloadOnlyExperienceLevel) {
        cleanup(context, 0);
        return;
    }
    if (readGameList(context) != GameListOutcome::NewGames) {
        return;
    }
    readDetails(context);
}

// One game; false when the user stopped (the clean-up has run then). A game
// that cannot be read is recorded and skipped; the player's download goes on.
bool DownloadSession::readOneGame(DownloadContext& context, int index, int* skippedInARow) {
    const int32_t g = context.gameIds[index - 1];
    try {
        if (readGame(context, index) == GameOutcome::Stopped) {
            stoppedDuringFetch(context, context.lastStored);
            return false;
        }
    } catch (const PageFailure& failure) {
        recordFailure(context, QStringLiteral("Main"), failure);
        context.skippedGames << g;
        if (++*skippedInARow >= kSkippedGamesLimit) {
            throw PageFailure(
                QStringLiteral("%1 games in a row could not be read; the rest were not fetched")
                    .arg(kSkippedGamesLimit));
        }
        return true;
    }
    *skippedInARow = 0;
    context.lastStored = g;
    emit gameRead(g);
    return true;
}

void DownloadSession::readDetails(DownloadContext& context) {
    const int count = static_cast<int>(context.gameIds.size());
    int skippedInARow = 0;
    for (int i = count; i >= 1; --i) {
        emit gameProgress(count - i, count, context.downloadStart.elapsed());
        if (!readOneGame(context, i, &skippedInARow)) {
            return;
        }
        if (context.stopRequested()) {
            cleanup(context, context.lastStored);  // the game just read is complete
            return;
        }
    }
    emit gameProgress(count, count, context.downloadStart.elapsed());
    if (!context.skippedGames.isEmpty()) {
        showFailedStage(context, failedStageCaption(4, false));
        cleanup(context, context.lastStored, CleanupAfter::Failure);
    } else {
        cleanup(context, context.lastStored);
    }
}

}  // namespace tw
