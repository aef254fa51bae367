#include "report/ReportSection.h"
#include "report/ReportSections.h"
#include "report/ReportStatements.h"
#include "report/ReportTokens.h"
#include "report/VariantArithmetic.h"

namespace tw {

namespace {

// value + " (" + value ÷ divisor in `pattern` + suffix + ")"; "-" for a
// missing value and for a rate over nothing.
QString withRate(const Variant& value, const Variant& divisor, const char* pattern,
                 const char* suffix) {
    if (value.isNull()) {
        return QString::fromLatin1(kNoValue);
    }
    return value.toText() + QStringLiteral(" (") +
           rateText(value, divisor, QString::fromLatin1(pattern)) + QString::fromLatin1(suffix) +
           QLatin1Char(')');
}

// Seconds as "1h 23m 20s"; "-" without any stored duration.
QString timePlayed(const Variant& seconds) {
    if (seconds.isNull()) {
        return QString::fromLatin1(kNoValue);
    }
    const int64_t t = seconds.toLong();
    return QStringLiteral("%1h %2m %3s").arg(t / 3600).arg(t % 3600 / 60).arg(t % 3600 % 60);
}

// The counts of the sub-selects have no value when nothing matched: no
// ranked game, no first place, no purged game, no medal all count 0.
void fillGames(const Recordset& rs, ReportPage& page) {
    const Variant all = rs.field(QStringLiteral("AllGames"));
    const Variant ranked = countOrZero(rs.field(QStringLiteral("RankGames")));
    page.fill("?TOTAL_GAMES?", all.toText() + QStringLiteral(" (") + ranked.toText() +
                                   QStringLiteral("r ") + subtractVariants(all, ranked).toText() +
                                   QStringLiteral("c)"));
    page.fill("?TOTAL_FIRSTS?",
              withRate(countOrZero(rs.field(QStringLiteral("Firsts"))), all, "0 %", ""));
    page.fill("?TOTAL_KILLS?", withRate(rs.field(QStringLiteral("Kills")), all, "0.0", " kpg"));
    page.fill("?TOTAL_ASSISTS?", withRate(rs.field(QStringLiteral("Assists")), all, "0.0", " apg"));
    page.fill("?TOTAL_DEATHS?", withRate(rs.field(QStringLiteral("Deaths")), all, "0.0", " dpg"));
    // Partially purged games keep no medals, so medals go over the others.
    const Variant unpurged =
        subtractVariants(all, countOrZero(rs.field(QStringLiteral("PurgedGames"))));
    page.fill("?TOTAL_MEDALS?",
              withRate(countOrZero(rs.field(QStringLiteral("Medals"))), unpurged, "0.0", " mpg"));
    page.fill("?TOTAL_TIME_PLAYED?", timePlayed(rs.field(QStringLiteral("Time_Played"))));
}

// A player none of whose games kept shot data has no shot figures; one who
// fired no shot has no hit rate.
void fillShots(const Recordset& rs, ReportPage& page) {
    const Variant fired = rs.field(QStringLiteral("Shots_Fired"));
    page.fill("?TOTAL_SHOTS_HIT?",
              fired.isNull() ? QString::fromLatin1(kNoValue)
                             : withRate(rs.field(QStringLiteral("Shots_Hit")), fired, "0 %", ""));
    page.fill("?TOTAL_SHOTS_FIRED?", figureText(fired));
    page.fill("?TOTAL_SHOTS_HEAD?", figureText(rs.field(QStringLiteral("Shots_to_Head"))));
}

}  // namespace

void careerSection(ReportRun& run, ReportPage& page) {
    if (openSection(run, careerStatement(run.gamertag))) {
        fillGames(*run.rs, page);
        fillShots(*run.rs, page);
    }
    closeSection(run);
}

}  // namespace tw
