#include "download/Downloader.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>

#include "core/DebugLog.h"
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
#include "gui/MainWindow.h"

namespace tw {

Downloader::Downloader(Session& state, MainWindow& window, QObject* parent)
    : QObject(parent), state_(state), window_(window) {
    fetcher_ = new Fetcher(state, window, this);
}

void Downloader::stopClicked() {
    state_.StopRequested = true;
}

void Downloader::CloseConnection() {
    tw::CloseConnection(state_, fetcher_);
}

namespace {

QString StepOfStage(int stage) {
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

QString DownloadFailedMessage(const QStringList& failures, bool logged) {
    const QString crLf = QStringLiteral("\r\n");
    QString text = QString::fromLatin1(kDownloadFailedLine) + crLf + failures.join(crLf) + crLf +
                   crLf + QString::fromLatin1(kDownloadFailedKeptLine);
    if (logged) {
        text += crLf + QString::fromLatin1(kDownloadFailedLogLine);
    }
    return text;
}

void Downloader::downloadClicked() {
    if (state_.CurrentGamertag.trimmed().isEmpty()) {
        state_.prompter->Message(QString::fromLatin1(kSelectGamertagMessage), MsgButtons::Ok,
                                MsgIcon::Critical, QStringLiteral("Error"));
        return;
    }
    runFailures_.clear();
    everyFailureLogged_ = true;
    QComboBox& tagList = *window_.tagListBox;
    if (!state_.settings.Download_All_Tag_List) {
        DownloadPlayer();
        ReportRunFailures();
        return;
    }
    // The list as it stood when Download was pressed: a player removed as
    // not found during the run moves no one else out of turn.
    QStringList gamertags;
    for (int i = 0; i < tagList.count(); ++i) {
        gamertags << tagList.itemText(i);
    }
    for (const QString& gamertag : gamertags) {
        const int index = tagList.findText(gamertag, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (index < 0) {
            continue;
        }
        tagList.setCurrentIndex(index);
        DownloadPlayer();
    }
    ReportRunFailures();
}

void Downloader::DownloadPlayer() {
    state_.CurrentStage = 0;
    window_.ShowStage(state_, StageState::Reset);
    window_.stageWorkingLabels[1]->show();
    window_.stageWorkingIcons[1]->show();
    state_.DownloadInProgress = true;
    state_.StopRequested = false;
    fetcher_->BytesShown = 0;
    DownloadStats();
}

void Downloader::DownloadStats() {
    DownloadContext context{state_, window_, *fetcher_, {}, false, {}, 0, {}, {}, {}};
    context.ReportFailure = [this](const QString& stage, const AppError& error) {
        RecordFailure(stage, error);
    };
    context.DownloadStart.start();
    try {
        RunPhases(context);
    } catch (const AppError& error) {
        EndAfterFailure(context, error);
    }
}

// A failure ends the player's download: it is recorded, its row of the
// display shows it failed, and the games stored before it are merged by the
// clean-up (which then marks the player downloaded only up to them).
void Downloader::EndAfterFailure(DownloadContext& context, const AppError& error) {
    const bool connection = dynamic_cast<const ConnectionFailure*>(&error) != nullptr;
    const bool named = connection || dynamic_cast<const PageFailure*>(&error) != nullptr;
    // Errors of the database or the disk say which step met them.
    const AppError failure = named ? error
                                   : AppError(error.number(), error.source(),
                                              StepOfStage(state_.CurrentStage) +
                                                  QStringLiteral(": ") + error.description());
    // A failure the user has just been told of is logged, not told again.
    RecordFailure(QStringLiteral("Main"), failure, !(connection && fetcher_->FailureShown()));
    ShowFailedStage(window_, state_, FailedStageCaption(state_.CurrentStage, connection));
    window_.setWindowTitle(QString::fromLatin1(kProgramCaption));
    if (state_.CurrentStage == 4) {
        Cleanup(context, context.LastStored, CleanupAfter::Failure);
        return;
    }
    state_.DownloadInProgress = false;
    window_.SetDownloadMode(false);
}

void Downloader::RecordFailure(const QString& stage, const AppError& error, bool listed) {
    if (!AppendDebugLogRecord(state_, stage, error)) {
        everyFailureLogged_ = false;
    }
    if (listed) {
        runFailures_ << state_.CurrentGamertag + QStringLiteral(": ") + error.description();
    }
}

void Downloader::ReportRunFailures() {
    if (runFailures_.isEmpty()) {
        return;
    }
    state_.prompter->Message(DownloadFailedMessage(runFailures_, everyFailureLogged_),
                            MsgButtons::Ok, MsgIcon::Critical, QStringLiteral("Error"));
}

void Downloader::RunPhases(DownloadContext& context) {
    state_.CurrentStage = 1;
    window_.SetDownloadMode(true);
    fetcher_->DownloadPage(state_.settings.URL_Stats_Root + UrlEncode(state_.CurrentGamertag), 0);
    if (StoppedDuringFetch(context, 0)) {
        return;
    }
    // The site's page for an unknown gamertag may come with status 400.
    RequireAnswer(context, QStringLiteral("player page"), true);
    state_.CurrentStage = 2;
    window_.ShowStage(state_, StageState::Advance);
    try {
        if (ReadPlayerPage(context) == PlayerPageOutcome::NotFound) {
            return;
        }
    } catch (const PageFailure& failure) {
        throw PageFailure(QStringLiteral("player page: ") + failure.description(),
                          failure.number());
    }
    if (state_.StopRequested) {
        StoppedDuringFetch(context, 0);  // stopped while the emblems came
        return;
    }
    if (state_.settings.Download_Only_Experience_Level) {
        Cleanup(context, 0);
        return;
    }
    if (ReadGameList(context) != GameListOutcome::NewGames) {
        return;
    }
    ReadDetails(context);
}

// One game; false when the user stopped (the clean-up has run then). A game
// that cannot be read is recorded and skipped; the player's download goes on.
bool Downloader::ReadOneGame(DownloadContext& context, int index, int* skippedInARow) {
    const int32_t g = context.GameIds[index - 1];
    try {
        if (ReadGame(context, index) == GameOutcome::Stopped) {
            StoppedDuringFetch(context, context.LastStored);
            return false;
        }
    } catch (const PageFailure& failure) {
        RecordFailure(QStringLiteral("Main"), failure);
        context.SkippedGames << g;
        if (++*skippedInARow >= kSkippedGamesLimit) {
            throw PageFailure(
                QStringLiteral("%1 games in a row could not be read; the rest were not fetched")
                    .arg(kSkippedGamesLimit));
        }
        return true;
    }
    *skippedInARow = 0;
    context.LastStored = g;
    emit GameRead(g);
    return true;
}

void Downloader::ReadDetails(DownloadContext& context) {
    const int count = static_cast<int>(context.GameIds.size());
    ShowProgressStart(window_, count);
    int skippedInARow = 0;
    for (int i = count; i >= 1; --i) {
        ShowGameProgress(window_, count - i, count, context.DownloadStart.elapsed());
        emit ProgressShown(count - i, count, context.DownloadStart.elapsed());
        if (!ReadOneGame(context, i, &skippedInARow)) {
            return;
        }
        QCoreApplication::processEvents();
        if (state_.StopRequested) {
            Cleanup(context, context.LastStored);  // the game just read is complete
            return;
        }
    }
    ShowProgressEnd(window_);
    emit ProgressShown(count, count, context.DownloadStart.elapsed());
    if (!context.SkippedGames.isEmpty()) {
        ShowFailedStage(window_, state_, FailedStageCaption(4, false));
        Cleanup(context, context.LastStored, CleanupAfter::Failure);
    } else {
        Cleanup(context, context.LastStored);
    }
    window_.setWindowTitle(QString::fromLatin1(kProgramCaption));
}

Downloader* ConnectDownload(Session& state, MainWindow& window) {
    auto* downloader = new Downloader(state, window, &window);
    QObject::connect(window.downloadButton, &QPushButton::clicked, downloader,
                     [downloader] { downloader->downloadClicked(); });
    QObject::connect(window.stopButton, &QPushButton::clicked, downloader,
                     [downloader] { downloader->stopClicked(); });
    return downloader;
}

}  // namespace tw
