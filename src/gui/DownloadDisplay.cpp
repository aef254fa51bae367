// The download's display: the five stage rows, the progress bar with its
// percentage (also in the window title), the game count with the time left,
// the elapsed time, the bytes, the stopped state and the emblem, drawn from
// the session's signals.

#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <cmath>

#include "core/LoadPicture.h"
#include "download/ProgressDisplay.h"
#include "gui/DownloadPanel.h"
#include "gui/DownloadTexts.h"
#include "gui/MainWindow.h"
#include "gui/Twips.h"

namespace tw {
namespace {

bool isStageRow(int row) {
    return row >= 1 && row <= MainWindow::kStageRows;
}

// A row outside the display (row 0 before the first stage) shows nothing.
void showPair(MainWindow& window, int row, StagePair StageRow::*pair, bool visible) {
    if (!isStageRow(row)) {
        return;
    }
    const StagePair& shown = window.stageRow(row).*pair;
    shown.label->setVisible(visible);
    shown.icon->setVisible(visible);
}

// An empty caption keeps the one the row was created with.
void setCaption(MainWindow& window, int row, StagePair StageRow::*pair, const QString& caption) {
    if (isStageRow(row) && !caption.isEmpty()) {
        (window.stageRow(row).*pair).label->setText(caption);
    }
}

void hideAllStages(MainWindow& window) {
    for (int row = 1; row <= MainWindow::kStageRows; ++row) {
        for (auto pair :
             {&StageRow::working, &StageRow::complete, &StageRow::failed, &StageRow::info}) {
            showPair(window, row, pair, false);
        }
    }
}

void setBarWidth(QFrame& bar, int pixels) {
    bar.resize(pixels, bar.height());
}

void showPercent(MainWindow& window, const QString& percent) {
    window.progressPercent->setText(percent);
    window.setWindowTitle(QString::fromLatin1(kProgramCaption) + QStringLiteral("   ") + percent);
}

void showPictureFile(QLabel& picture, const QString& path) {
    QPixmap pixmap = QPixmap::fromImage(loadPicture(path));
    if (pixmap.width() > picture.width() || pixmap.height() > picture.height()) {
        pixmap = pixmap.scaled(picture.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    picture.setPixmap(pixmap);
    picture.setProperty("picturePath", path);
}

}  // namespace

void DownloadPanel::showStage(int row, StageChange change, const QString& caption) {
    MainWindow& w = window_;
    switch (change) {
        case StageChange::Reset:
            hideAllStages(w);
            break;
        case StageChange::Start:
            hideAllStages(w);
            showPair(w, 1, &StageRow::working, true);
            // The next player of the list: the stop was the previous one's.
            stopPressed_ = false;
            bytesHidden_ = false;
            w.progressText->setText(QString());
            break;
        case StageChange::Advance:
            showPair(w, row - 1, &StageRow::working, false);
            setCaption(w, row - 1, &StageRow::complete, caption);
            showPair(w, row - 1, &StageRow::complete, true);
            showPair(w, row, &StageRow::working, true);
            break;
        case StageChange::Info:
            showPair(w, row - 1, &StageRow::working, false);
            setCaption(w, row, &StageRow::info, caption);
            showPair(w, row, &StageRow::info, true);
            bytesHidden_ = true;
            w.downloadedBytes->setText(QString());
            break;
        case StageChange::Failed:
            setCaption(w, row, &StageRow::failed, caption);
            showPair(w, row, &StageRow::failed, true);
            showPair(w, row, &StageRow::working, false);
            w.setWindowTitle(QString::fromLatin1(kProgramCaption));
            break;
        case StageChange::Working:
            showPair(w, row, &StageRow::working, true);
            break;
        case StageChange::Complete:
            showPair(w, row, &StageRow::working, false);
            setCaption(w, row, &StageRow::complete, caption);
            showPair(w, row, &StageRow::complete, true);
            w.setWindowTitle(QString::fromLatin1(kProgramCaption));
            break;
    }
}

void DownloadPanel::showGameProgress(int done, int count, qint64 elapsedMs) {
    MainWindow& w = window_;
    if (done >= count) {
        showPercent(w, QStringLiteral("100%"));
        setBarWidth(*w.progressFull, w.progressEmpty->width());
        return;
    }
    if (done == 0) {
        gamesStartMs_ = elapsedMs;
        w.progressEmpty->show();
        setBarWidth(*w.progressFull, TwipsScale::forWidget(w).xToPixels(1));
        w.progressFull->show();
        w.progressPercent->show();
    }
    w.progressText->setText(gameCountText(done, count, elapsedMs - gamesStartMs_));
    showPercent(w, progressPercent(done, count));
    const double share = static_cast<double>(done) / count;
    setBarWidth(*w.progressFull, static_cast<int>(std::lround(share * w.progressEmpty->width())));
    w.elapsedTime->setText(elapsedText(elapsedMs));
}

void DownloadPanel::clearProgress() {
    MainWindow& w = window_;
    w.stopButton->hide();
    w.progressText->setText(QString());
    w.elapsedTime->setText(QString());
    w.downloadedBytes->setText(QString());
    w.progressEmpty->hide();
    w.progressFull->hide();
    w.progressPercent->hide();
    if (stopPressed_) {
        showStopped();
    }
}

void DownloadPanel::showBytes(double total) {
    if (!bytesHidden_) {
        window_.downloadedBytes->setText(downloadedBytesText(total));
    }
}

// Stop ended the player's download: the games read before it are kept (the
// clean-up merged them), and the display says so rather than going blank.
void DownloadPanel::showStopped() {
    MainWindow& w = window_;
    w.progressText->setText(QString::fromLatin1(kDownloadStoppedText));
    w.setWindowTitle(QString::fromLatin1(kProgramCaption));
}

// The session checked the picture; one that still cannot be shown leaves the
// avatar empty.
void DownloadPanel::showPicture(const QString& path) {
    QLabel& avatar = *window_.avatarPicture;
    try {
        showPictureFile(avatar, path);
    } catch (const AppError&) {
        avatar.clear();
        avatar.setProperty("picturePath", QString());
    }
}

}  // namespace tw
