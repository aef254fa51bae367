#include <array>

#include <QMap>
#include "db/Format.h"

#include "report/FormatDateSpan.h"
#include "report/ReportFiles.h"
#include "report/ReportSection.h"
#include "report/ReportSections.h"
#include "report/ReportStatements.h"
#include "report/ReportTokens.h"

namespace tw {

namespace {

// A player without emblem colours (met only in games) or with a colour the
// catalogue does not hold is shown in white, the catalogue's colour 0.
const QString kWhite = QStringLiteral("FFFFFF");
const QString kWhiteText = QStringLiteral("000000");

QString ColorOr(const Variant& color, const QString& missing) {
    return color.isNull() ? missing : color.toText();
}

// White would vanish on the page's light background.
QString PrimaryColor(const Variant& color1) {
    const QString color = ColorOr(color1, kWhite);
    return color == kWhite ? QStringLiteral("B7B9A8") : color;
}

// The first and last game; false when the player has no stored game, and
// then the header's tokens stay as they are.
bool FillActivity(ReportRun& run, ReportPage& page) {
    if (!OpenSection(run, ActivityStatement(run.gamertag))) {
        CloseSection(run);
        return false;
    }
    const Variant first = run.rs->Field(QStringLiteral("First_Game"));
    const Variant last = run.rs->Field(QStringLiteral("Last_Game"));
    if (first.isNull() || last.isNull()) {
        page.Fill("?ACTIVITY_RANGE?", QString::fromLatin1(kNoValue));
    } else {
        const QString pattern = QStringLiteral("Mmm d, yyyy");
        page.FillHtml(
            "?ACTIVITY_RANGE?",
            HtmlEscaped(Format(first, pattern) + QStringLiteral(" - ") + Format(last, pattern)) +
                QStringLiteral("&nbsp;&nbsp;&nbsp;(") +
                HtmlEscaped(FormatDateSpan(first.toDateTime(), last.toDateTime())) +
                QLatin1Char(')'));
    }
    CloseSection(run);
    return true;
}

// Profile texts and colours; a player without a row of its own (left by an
// older version) has none of them.
void FillPlayer(ReportRun& run, ReportPage& page) {
    const QString& tag = run.gamertag;
    page.Fill("?GAMERTAG?", tag);
    const bool found = OpenSection(run, HeaderStatement(tag));
    const auto field = [&run, found](const char* name) {
        return found ? run.rs->Field(QString::fromLatin1(name)) : Variant();
    };
    page.Fill("?CLAN_NAME?", field("Clan_Name").joinText());
    page.Fill("?CLAN_WEBSITE?", field("Website_URL").joinText());
    page.Fill("?QUOTE?", field("Personal_Quote").joinText());
    page.Fill("?PRIMARY_COLOR?", QLatin1Char('#') + PrimaryColor(field("Color1")));
    page.Fill("?SECONDARY_COLOR?", QLatin1Char('#') + ColorOr(field("Color2"), kWhite));
    page.Fill("?INVERT_COLOR?",
              QLatin1Char('#') + ColorOr(field("Inverted_Text_Color"), kWhiteText));
    CloseSection(run);
    const QString stem = ReportFileStem(tag);
    page.Fill("?AVATAR_PATH_LARGE?", QStringLiteral("..\\avatar\\") + stem + ".jpg");
    page.Fill("?AVATAR_PATH_MINI?", QStringLiteral("..\\avatar\\") + stem + "_smbw.jpg");
}

// Each picture of the template stands beside its playlist's name, so each
// takes the level of that playlist; a playlist the player has no row of (an
// imported or sparse player) leaves its picture empty rather than passing
// another playlist's level to it.
void FillLevels(ReportRun& run, ReportPage& page) {
    struct Slot {
        const char* token;
        const char* playlist;
    };
    static constexpr std::array<Slot, 5> kSlots = {{{"?LEVEL_ICON_B?", "Big Team Battle"},
                                                    {"?LEVEL_ICON_H?", "Head to Head"},
                                                    {"?LEVEL_ICON_R?", "Rumble Pit"},
                                                    {"?LEVEL_ICON_SK?", "Team Skirmish"},
                                                    {"?LEVEL_ICON_S?", "Team Slayer"}}};
    QMap<QString, QString> levels;  // playlist name, lower case -> picture
    if (OpenSection(run, LevelsStatement(run.gamertag))) {
        Recordset& rs = *run.rs;
        for (; !rs.IsEOF(); rs.MoveNext()) {
            const QString name = rs.Field(QStringLiteral("Playlist")).joinText().toLower();
            if (!levels.contains(name)) {
                levels.insert(name, QStringLiteral("..\\level\\") +
                                        rs.Field(QStringLiteral("Experience_Level")).joinText());
            }
        }
    }
    CloseSection(run);
    for (const Slot& slot : kSlots) {
        page.Fill(slot.token, levels.value(QString::fromLatin1(slot.playlist).toLower()));
    }
}

}  // namespace

void HeaderSection(ReportRun& run, ReportPage& page) {
    if (FillActivity(run, page)) {
        FillPlayer(run, page);
        FillLevels(run, page);
    }
}

}  // namespace tw
