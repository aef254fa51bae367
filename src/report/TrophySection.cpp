#include "db/Format.h"
#include "report/ReportSection.h"
#include "report/ReportSections.h"
#include "report/ReportStatements.h"
#include "report/ReportTokens.h"

namespace tw {

namespace {

const char* const kTrophyHead =
    "<table border=\"1\" align=\"center\" width=\"100%\"><tr align=\"center\" "
    "class=\"matrixhdr\"><td width=\"30\">Icon</td><td width=\"50\">Earned</td><td "
    "width=\"70\">Per Game</td><td width=\"60\">Difficulty</td><td "
    "width=\"*\">Description</td></tr>";

QString Cell(const Variant& value) {
    return HtmlEscaped(value.joinText());
}

// One medal; the name goes into the picture path as it is, blanks included.
QString TrophyRow(const Recordset& rs) {
    const Variant medals = rs.Field(QStringLiteral("Medals"));
    // Partially purged games keep no medals, so the rate is over the others;
    // with every game purged there is none.
    const QString perGame =
        RateText(medals, rs.Field(QStringLiteral("NonPurgedGames")), QStringLiteral("0.0"));
    return QStringLiteral("<tr align=\"center\"><td><img alt=\"Medal\" src=\"..\\medal\\") +
           Cell(rs.Field(QStringLiteral("Medal_Name"))) + QStringLiteral(".bmp\">&nbsp;</td><td>") +
           Cell(medals) + QStringLiteral("</td><td>") + perGame + QStringLiteral("</td><td>") +
           Cell(rs.Field(QStringLiteral("Difficulty_Factor"))) +
           QStringLiteral("</td><td align=\"left\">") + Cell(rs.Field(QStringLiteral("Descr"))) +
           QStringLiteral("</td></tr>");
}

}  // namespace

void TrophySection(ReportRun& run, ReportPage& page) {
    if (OpenSection(run, TrophyStatement(run.gamertag))) {
        Recordset& rs = *run.rs;
        QString html = QString::fromLatin1(kTrophyHead);
        for (; !rs.IsEOF(); rs.MoveNext()) {
            html += TrophyRow(rs);
        }
        html += QStringLiteral("</table>");
        page.FillHtml("?TROPHY_ROOM?", html);
        CloseSection(run);
        return;
    }
    CloseSection(run);
    // No medal yet: a player with games shows that there is none, a player
    // without games keeps the token as the other sections do.
    if (HasStoredGames(run)) {
        page.Fill("?TROPHY_ROOM?", QString::fromLatin1(kNoValue));
    }
}

}  // namespace tw
