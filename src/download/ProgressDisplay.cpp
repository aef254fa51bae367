#include "download/ProgressDisplay.h"

#include <QFrame>
#include <QLabel>
#include <algorithm>
#include <cmath>

#include "app/ProgramState.h"

#include "db/Format.h"
#include "ui/Twips.h"
#include "ui/frmMain.h"

namespace tw {
namespace {

void SetBarWidth(QFrame& bar, int pixels) {
    bar.resize(pixels, bar.height());
}

void ShowPercent(frmMain& window, const QString& percent) {
    window.lblProgressPercent->setText(percent);
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

void ShowProgressStart(frmMain& window, int count) {
    window.lblProgressText->setText(ProgressText(1, count));
    window.shpProgressEmpty->show();
    SetBarWidth(*window.shpProgressFull, TwipsScale::ForWidget(window).XToPixels(1));
    window.shpProgressFull->show();
    window.lblProgressPercent->show();
}

void ShowGameProgress(frmMain& window, int done, int count, int64_t elapsedMs) {
    window.lblProgressText->setText(ProgressText(done + 1, count));
    ShowPercent(window, ProgressPercent(done, count));
    const double share = static_cast<double>(done) / count;
    SetBarWidth(*window.shpProgressFull,
                static_cast<int>(std::lround(share * window.shpProgressEmpty->width())));
    window.lblElapsedTime->setText(ElapsedText(elapsedMs));
    // Only the progress controls changed: painting them now is what the user
    // sees, without redrawing the whole window for every game.
    for (QWidget* control : {static_cast<QWidget*>(window.shpProgressEmpty),
                             static_cast<QWidget*>(window.shpProgressFull),
                             static_cast<QWidget*>(window.lblProgressPercent),
                             static_cast<QWidget*>(window.lblProgressText),
                             static_cast<QWidget*>(window.lblElapsedTime)}) {
        control->repaint();
    }
}

void ShowProgressEnd(frmMain& window) {
    ShowPercent(window, QStringLiteral("100%"));
    SetBarWidth(*window.shpProgressFull, window.shpProgressEmpty->width());
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

void ShowFailedStage(frmMain& window, ProgramState& state, const QString& caption) {
    const int row = std::clamp<int>(state.CurrentStage, 1, 5);
    state.CurrentStage = static_cast<int16_t>(row);
    window.lblStageFailed[row]->setText(caption);
    window.ShowStage(state, StageState::Failed);
}

}  // namespace tw
