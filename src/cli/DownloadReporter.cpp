#include "cli/DownloadReporter.h"

#include "cli/CliPrompter.h"
#include "download/ProgressDisplay.h"

namespace tw::batch {
namespace {

constexpr int kBarWidth = 20;

QString counts(int done, int count) {
    return QString::number(done) + QStringLiteral(" of ") + QString::number(count);
}

}  // namespace

QString progressBarLine(int done, int count, qint64 elapsedMs) {
    const int filled = count > 0 ? done * kBarWidth / count : kBarWidth;
    return QStringLiteral("  [") + QString(filled, QLatin1Char('#')) +
           QString(kBarWidth - filled, QLatin1Char('-')) + QStringLiteral("]  ") +
           counts(done, count) + QStringLiteral("   ") + progressPercent(done, count) +
           QStringLiteral("   ") + elapsedText(elapsedMs);
}

QString progressLine(int done, int count, qint64 elapsedMs) {
    return QStringLiteral("  Games read: ") + counts(done, count) + QStringLiteral(" (") +
           progressPercent(done, count) + QStringLiteral(")   ") + elapsedText(elapsedMs);
}

DownloadReporter::DownloadReporter(DownloadSession& session, CliPrompter& prompter, std::FILE* out,
                                   bool terminal)
    : QObject(&session), prompter_(prompter), out_(out), terminal_(terminal) {
    connect(&session, &DownloadSession::playerStarted, this, &DownloadReporter::playerStarted);
    connect(&session, &DownloadSession::stageChanged, this, &DownloadReporter::stageChanged);
    connect(&session, &DownloadSession::gameProgress, this, &DownloadReporter::progressShown);
}

void DownloadReporter::playerStarted(const QString& gamertag) {
    lastTenth_ = 0;
    printLine(gamertag);
}

// The rows that end a stage are printed with the caption the window shows.
void DownloadReporter::stageChanged(int row, DownloadSession::StageChange change,
                                    const QString& caption) {
    using Change = DownloadSession::StageChange;
    switch (change) {
        case Change::Advance:
            if (row > 1) {
                stageEnded(caption, false);
            }
            break;
        case Change::Info:
        case Change::Complete:
            stageEnded(caption, false);
            break;
        case Change::Failed:
            stageEnded(caption, true);
            break;
        default:
            break;
    }
}

void DownloadReporter::stageEnded(const QString& caption, bool failure) {
    failureSeen_ = failureSeen_ || failure;
    if (!failure) {
        prompter_.resetRetries();
    }
    printLine(QStringLiteral("  ") + caption);
}

void DownloadReporter::progressShown(int done, int count, qint64 elapsedMs) {
    if (count <= 0) {
        return;
    }
    if (terminal_) {
        writeText(out_, QLatin1Char('\r') + progressBarLine(done, count, elapsedMs));
        barOpen_ = true;
        if (done == count) {
            writeText(out_, QStringLiteral("\n"));
            barOpen_ = false;
        }
        return;
    }
    const int tenth = done * 10 / count;
    if (tenth > lastTenth_) {
        lastTenth_ = tenth;
        printLine(progressLine(done, count, elapsedMs));
    }
}

void DownloadReporter::printLine(const QString& line) {
    if (barOpen_) {
        writeText(out_, QStringLiteral("\n"));
        barOpen_ = false;
    }
    writeText(out_, line + QLatin1Char('\n'));
}

}  // namespace tw::batch
