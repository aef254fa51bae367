#include "app/ProgramState.h"
#include "db/Format.h"
#include "report/ReportSection.h"
#include "report/ReportSections.h"
#include "report/ReportStatements.h"
#include "report/ReportTokens.h"
#include "report/VbArithmetic.h"

namespace tw {

namespace {

const char* const kTrophyHead =
    "<table border=\"1\" align=\"center\" width=\"100%\"><tr align=\"center\" "
    "class=\"matrixhdr\"><td width=\"30\">Icon</td><td width=\"50\">Earned</td><td "
    "width=\"70\">Per Game</td><td width=\"60\">Difficulty</td><td "
    "width=\"*\">Description</td></tr>";

// One medal; the name goes into the picture path as it is, blanks included.
QString TrophyRow(const Recordset& rs) {
    const Variant medals = rs.Field(QStringLiteral("Medals"));
    // Partially purged games keep no medals, so the rate is over the others.
    const Variant perGame = VbDivide(medals, rs.Field(QStringLiteral("NonPurgedGames")));
    return QStringLiteral("<tr align=\"center\"><td><img alt=\"Medal\" src=\"..\\medal\\") +
           rs.Field(QStringLiteral("Medal_Name")).joinText() +
           QStringLiteral(".bmp\">&nbsp;</td><td>") + medals.joinText() +
           QStringLiteral("</td><td>") + Format(perGame, QStringLiteral("0.0")) +
           QStringLiteral("</td><td>") + rs.Field(QStringLiteral("Difficulty_Factor")).joinText() +
           QStringLiteral("</td><td align=\"left\">") +
           rs.Field(QStringLiteral("Descr")).joinText() + QStringLiteral("</td></tr>");
}

}  // namespace

void TrophySection(ProgramState& state, QByteArray& reportText) {
    if (OpenSection(state, TrophyStatement(state.CurrentGamertag))) {
        Recordset& rs = *state.rsWork;
        state.WorkText = QString::fromLatin1(kTrophyHead);
        for (; !rs.IsEOF(); rs.MoveNext()) {
            state.WorkText += TrophyRow(rs);
        }
        state.WorkText += QStringLiteral("</table>");
        ReplaceToken(reportText, "?TROPHY_ROOM?", state.WorkText);
    }
    CloseSection(state);
}

}  // namespace tw
