#include "gui/DownloadTexts.h"

#include "download/ProgressDisplay.h"

namespace tw {

QString timeLeftText(int done, int count, int64_t msForDone) {
    if (done <= 0 || done >= count || msForDone < 0) {
        return {};
    }
    // Rounded up, here and to the second: "00:00:00 left" would say the run
    // is over while games remain.
    const int64_t left = (msForDone * (count - done) + done - 1) / done;
    constexpr int64_t kSecondMs = 1000;
    const int64_t wholeSeconds = (left + kSecondMs - 1) / kSecondMs;
    return QStringLiteral("about ") + elapsedText(wholeSeconds * kSecondMs) +
           QStringLiteral(" left");
}

QString gameCountText(int done, int count, int64_t msForDone) {
    const QString left = timeLeftText(done, count, msForDone);
    const QString reading = progressText(done + 1, count);
    return left.isEmpty() ? reading : reading + QStringLiteral("   ") + left;
}

}  // namespace tw
