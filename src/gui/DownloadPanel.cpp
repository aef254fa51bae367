#include "gui/DownloadPanel.h"

#include <QComboBox>
#include <QMetaObject>
#include <QPushButton>
#include <QSignalBlocker>

#include "core/Session.h"
#include "gui/DownloadPrompter.h"
#include "gui/MainWindow.h"
#include "gui/PlayerSummaryView.h"

namespace tw {

DownloadPanel::DownloadPanel(Session& state, MainWindow& window)
    : QObject(&window), state_(state), window_(window) {
    worker_.setObjectName(QStringLiteral("download"));
    prompter_ = new ThreadPrompter([&state] { return state.prompter; }, this);
    session_ = new DownloadSession(state, *prompter_);
    session_->moveToThread(&worker_);
    // The session (and its fetcher and socket) goes with the thread's end.
    connect(&worker_, &QThread::finished, session_, &QObject::deleteLater);
    connectSession();
    worker_.start();
}

DownloadPanel::~DownloadPanel() {
    session_->stop();
    worker_.quit();
    worker_.wait();
}

void DownloadPanel::connectSession() {
    // Every connection is queued: the session's signals come from the worker.
    connect(session_, &DownloadSession::playerStarted, this, &DownloadPanel::selectQuietly);
    connect(session_, &DownloadSession::stageChanged, this, &DownloadPanel::showStage);
    connect(session_, &DownloadSession::gameProgress, this, &DownloadPanel::showGameProgress);
    connect(session_, &DownloadSession::progressCleared, this, &DownloadPanel::clearProgress);
    connect(session_, &DownloadSession::bytesReceived, this, &DownloadPanel::showBytes);
    connect(session_, &DownloadSession::pictureSaved, this, &DownloadPanel::showPicture);
    connect(session_, &DownloadSession::playerNotFound, this, &DownloadPanel::dropPlayer);
    connect(session_, &DownloadSession::databaseUpdated, this, [this] { databaseUpdated_ = true; });
    connect(session_, &DownloadSession::playersDone, this, &DownloadPanel::unlockAfterRun);
    connect(session_, &DownloadSession::finished, this, &DownloadPanel::endRun);
}

void DownloadPanel::downloadClicked() {
    if (running_) {
        return;  // one run at a time, whatever the buttons show
    }
    QStringList gamertags;
    if (!state_.currentGamertag.trimmed().isEmpty()) {
        if (state_.settings.downloadAllTagList) {
            const QComboBox& tagList = *window_.tagListBox;
            for (int i = 0; i < tagList.count(); ++i) {
                gamertags << tagList.itemText(i);
            }
        } else {
            gamertags << state_.currentGamertag;
        }
    }
    running_ = true;
    stopPressed_ = false;
    playerDropped_ = false;
    databaseUpdated_ = false;
    if (!gamertags.isEmpty()) {
        locked_ = true;
        state_.downloadInProgress = true;
        window_.setDownloadMode(true);
    }
    DownloadSession* session = session_;
    QMetaObject::invokeMethod(
        session_, [session, gamertags] { session->run(gamertags); }, Qt::QueuedConnection);
}

void DownloadPanel::stopClicked() {
    stopPressed_ = running_;
    session_->stop();
}

void DownloadPanel::selectQuietly(const QString& gamertag) {
    // The entry being downloaded is shown; choosing it for the summary waits
    // for the end of the run, which alone may read the database.
    QComboBox& tagList = *window_.tagListBox;
    const int index = tagList.findText(gamertag, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0 && index != tagList.currentIndex()) {
        QSignalBlocker quiet(tagList);
        tagList.setCurrentIndex(index);
    }
    window_.setDownloadMode(true);  // Stop is back for each player of the list
}

void DownloadPanel::dropPlayer(const QString& gamertag) {
    QComboBox& tagList = *window_.tagListBox;
    const int index = tagList.findText(gamertag, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0) {
        return;
    }
    // Taking the entry away is no selection; the end of the run chooses one.
    QSignalBlocker quiet(tagList);
    tagList.removeItem(index);
    tagList.setCurrentIndex(-1);
    playerDropped_ = true;
}

// The database is the window's again: the window is unlocked and shows the
// summary, before the message of what failed (the order the user always saw).
void DownloadPanel::unlockAfterRun() {
    if (!locked_) {
        return;
    }
    locked_ = false;
    state_.downloadInProgress = false;
    window_.setDownloadMode(false);
    showSummaryAfterRun();
}

void DownloadPanel::endRun() {
    running_ = false;
    emit runFinished();
}

// The tag list's choice runs as if the user made it (the setting, the
// summary); otherwise a run that changed the database refreshes the summary.
void DownloadPanel::showSummaryAfterRun() {
    QComboBox& tagList = *window_.tagListBox;
    if (playerDropped_ && tagList.currentIndex() < 0) {
        if (tagList.count() > 0) {
            tagList.setCurrentIndex(0);
        }
        return;
    }
    const int index = tagList.currentIndex();
    if (index >= 0 && tagList.currentText() != state_.currentGamertag) {
        {
            QSignalBlocker quiet(tagList);
            tagList.setCurrentIndex(-1);
        }
        tagList.setCurrentIndex(index);
        return;
    }
    if (databaseUpdated_) {
        showPlayerSummary(state_, window_);
    }
}

DownloadPanel* connectDownload(Session& state, MainWindow& window) {
    auto* panel = new DownloadPanel(state, window);
    QObject::connect(window.downloadButton, &QPushButton::clicked, panel,
                     [panel] { panel->downloadClicked(); });
    QObject::connect(window.stopButton, &QPushButton::clicked, panel,
                     [panel] { panel->stopClicked(); });
    return panel;
}

}  // namespace tw
