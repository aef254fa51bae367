#include "download/ProgressDisplay.h"

#include <cmath>

#include "db/Format.h"

namespace tw {

QString progressText(int reading, int count) {
    return QStringLiteral("Reading...   ") + QString::number(reading) + QStringLiteral(" of ") +
           QString::number(count);
}

QString progressPercent(int done, int count) {
    return format(Variant(static_cast<double>(done) / count), QStringLiteral("0%"));
}

QString elapsedText(int64_t milliseconds) {
    const double seconds = std::floor(static_cast<double>(milliseconds) / 1000.0);
    return format(Variant::fromSerialDate(seconds / 86400.0), QStringLiteral("hh:mm:ss"));
}

QString downloadedBytesText(double bytes) {
    return format(Variant(bytes), QStringLiteral("0,000")) + QStringLiteral(" bytes");
}

QString completedStageCaption(int row) {
    switch (row) {
        case 1:
            return QStringLiteral("Connection established");
        case 2:
            return QStringLiteral("Gamertag found");
        case 3:
            return QStringLiteral("New games found");
        case 4:
            return QStringLiteral("Data extracted");
        default:
            return QStringLiteral("Process complete");
    }
}

QString failedStageCaption(int row, bool connection) {
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

}  // namespace tw
