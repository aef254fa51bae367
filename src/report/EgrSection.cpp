#include <cmath>

#include "app/ProgramState.h"
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

void FillRating(const Recordset& rs, QByteArray& text) {
    const int32_t efficiency = ShownPoints(rs.Field(QStringLiteral("Points1")));
    const int32_t marksmanship = ShownPoints(rs.Field(QStringLiteral("Points2")));
    const int32_t honor = ShownPoints(rs.Field(QStringLiteral("Points3")));
    ReplaceToken(text, "?EGR_EFFICIENCY?", QString::number(efficiency));
    ReplaceToken(text, "?EGR_MARKSMANSHIP?", QString::number(marksmanship));
    ReplaceToken(text, "?EGR_HONOR?", QString::number(honor));
    int32_t rating = efficiency + marksmanship + honor;
    if (rating >= kRatingCap) {
        rating = kCappedRating;
    }
    ReplaceToken(text, "?EGR?", QString::number(rating));
    ReplaceToken(text, "?EGR_ICON?", RatingIcon(rating));
}

// Only tokens still in the page change, so a computed rating stays.
void FillFallbacks(QByteArray& text) {
    ReplaceToken(text, "?EGR_EFFICIENCY?", QStringLiteral("-"));
    ReplaceToken(text, "?EGR_MARKSMANSHIP?", QStringLiteral("-"));
    ReplaceToken(text, "?EGR_HONOR?", QStringLiteral("-"));
    ReplaceToken(text, "?EGR?", QStringLiteral("000"));
    ReplaceToken(text, "?EGR_ICON?", QStringLiteral("..\\egr\\E00.jpg"));
}

}  // namespace

void EgrSection(ProgramState& state, QByteArray& reportText) {
    if (OpenSection(state, EgrStatement(state.CurrentGamertag))) {
        const Recordset& rs = *state.rsWork;
        const Variant games = rs.Field(QStringLiteral("Games"));
        ReplaceToken(reportText, "?EGR_SAMPLE_SIZE?", games.toText());
        if (games.toDouble() >= kMinimumSampleGames) {
            FillRating(rs, reportText);
        }
    }
    FillFallbacks(reportText);
    CloseSection(state);
}

}  // namespace tw
