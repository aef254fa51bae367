// The download's display: the five stage rows, the progress bar with its
// percentage (also in the window title), the elapsed time, the bytes and the
// emblem, drawn from the session's signals.

#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <cmath>

#include "core/LoadPicture.h"
#include "download/ProgressDisplay.h"
#include "gui/DownloadPanel.h"
#include "gui/MainWindow.h"
#include "gui/Twips.h"

namespace tw {
namespace {

using StageLabels = ControlArray<QLabel, 5>;

void ShowPair(const StageLabels& labels, const StageLabels& pictures, int row, bool visible) {
    if (row < 1 || row > 5) {
        return;
    }
    labels[row]->setVisible(visible);
    pictures[row]->setVisible(visible);
}

void SetCaption(const StageLabels& labels, int row, const QString& caption) {
    if (row >= 1 && row <= 5 && !caption.isEmpty()) {
        labels[row]->setText(caption);
    }
}

void HideAllStages(MainWindow& w) {
    for (int row = 1; row <= 5; ++row) {
        ShowPair(w.stageWorkingLabels, w.stageWorkingIcons, row, false);
        ShowPair(w.stageCompleteLabels, w.stageCompleteIcons, row, false);
        ShowPair(w.stageFailedLabels, w.stageFailedIcons, row, false);
        ShowPair(w.stageInfoLabels, w.stageInfoIcons, row, false);
    }
}

void SetBarWidth(QFrame& bar, int pixels) {
    bar.resize(pixels, bar.height());
}

void ShowPercent(MainWindow& window, const QString& percent) {
    window.progressPercent->setText(percent);
    window.setWindowTitle(QString::fromLatin1(kProgramCaption) + QStringLiteral("   ") + percent);
}

void ShowPictureFile(QLabel& picture, const QString& path) {
    QPixmap pixmap = QPixmap::fromImage(LoadPicture(path));
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
            HideAllStages(w);
            break;
        case StageChange::Start:
            HideAllStages(w);
            ShowPair(w.stageWorkingLabels, w.stageWorkingIcons, 1, true);
            break;
        case StageChange::Advance:
            ShowPair(w.stageWorkingLabels, w.stageWorkingIcons, row - 1, false);
            SetCaption(w.stageCompleteLabels, row - 1, caption);
            ShowPair(w.stageCompleteLabels, w.stageCompleteIcons, row - 1, true);
            ShowPair(w.stageWorkingLabels, w.stageWorkingIcons, row, true);
            break;
        case StageChange::Info:
            ShowPair(w.stageWorkingLabels, w.stageWorkingIcons, row - 1, false);
            SetCaption(w.stageInfoLabels, row, caption);
            ShowPair(w.stageInfoLabels, w.stageInfoIcons, row, true);
            break;
        case StageChange::Failed:
            SetCaption(w.stageFailedLabels, row, caption);
            ShowPair(w.stageFailedLabels, w.stageFailedIcons, row, true);
            ShowPair(w.stageWorkingLabels, w.stageWorkingIcons, row, false);
            w.setWindowTitle(QString::fromLatin1(kProgramCaption));
            break;
        case StageChange::Working:
            ShowPair(w.stageWorkingLabels, w.stageWorkingIcons, row, true);
            break;
        case StageChange::Complete:
            ShowPair(w.stageWorkingLabels, w.stageWorkingIcons, row, false);
            SetCaption(w.stageCompleteLabels, row, caption);
            ShowPair(w.stageCompleteLabels, w.stageCompleteIcons, row, true);
            w.setWindowTitle(QString::fromLatin1(kProgramCaption));
            break;
    }
}

void DownloadPanel::showGameProgress(int done, int count, qint64 elapsedMs) {
    MainWindow& w = window_;
    if (done >= count) {
        ShowPercent(w, QStringLiteral("100%"));
        SetBarWidth(*w.progressFull, w.progressEmpty->width());
        return;
    }
    if (done == 0) {
        w.progressEmpty->show();
        SetBarWidth(*w.progressFull, TwipsScale::ForWidget(w).XToPixels(1));
        w.progressFull->show();
        w.progressPercent->show();
    }
    w.progressText->setText(ProgressText(done + 1, count));
    ShowPercent(w, ProgressPercent(done, count));
    const double share = static_cast<double>(done) / count;
    SetBarWidth(*w.progressFull, static_cast<int>(std::lround(share * w.progressEmpty->width())));
    w.elapsedTime->setText(ElapsedText(elapsedMs));
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
}

void DownloadPanel::showBytes(double total) {
    window_.downloadedBytes->setText(downloadedBytesText(total));
}

// The session checked the picture; one that still cannot be shown leaves the
// avatar empty.
void DownloadPanel::showPicture(const QString& path) {
    QLabel& avatar = *window_.avatarPicture;
    try {
        ShowPictureFile(avatar, path);
    } catch (const AppError&) {
        avatar.clear();
        avatar.setProperty("picturePath", QString());
    }
}

}  // namespace tw
