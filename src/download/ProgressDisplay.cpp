#include "download/ProgressDisplay.h"

#include <QFrame>
#include <QLabel>
#include <algorithm>
#include <cmath>

#include "core/Session.h"

#include "db/Format.h"
#include "gui/Twips.h"
#include "gui/MainWindow.h"

namespace tw {
namespace {

void SetBarWidth(QFrame& bar, int pixels) {
    bar.resize(pixels, bar.height());
}

void ShowPercent(MainWindow& window, const QString& percent) {
    window.progressPercent->setText(percent);
    window.setWindowTitle(QString::fromLatin1(kProgramCaption) + QStringLiteral("   ") + percent);
}

}  // namespace

QString ProgressText(int reading, int count) {
    return QStringLiteral("Reading...   ") + QString::number(reading) + QStringLiteral(" of ") +
           QString::number(count);
}

QString ProgressPercent(int done, int count) {
    return Format(Variant(static_cast<double>(done) / count), QStringLiteral("0%"));
}

QString ElapsedText(int64_t milliseconds) {
    const double seconds = std::floor(static_cast<double>(milliseconds) / 1000.0);
    return Format(Variant::FromSerialDate(seconds / 86400.0), QStringLiteral("hh:mm:ss"));
}

void ShowProgressStart(MainWindow& window, int count) {
    window.progressText->setText(ProgressText(1, count));
    window.progressEmpty->show();
    SetBarWidth(*window.progressFull, TwipsScale::ForWidget(window).XToPixels(1));
    window.progressFull->show();
    window.progressPercent->show();
}

void ShowGameProgress(MainWindow& window, int done, int count, int64_t elapsedMs) {
    window.progressText->setText(ProgressText(done + 1, count));
    ShowPercent(window, ProgressPercent(done, count));
    const double share = static_cast<double>(done) / count;
    SetBarWidth(*window.progressFull,
                static_cast<int>(std::lround(share * window.progressEmpty->width())));
    window.elapsedTime->setText(ElapsedText(elapsedMs));
    // Only the progress controls changed: painting them now is what the user
    // sees, without redrawing the whole window for every game.
    for (QWidget* control : {static_cast<QWidget*>(window.progressEmpty),
                             static_cast<QWidget*>(window.progressFull),
                             static_cast<QWidget*>(window.progressPercent),
                             static_cast<QWidget*>(window.progressText),
                             static_cast<QWidget*>(window.elapsedTime)}) {
        control->repaint();
    }
}

void ShowProgressEnd(MainWindow& window) {
    ShowPercent(window, QStringLiteral("100%"));
    SetBarWidth(*window.progressFull, window.progressEmpty->width());
}

}  // namespace tw

namespace tw {

QString FailedStageCaption(int row, bool connection) {
    switch (row) {
        case 1:
            return connection ? QStringLiteral("No connection")
                              : QStringLiteral("No usable answer");
        case 2:
            return QStringLiteral("Player page not read");
        case 3:
            return QStringLiteral("Game list not read");
        case 4:
            return QStringLiteral("Data extraction failed");
        default:
            return QStringLiteral("Database not updated");
    }
}

void ShowFailedStage(MainWindow& window, Session& state, const QString& caption) {
    const int row = std::clamp<int>(state.CurrentStage, 1, 5);
    state.CurrentStage = static_cast<int16_t>(row);
    window.stageFailedLabels[row]->setText(caption);
    window.ShowStage(state, StageState::Failed);
}

}  // namespace tw
