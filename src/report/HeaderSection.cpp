#include <array>

#include "app/ProgramState.h"
#include "db/Format.h"
#include "report/FormatDateSpan.h"
#include "report/ReportFiles.h"
#include "report/ReportSection.h"
#include "report/ReportSections.h"
#include "report/ReportStatements.h"
#include "report/ReportTokens.h"

namespace tw {

namespace {

// White would vanish on the page's light background.
QString PrimaryColor(const Variant& color1) {
    const QString color = color1.toText();
    return color == QLatin1String("FFFFFF") ? QStringLiteral("B7B9A8") : color;
}

void FillPlayer(ProgramState& state, QByteArray& text) {
    const Recordset& rs = *state.rsWork;
    ReplaceToken(text, "?GAMERTAG?", state.CurrentGamertag);
    ReplaceToken(text, "?CLAN_NAME?", rs.Field(QStringLiteral("Clan_Name")).joinText());
    ReplaceToken(text, "?CLAN_WEBSITE?", rs.Field(QStringLiteral("Website_URL")).joinText());
    ReplaceToken(text, "?QUOTE?", rs.Field(QStringLiteral("Personal_Quote")).joinText());
    ReplaceToken(text, "?PRIMARY_COLOR?",
                 QLatin1Char('#') + PrimaryColor(rs.Field(QStringLiteral("Color1"))));
    ReplaceToken(text, "?SECONDARY_COLOR?",
                 QLatin1Char('#') + rs.Field(QStringLiteral("Color2")).joinText());
    ReplaceToken(text, "?INVERT_COLOR?",
                 QLatin1Char('#') + rs.Field(QStringLiteral("Inverted_Text_Color")).joinText());
    const QString stem = ReportFileStem(state.CurrentGamertag);
    ReplaceToken(text, "?AVATAR_PATH_LARGE?", QStringLiteral("..\\avatar\\") + stem + ".jpg");
    ReplaceToken(text, "?AVATAR_PATH_MINI?", QStringLiteral("..\\avatar\\") + stem + "_smbw.jpg");
}

// One playlist row per picture, in the statement's order; a player with fewer
// than five rows fails on the read past the last one.
void FillLevels(Recordset& rs, QByteArray& text) {
    static constexpr std::array<const char*, 5> kTokens = {
        "?LEVEL_ICON_B?", "?LEVEL_ICON_H?", "?LEVEL_ICON_R?", "?LEVEL_ICON_SK?", "?LEVEL_ICON_S?"};
    for (size_t i = 0; i < kTokens.size(); ++i) {
        if (i > 0) {
            rs.MoveNext();
        }
        ReplaceToken(text, kTokens[i],
                     QStringLiteral("..\\level\\") +
                         rs.Field(QStringLiteral("Experience_Level")).joinText());
    }
}

void FillActivity(const Recordset& rs, QByteArray& text) {
    const Variant first = rs.Field(QStringLiteral("First_Game"));
    const Variant last = rs.Field(QStringLiteral("Last_Game"));
    const QString pattern = QStringLiteral("Mmm d, yyyy");
    ReplaceToken(text, "?ACTIVITY_RANGE?",
                 Format(first, pattern) + QStringLiteral(" - ") + Format(last, pattern) +
                     QStringLiteral("&nbsp;&nbsp;&nbsp;(") +
                     FormatDateSpan(first.toDateTime(), last.toDateTime()) + QLatin1Char(')'));
}

}  // namespace

void HeaderSection(ProgramState& state, QByteArray& reportText) {
    if (OpenSection(state, HeaderStatement(state.CurrentGamertag))) {
        FillPlayer(state, reportText);
        FillLevels(*state.rsWork, reportText);
        FillActivity(*state.rsWork, reportText);
    }
    CloseSection(state);
}

}  // namespace tw
