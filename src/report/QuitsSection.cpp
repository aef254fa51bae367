#include "report/ReportSection.h"
#include "report/ReportSections.h"
#include "report/ReportStatements.h"
#include "report/ReportTokens.h"
#include "report/VariantArithmetic.h"

namespace tw {

namespace {

QString QuitsText(const Variant& quits, int32_t games) {
    return quits.joinText() + QStringLiteral(" (") +
           RateText(quits, Variant(games), QStringLiteral("0 %")) + QLatin1Char(')');
}

// Custom games are all games less the ranked ones; a player without ranked
// games has no ranked count, which reads as 0 here.
int32_t CustomGames(const Recordset& rs) {
    const Variant ranked = rs.Field(QStringLiteral("RankGames"));
    return static_cast<int32_t>(subtractVariants(rs.Field(QStringLiteral("AllGames")),
                                                 ranked.isNull() ? Variant(0) : ranked)
                                    .toLong());
}

}  // namespace

void QuitsSection(ReportRun& run, ReportPage& page) {
    if (!OpenSection(run, QuitsStatement(run.gamertag))) {
        return;
    }
    Recordset& rs = *run.rs;
    for (; !rs.IsEOF(); rs.MoveNext()) {
        const Variant quits = rs.Field(QStringLiteral("Quits"));
        if (rs.Field(QStringLiteral("IsRank")).joinText() == QLatin1String("Y")) {
            const auto ranked =
                static_cast<int32_t>(rs.Field(QStringLiteral("RankGames")).toLong());
            page.Fill("?TOTAL_RANKED_QUITS?", QuitsText(quits, ranked));
        } else {
            page.Fill("?TOTAL_CUSTOM_QUITS?", QuitsText(quits, CustomGames(rs)));
        }
    }
}

}  // namespace tw
