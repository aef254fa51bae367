#include <cmath>
#include <iterator>

#include "db/Format.h"
#include "report/ReportSection.h"
#include "report/ReportSections.h"
#include "report/ReportStatements.h"
#include "report/ReportTokens.h"

namespace tw {

namespace {

constexpr double kMinimumSampleGames = 100;
constexpr int32_t kRatingCap = 1000;
constexpr int32_t kCappedRating = 901;

// Points × 10, rounded toward minus infinity.
int32_t shownPoints(const Variant& points) {
    return static_cast<int32_t>(std::floor(points.toDouble() * 10.0));
}

// The picture of the rating's hundreds. A negative rating has no band of its
// own; it shows the lowest picture rather than a name no picture has.
QString ratingIcon(int32_t rating) {
    const int32_t band = rating < 0 ? 0 : rating / 100;
    return QStringLiteral("..\\egr\\E") + format(Variant(band), QStringLiteral("00")) +
           QStringLiteral(".jpg");
}

// A point that the player's figures cannot give (marksmanship without any
// hit) shows "-", and without all three points there is no rating.
void fillRating(const Recordset& rs, ReportPage& page) {
    const Variant points[] = {rs.field(QStringLiteral("Points1")),
                              rs.field(QStringLiteral("Points2")),
                              rs.field(QStringLiteral("Points3"))};
    const char* const tokens[] = {"?EGR_EFFICIENCY?", "?EGR_MARKSMANSHIP?", "?EGR_HONOR?"};
    int32_t rating = 0;
    bool complete = true;
    for (size_t i = 0; i < std::size(points); ++i) {
        if (points[i].isNull()) {
            complete = false;
            continue;
        }
        const int32_t shown = shownPoints(points[i]);
        page.fill(tokens[i], QString::number(shown));
        rating += shown;
    }
    if (!complete) {
        return;
    }
    if (rating >= kRatingCap) {
        rating = kCappedRating;
    }
    page.fill("?EGR?", QString::number(rating));
    page.fill("?EGR_ICON?", ratingIcon(rating));
}

// Only tokens still open change, so a computed rating stays.
void fillFallbacks(ReportPage& page) {
    page.fill("?EGR_EFFICIENCY?", QStringLiteral("-"));
    page.fill("?EGR_MARKSMANSHIP?", QStringLiteral("-"));
    page.fill("?EGR_HONOR?", QStringLiteral("-"));
    page.fill("?EGR?", QStringLiteral("000"));
    page.fill("?EGR_ICON?", QStringLiteral("..\\egr\\E00.jpg"));
}

// The sample size, 0 without any unpurged ranked game. A player without
// stored games has no row, and the size stays as it is.
Variant sampleGames(ReportRun& run, ReportPage& page) {
    Variant games;
    if (openSection(run, sampleStatement(run.gamertag))) {
        games = countOrZero(run.rs->field(QStringLiteral("Games")));
        page.fill("?EGR_SAMPLE_SIZE?", games.toText());
    }
    closeSection(run);
    return games;
}

}  // namespace

// The rating statement runs only on a sample large enough to be shown, so
// nothing of it is evaluated for a player with fewer games.
void egrSection(ReportRun& run, ReportPage& page) {
    const Variant games = sampleGames(run, page);
    if (!games.isNull() && games.toDouble() >= kMinimumSampleGames &&
        openSection(run, egrStatement(run.gamertag))) {
        fillRating(*run.rs, page);
    }
    fillFallbacks(page);
    closeSection(run);
}

}  // namespace tw
