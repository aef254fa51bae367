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
int32_t ShownPoints(const Variant& points) {
    return static_cast<int32_t>(std::floor(points.toDouble() * 10.0));
}

// The picture of the rating's hundreds. A negative rating has no band of its
// own; it shows the lowest picture rather than a name no picture has.
QString RatingIcon(int32_t rating) {
    const int32_t band = rating < 0 ? 0 : rating / 100;
    return QStringLiteral("..\\egr\\E") + Format(Variant(band), QStringLiteral("00")) +
           QStringLiteral(".jpg");
}

// A point that the player's figures cannot give (marksmanship without any
// hit) shows "-", and without all three points there is no rating.
void FillRating(const Recordset& rs, ReportPage& page) {
    const Variant points[] = {rs.Field(QStringLiteral("Points1")),
                              rs.Field(QStringLiteral("Points2")),
                              rs.Field(QStringLiteral("Points3"))};
    const char* const tokens[] = {"?EGR_EFFICIENCY?", "?EGR_MARKSMANSHIP?", "?EGR_HONOR?"};
    int32_t rating = 0;
    bool complete = true;
    for (size_t i = 0; i < std::size(points); ++i) {
        if (points[i].isNull()) {
            complete = false;
            continue;
        }
        const int32_t shown = ShownPoints(points[i]);
        page.Fill(tokens[i], QString::number(shown));
        rating += shown;
    }
    if (!complete) {
        return;
    }
    if (rating >= kRatingCap) {
        rating = kCappedRating;
    }
    page.Fill("?EGR?", QString::number(rating));
    page.Fill("?EGR_ICON?", RatingIcon(rating));
}

// Only tokens still open change, so a computed rating stays.
void FillFallbacks(ReportPage& page) {
    page.Fill("?EGR_EFFICIENCY?", QStringLiteral("-"));
    page.Fill("?EGR_MARKSMANSHIP?", QStringLiteral("-"));
    page.Fill("?EGR_HONOR?", QStringLiteral("-"));
    page.Fill("?EGR?", QStringLiteral("000"));
    page.Fill("?EGR_ICON?", QStringLiteral("..\\egr\\E00.jpg"));
}

// The sample size, 0 without any unpurged ranked game. A player without
// stored games has no row, and the size stays as it is.
Variant SampleGames(ReportRun& run, ReportPage& page) {
    Variant games;
    if (OpenSection(run, SampleStatement(run.gamertag))) {
        games = CountOrZero(run.rs->Field(QStringLiteral("Games")));
        page.Fill("?EGR_SAMPLE_SIZE?", games.toText());
    }
    CloseSection(run);
    return games;
}

}  // namespace

// The rating statement runs only on a sample large enough to be shown, so
// nothing of it is evaluated for a player with fewer games.
void EgrSection(ReportRun& run, ReportPage& page) {
    const Variant games = SampleGames(run, page);
    if (!games.isNull() && games.toDouble() >= kMinimumSampleGames &&
        OpenSection(run, EgrStatement(run.gamertag))) {
        FillRating(*run.rs, page);
    }
    FillFallbacks(page);
    CloseSection(run);
}

}  // namespace tw
