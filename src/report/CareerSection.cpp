#include "report/ReportSection.h"
#include "report/ReportSections.h"
#include "report/ReportStatements.h"
#include "report/ReportTokens.h"
#include "report/VariantArithmetic.h"

namespace tw {

namespace {

// value + " (" + value ÷ divisor in `pattern` + suffix + ")"; "-" for a
// missing value and for a rate over nothing.
QString WithRate(const Variant& value, const Variant& divisor, const char* pattern,
                 const char* suffix) {
    if (value.isNull()) {
        return QString::fromLatin1(kNoValue);
    }
    return value.toText() + QStringLiteral(" (") +
           RateText(value, divisor, QString::fromLatin1(pattern)) + QString::fromLatin1(suffix) +
           QLatin1Char(')');
}

// Seconds as "1h 23m 20s"; "-" without any stored duration.
QString TimePlayed(const Variant& seconds) {
    if (seconds.isNull()) {
        return QString::fromLatin1(kNoValue);
    }
    const int64_t t = seconds.toLong();
    return QStringLiteral("%1h %2m %3s").arg(t / 3600).arg(t % 3600 / 60).arg(t % 3600 % 60);
}

// The counts of the sub-selects have no value when nothing matched: no
// ranked game, no first place, no purged game, no medal all count 0.
void FillGames(const Recordset& rs, ReportPage& page) {
    const Variant all = rs.Field(QStringLiteral("AllGames"));
    const Variant ranked = CountOrZero(rs.Field(QStringLiteral("RankGames")));
    page.Fill("?TOTAL_GAMES?", all.toText() + QStringLiteral(" (") + ranked.toText() +
                                   QStringLiteral("r ") + subtractVariants(all, ranked).toText() +
                                   QStringLiteral("c)"));
    page.Fill("?TOTAL_FIRSTS?",
              WithRate(CountOrZero(rs.Field(QStringLiteral("Firsts"))), all, "0 %", ""));
    page.Fill("?TOTAL_KILLS?", WithRate(rs.Field(QStringLiteral("Kills")), all, "0.0", " kpg"));
    page.Fill("?TOTAL_ASSISTS?", WithRate(rs.Field(QStringLiteral("Assists")), all, "0.0", " apg"));
    page.Fill("?TOTAL_DEATHS?", WithRate(rs.Field(QStringLiteral("Deaths")), all, "0.0", " dpg"));
    // Partially purged games keep no medals, so medals go over the others.
    const Variant unpurged =
        subtractVariants(all, CountOrZero(rs.Field(QStringLiteral("PurgedGames"))));
    page.Fill("?TOTAL_MEDALS?",
              WithRate(CountOrZero(rs.Field(QStringLiteral("Medals"))), unpurged, "0.0", " mpg"));
    page.Fill("?TOTAL_TIME_PLAYED?", TimePlayed(rs.Field(QStringLiteral("Time_Played"))));
}

// A player none of whose games kept shot data has no shot figures; one who
// fired no shot has no hit rate.
void FillShots(const Recordset& rs, ReportPage& page) {
    const Variant fired = rs.Field(QStringLiteral("Shots_Fired"));
    page.Fill("?TOTAL_SHOTS_HIT?",
              fired.isNull() ? QString::fromLatin1(kNoValue)
                             : WithRate(rs.Field(QStringLiteral("Shots_Hit")), fired, "0 %", ""));
    page.Fill("?TOTAL_SHOTS_FIRED?", FigureText(fired));
    page.Fill("?TOTAL_SHOTS_HEAD?", FigureText(rs.Field(QStringLiteral("Shots_to_Head"))));
}

}  // namespace

void CareerSection(ReportRun& run, ReportPage& page) {
    if (OpenSection(run, CareerStatement(run.gamertag))) {
        FillGames(*run.rs, page);
        FillShots(*run.rs, page);
    }
    CloseSection(run);
}

}  // namespace tw
