#include "app/ProgramState.h"
#include "db/Format.h"
#include "report/ReportSection.h"
#include "report/ReportSections.h"
#include "report/ReportStatements.h"
#include "report/ReportTokens.h"
#include "report/VbArithmetic.h"

namespace tw {

namespace {

// value + " (" + value ÷ divisor in `pattern` + suffix + ")"; a missing value
// or divisor leaves the figure in parentheses empty.
QString WithRate(const Variant& value, const Variant& divisor, const char* pattern,
                 const char* suffix) {
    return value.joinText() + QStringLiteral(" (") +
           Format(VbDivide(value, divisor), QString::fromLatin1(pattern)) +
           QString::fromLatin1(suffix) + QLatin1Char(')');
}

// Seconds as "1h 23m 20s"; without any stored duration only the units show.
QString TimePlayed(const Variant& seconds) {
    if (seconds.isNull()) {
        return QStringLiteral("h m s");
    }
    const int64_t t = seconds.toLong();
    return QStringLiteral("%1h %2m %3s").arg(t / 3600).arg(t % 3600 / 60).arg(t % 3600 % 60);
}

void FillGames(const Recordset& rs, QByteArray& text) {
    const Variant all = rs.Field(QStringLiteral("AllGames"));
    const Variant ranked = rs.Field(QStringLiteral("RankGames"));
    ReplaceToken(text, "?TOTAL_GAMES?",
                 all.joinText() + QStringLiteral(" (") + ranked.joinText() + QStringLiteral("r ") +
                     VbSubtract(all, ranked).joinText() + QStringLiteral("c)"));
    ReplaceToken(text, "?TOTAL_FIRSTS?",
                 WithRate(rs.Field(QStringLiteral("Firsts")), all, "0 %", ""));
    ReplaceToken(text, "?TOTAL_KILLS?",
                 WithRate(rs.Field(QStringLiteral("Kills")), all, "0.0", " kpg"));
    ReplaceToken(text, "?TOTAL_ASSISTS?",
                 WithRate(rs.Field(QStringLiteral("Assists")), all, "0.0", " apg"));
    ReplaceToken(text, "?TOTAL_DEATHS?",
                 WithRate(rs.Field(QStringLiteral("Deaths")), all, "0.0", " dpg"));
    // Partially purged games keep no medals, so medals go over the others.
    const Variant purged = rs.Field(QStringLiteral("PurgedGames"));
    const Variant unpurged = VbSubtract(all, purged.isNull() ? Variant(0) : purged);
    ReplaceToken(text, "?TOTAL_MEDALS?",
                 WithRate(rs.Field(QStringLiteral("Medals")), unpurged, "0.0", " mpg"));
    ReplaceToken(text, "?TOTAL_TIME_PLAYED?", TimePlayed(rs.Field(QStringLiteral("Time_Played"))));
}

// A player none of whose games kept shot data gets empty shot figures rather
// than a failed report.
void FillShots(const Recordset& rs, QByteArray& text) {
    const Variant fired = rs.Field(QStringLiteral("Shots_Fired"));
    if (fired.isNull()) {
        ReplaceToken(text, "?TOTAL_SHOTS_HIT?", QString());
        ReplaceToken(text, "?TOTAL_SHOTS_FIRED?", QString());
        ReplaceToken(text, "?TOTAL_SHOTS_HEAD?", QString());
        return;
    }
    ReplaceToken(text, "?TOTAL_SHOTS_HIT?",
                 WithRate(rs.Field(QStringLiteral("Shots_Hit")), fired, "0 %", ""));
    ReplaceToken(text, "?TOTAL_SHOTS_FIRED?", fired.toText());
    ReplaceToken(text, "?TOTAL_SHOTS_HEAD?", rs.Field(QStringLiteral("Shots_to_Head")).toText());
}

}  // namespace

void CareerSection(ProgramState& state, QByteArray& reportText) {
    if (OpenSection(state, CareerStatement(state.CurrentGamertag))) {
        FillGames(*state.rsWork, reportText);
        FillShots(*state.rsWork, reportText);
    }
    CloseSection(state);
}

}  // namespace tw
