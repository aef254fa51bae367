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

QString cell(const Variant& value) {
    return htmlEscaped(value.joinText());
}

// One medal; the name goes into the picture path as it is, blanks included.
QString trophyRow(const Recordset& rs) {
    const Variant medals = rs.field(QStringLiteral("Medals"));
    // Partially purged games keep no medals, so the rate is over the others;
    // with every game purged there is none.
    const QString perGame =
        rateText(medals, rs.field(QStringLiteral("NonPurgedGames")), QStringLiteral("0.0"));
    return QStringLiteral("<tr align=\"center\"><td><img alt=\"Medal\" src=\"..\\medal\\") +
           cell(rs.field(QStringLiteral("Medal_Name"))) + QStringLiteral(".bmp\">&nbsp;</td><td>") +
           cell(medals) + QStringLiteral("</td><td>") + perGame + QStringLiteral("</td><td>") +
           cell(rs.field(QStringLiteral("Difficulty_Factor"))) +
           QStringLiteral("</td><td align=\"left\">") + cell(rs.field(QStringLiteral("Descr"))) +
           QStringLiteral("</td></tr>");
}

}  // namespace

void trophySection(ReportRun& run, ReportPage& page) {
    if (openSection(run, trophyStatement(run.gamertag))) {
        Recordset& rs = *run.rs;
        QString html = QString::fromLatin1(kTrophyHead);
        for (; !rs.isEof(); rs.moveNext()) {
            html += trophyRow(rs);
        }
        html += QStringLiteral("</table>");
        page.fillHtml("?TROPHY_ROOM?", html);
        closeSection(run);
        return;
    }
    closeSection(run);
    // No medal yet: a player with games shows that there is none, a player
    // without games keeps the token as the other sections do.
    if (hasStoredGames(run)) {
        page.fill("?TROPHY_ROOM?", QString::fromLatin1(kNoValue));
    }
}

}  // namespace tw
