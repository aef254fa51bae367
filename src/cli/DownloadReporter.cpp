#include "cli/DownloadReporter.h"

#include <QEvent>
#include <QLabel>

#include "core/Session.h"
#include "cli/CliPrompter.h"
#include "download/Downloader.h"
#include "download/ProgressDisplay.h"
#include "gui/MainWindow.h"

namespace tw::batch {
namespace {

constexpr int kBarWidth = 20;

// Object names of the labels whose showing ends a stage, and whether that
// end is a failure.
struct WatchedKind {
    const char* prefix;
    bool failure;
};
constexpr WatchedKind kWatched[] = {
    {"lblStageComplete_", false}, {"lblStageInfo_", false}, {"lblStageFailed_", true}};

QString Counts(int done, int count) {
    return QString::number(done) + QStringLiteral(" of ") + QString::number(count);
}

}  // namespace

QString ProgressBarLine(int done, int count, qint64 elapsedMs) {
    const int filled = count > 0 ? done * kBarWidth / count : kBarWidth;
    return QStringLiteral("  [") + QString(filled, QLatin1Char('#')) +
           QString(kBarWidth - filled, QLatin1Char('-')) + QStringLiteral("]  ") +
           Counts(done, count) + QStringLiteral("   ") + ProgressPercent(done, count) +
           QStringLiteral("   ") + ElapsedText(elapsedMs);
}

QString ProgressLine(int done, int count, qint64 elapsedMs) {
    return QStringLiteral("  Games read: ") + Counts(done, count) + QStringLiteral(" (") +
           ProgressPercent(done, count) + QStringLiteral(")   ") + ElapsedText(elapsedMs);
}

DownloadReporter::DownloadReporter(Session& state, MainWindow& window, Downloader& downloader,
                                   CliPrompter& prompter, std::FILE* out, bool terminal)
    : QObject(&window),
      state_(state),
      window_(window),
      prompter_(prompter),
      out_(out),
      terminal_(terminal) {
    WatchStageLabels();
    connect(&downloader, &Downloader::ProgressShown, this, &DownloadReporter::ProgressShown);
}

void DownloadReporter::WatchStageLabels() {
    for (int row = 1; row <= 5; ++row) {
        window_.stageWorkingLabels[row]->installEventFilter(this);
        window_.stageCompleteLabels[row]->installEventFilter(this);
        window_.stageInfoLabels[row]->installEventFilter(this);
        window_.stageFailedLabels[row]->installEventFilter(this);
    }
}

bool DownloadReporter::eventFilter(QObject* watched, QEvent* event) {
    // The window is never shown, so its labels get "shown to parent" events only.
    if (event->type() == QEvent::ShowToParent) {
        StageShown(watched);
    }
    return false;
}

void DownloadReporter::StageShown(QObject* label) {
    // The first row's working pair is shown when a player's download begins.
    if (label == window_.stageWorkingLabels[1]) {
        lastTenth_ = 0;
        PrintLine(state_.CurrentGamertag);
        return;
    }
    const QString name = label->objectName();
    for (const WatchedKind& kind : kWatched) {
        if (name.startsWith(QLatin1String(kind.prefix))) {
            failureSeen_ = failureSeen_ || kind.failure;
            if (!kind.failure) {
                prompter_.ResetRetries();
            }
            PrintLine(QStringLiteral("  ") + static_cast<QLabel*>(label)->text());
        }
    }
}

void DownloadReporter::ProgressShown(int done, int count, qint64 elapsedMs) {
    if (count <= 0) {
        return;
    }
    if (terminal_) {
        WriteText(out_, QLatin1Char('\r') + ProgressBarLine(done, count, elapsedMs));
        barOpen_ = true;
        if (done == count) {
            WriteText(out_, QStringLiteral("\n"));
            barOpen_ = false;
        }
        return;
    }
    const int tenth = done * 10 / count;
    if (tenth > lastTenth_) {
        lastTenth_ = tenth;
        PrintLine(ProgressLine(done, count, elapsedMs));
    }
}

void DownloadReporter::PrintLine(const QString& line) {
    if (barOpen_) {
        WriteText(out_, QStringLiteral("\n"));
        barOpen_ = false;
    }
    WriteText(out_, line + QLatin1Char('\n'));
}

}  // namespace tw::batch
