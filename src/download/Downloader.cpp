#include "download/Downloader.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>

#include "app/DebugLog.h"
#include "app/Dialogs.h"
#include "app/ProgramState.h"
#include "download/Cleanup.h"
#include "download/DownloadContext.h"
#include "download/Fetcher.h"
#include "download/GameDetail.h"
#include "download/GameList.h"
#include "download/PlayerPage.h"
#include "download/ProgressDisplay.h"
#include "download/TextRoutines.h"
#include "ui/frmMain.h"

namespace tw {

Downloader::Downloader(ProgramState& state, frmMain& window, QObject* parent)
    : QObject(parent), state_(state), window_(window) {
    fetcher_ = new Fetcher(state, window, this);
}

void Downloader::cmdStopDownload_Click() {
    state_.StopRequested = true;
}

void Downloader::CloseConnection() {
    tw::CloseConnection(state_, fetcher_);
}

void Downloader::cmdDownload_Click() {
    if (state_.CurrentGamertag.trimmed().isEmpty()) {
        state_.dialogs->Message(QString::fromLatin1(kSelectGamertagMessage), MsgButtons::Ok,
                                MsgIcon::Critical, QStringLiteral("Error"));
        return;
    }
    QComboBox& tagList = *window_.cmbTagList;
    if (!state_.settings.Download_All_Tag_List) {
        DownloadPlayer();
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
}

void Downloader::DownloadPlayer() {
    state_.CurrentStage = 0;
    window_.ShowStage(state_, StageState::Reset);
    window_.lblStageWorking[1]->show();
    window_.imgStageWorking[1]->show();
    state_.DownloadInProgress = true;
    state_.StopRequested = false;
    fetcher_->BytesShown = 0;
    DownloadStats();
}

void Downloader::DownloadStats() {
    DownloadContext context{state_, window_, *fetcher_, {}, false, {}};
    context.DownloadStart.start();
    try {
        RunPhases(context);
    } catch (const AppError& error) {
        WriteDebugLog(state_, QStringLiteral("Main"), error);
        state_.DownloadInProgress = false;
        // The stage display keeps the row that failed; the window is unlocked
        // so the user can go on (a locked window could only be closed).
        window_.SetDownloadMode(false);
    }
}

void Downloader::RunPhases(DownloadContext& context) {
    state_.CurrentStage = 1;
    window_.SetDownloadMode(true);
    fetcher_->DownloadPage(state_.settings.URL_Stats_Root + UrlEncode(state_.CurrentGamertag), 0);
    if (StoppedDuringFetch(context, 0)) {
        return;
    }
    if (fetcher_->ConnectFailed) {
        window_.ShowStage(state_, StageState::Failed);
        window_.SetDownloadMode(false);
        return;
    }
    state_.CurrentStage = 2;
    window_.ShowStage(state_, StageState::Advance);
    if (ReadPlayerPage(context) == PlayerPageOutcome::NotFound) {
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

void Downloader::ReadDetails(DownloadContext& context) {
    const int count = static_cast<int>(context.GameIds.size());
    ShowProgressStart(window_, count);
    for (int i = count; i >= 1; --i) {
        ShowGameProgress(window_, count - i, count, context.DownloadStart.elapsed());
        emit ProgressShown(count - i, count, context.DownloadStart.elapsed());
        if (ReadGame(context, i) == GameOutcome::Stopped) {
            return;
        }
        const int32_t g = context.GameIds[i - 1];
        emit GameRead(g);
        QCoreApplication::processEvents();
        if (state_.StopRequested) {
            Cleanup(context, g);  // this game is complete
            return;
        }
    }
    ShowProgressEnd(window_);
    emit ProgressShown(count, count, context.DownloadStart.elapsed());
    Cleanup(context, context.GameIds.first());
    window_.setWindowTitle(QString::fromLatin1(kProgramCaption));
}

Downloader* ConnectDownload(ProgramState& state, frmMain& window) {
    auto* downloader = new Downloader(state, window, &window);
    QObject::connect(window.cmdDownload, &QPushButton::clicked, downloader,
                     [downloader] { downloader->cmdDownload_Click(); });
    QObject::connect(window.cmdStopDownload, &QPushButton::clicked, downloader,
                     [downloader] { downloader->cmdStopDownload_Click(); });
    return downloader;
}

}  // namespace tw
