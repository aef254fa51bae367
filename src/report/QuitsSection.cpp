#include "report/ReportSection.h"
#include "report/ReportSections.h"
#include "report/ReportStatements.h"
#include "report/ReportTokens.h"
#include "report/VariantArithmetic.h"

namespace tw {

namespace {

QString quitsText(const Variant& quits, int32_t games) {
    return quits.joinText() + QStringLiteral(" (") +
           rateText(quits, Variant(games), QStringLiteral("0 %")) + QLatin1Char(')');
}

// Custom games are all games less the ranked ones; a player without ranked
// games has no ranked count, which reads as 0 here.
int32_t customGames(const Recordset& rs) {
    const Variant ranked = rs.field(QStringLiteral("RankGames"));
    return static_cast<int32_t>(subtractVariants(rs.field(QStringLiteral("AllGames")),
                                                 ranked.isNull() ? Variant(0) : ranked)
                                    .toLong());
}

}  // namespace

void quitsSection(ReportRun& run, ReportPage& page) {
    if (!openSection(run, quitsStatement(run.gamertag))) {
        return;
    }
    Recordset& rs = *run.rs;
    for (; !rs.isEof(); rs.moveNext()) {
        const Variant quits = rs.field(QStringLiteral("Quits"));
        if (rs.field(QStringLiteral("IsRank")).joinText() == QLatin1String("Y")) {
            const auto ranked =
                static_cast<int32_t>(rs.field(QStringLiteral("RankGames")).toLong());
            page.fill("?TOTAL_RANKED_QUITS?", quitsText(quits, ranked));
        } else {
            page.fill("?TOTAL_CUSTOM_QUITS?", quitsText(quits, customGames(rs)));
        }
    }
}

}  // namespace tw
