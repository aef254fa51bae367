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

QString colorOr(const Variant& color, const QString& missing) {
    return color.isNull() ? missing : color.toText();
}

// White would vanish on the page's light background.
QString primaryColor(const Variant& color1) {
    const QString color = colorOr(color1, kWhite);
    return color == kWhite ? QStringLiteral("B7B9A8") : color;
}

// The first and last game; false when the player has no stored game, and
// then the header's tokens stay as they are.
bool fillActivity(ReportRun& run, ReportPage& page) {
    if (!openSection(run, activityStatement(run.gamertag))) {
        closeSection(run);
        return false;
    }
    const Variant first = run.rs->field(QStringLiteral("First_Game"));
    const Variant last = run.rs->field(QStringLiteral("Last_Game"));
    if (first.isNull() || last.isNull()) {
        page.fill("?ACTIVITY_RANGE?", QString::fromLatin1(kNoValue));
    } else {
        const QString pattern = QStringLiteral("Mmm d, yyyy");
        page.fillHtml(
            "?ACTIVITY_RANGE?",
            htmlEscaped(format(first, pattern) + QStringLiteral(" - ") + format(last, pattern)) +
                QStringLiteral("&nbsp;&nbsp;&nbsp;(") +
                htmlEscaped(formatDateSpan(first.toDateTime(), last.toDateTime())) +
                QLatin1Char(')'));
    }
    closeSection(run);
    return true;
}

// Profile texts and colours; a player without a row of its own (left by an
// older version) has none of them.
void fillPlayer(ReportRun& run, ReportPage& page) {
    const QString& tag = run.gamertag;
    page.fill("?GAMERTAG?", tag);
    const bool found = openSection(run, headerStatement(tag));
    const auto field = [&run, found](const char* name) {
        return found ? run.rs->field(QString::fromLatin1(name)) : Variant();
    };
    page.fill("?CLAN_NAME?", field("Clan_Name").joinText());
    page.fill("?CLAN_WEBSITE?", field("Website_URL").joinText());
    page.fill("?QUOTE?", field("Personal_Quote").joinText());
    page.fill("?PRIMARY_COLOR?", QLatin1Char('#') + primaryColor(field("Color1")));
    page.fill("?SECONDARY_COLOR?", QLatin1Char('#') + colorOr(field("Color2"), kWhite));
    page.fill("?INVERT_COLOR?",
              QLatin1Char('#') + colorOr(field("Inverted_Text_Color"), kWhiteText));
    closeSection(run);
    const QString stem = reportFileStem(tag);
    page.fill("?AVATAR_PATH_LARGE?", QStringLiteral("..\\avatar\\") + stem + ".jpg");
    page.fill("?AVATAR_PATH_MINI?", QStringLiteral("..\\avatar\\") + stem + "_smbw.jpg");
}

// Each picture of the template stands beside its playlist's name, so each
// takes the level of that playlist; a playlist the player has no row of (an
// imported or sparse player) leaves its picture empty rather than passing
// another playlist's level to it.
void fillLevels(ReportRun& run, ReportPage& page) {
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
    if (openSection(run, levelsStatement(run.gamertag))) {
        Recordset& rs = *run.rs;
        for (; !rs.isEof(); rs.moveNext()) {
            const QString name = rs.field(QStringLiteral("Playlist")).joinText().toLower();
            if (!levels.contains(name)) {
                levels.insert(name, QStringLiteral("..\\level\\") +
                                        rs.field(QStringLiteral("Experience_Level")).joinText());
            }
        }
    }
    closeSection(run);
    for (const Slot& slot : kSlots) {
        page.fill(slot.token, levels.value(QString::fromLatin1(slot.playlist).toLower()));
    }
}

}  // namespace

void headerSection(ReportRun& run, ReportPage& page) {
    if (fillActivity(run, page)) {
        fillPlayer(run, page);
        fillLevels(run, page);
    }
}

}  // namespace tw
