// The header, career and quits sections on seeded databases: the text of
// every token they fill, the fallbacks, and the cases that end the run.

#include "ReportTestSupport.h"

namespace tw::test {
namespace {

const QString kRankedWinnerFirst25 =
    QStringLiteral("CASE WHEN i <= 25 THEN 1 ELSE 3 END, 'RED', 10, 5, 2, 4, 40, 10, 2");
const QString kCustomWinnerFirst5 =
    QStringLiteral("CASE WHEN i <= 5 THEN 1 ELSE 2 END, 'RED', 10, 5, 2, 4, 40, 10, 2");

using HeaderCareer = ReportTest;

TEST_F(HeaderCareer, CareerTotalsOfAHundredRankedAndTwentyCustomGames) {
    addPlayer(QStringLiteral("Red Fox"));
    addGames(QStringLiteral("Red Fox"), 1, 100, kRankedWinnerFirst25,
             QStringLiteral("'Slayer', 'Lockout', 'Team Skirmish', 'N', "
                            "CASE WHEN i = 1 THEN 5000 ELSE NULL END"));
    addGames(QStringLiteral("Red Fox"), 101, 20, kCustomWinnerFirst5,
             QStringLiteral("'CTF', 'Midship', 'Arranged Game', 'N', NULL"));
    seed(QStringLiteral("INSERT INTO Game_Player_Medal VALUES (1, 'Red Fox', 'Double Kill', 60);"));
    const auto v = filled();
    EXPECT_EQ(v["TOTAL_GAMES"], QStringLiteral("120 (100r 20c)"));
    EXPECT_EQ(v["TOTAL_FIRSTS"], QStringLiteral("30 (25 %)"));
    EXPECT_EQ(v["TOTAL_KILLS"], QStringLiteral("600 (5.0 kpg)"));
    EXPECT_EQ(v["TOTAL_ASSISTS"], QStringLiteral("240 (2.0 apg)"));
    EXPECT_EQ(v["TOTAL_DEATHS"], QStringLiteral("480 (4.0 dpg)"));
    EXPECT_EQ(v["TOTAL_MEDALS"], QStringLiteral("60 (0.5 mpg)"));
    EXPECT_EQ(v["TOTAL_TIME_PLAYED"], QStringLiteral("1h 23m 20s"));
    EXPECT_EQ(v["TOTAL_SHOTS_HIT"], QStringLiteral("1200 (25 %)"));
    EXPECT_EQ(v["TOTAL_SHOTS_FIRED"], QStringLiteral("4800"));
    EXPECT_EQ(v["TOTAL_SHOTS_HEAD"], QStringLiteral("240"));
    EXPECT_EQ(v["ACTIVITY_RANGE"],
              QStringLiteral("Jan 1, 2005 - Apr 10, 2005&nbsp;&nbsp;&nbsp;(0 years, 3 months, "
                             "9 days)"));
    EXPECT_EQ(v["GAMERTAG"], QStringLiteral("Red Fox"));
    EXPECT_EQ(v["CLAN_NAME"], QString());
    EXPECT_EQ(v["CLAN_WEBSITE"], QString());
    EXPECT_EQ(v["QUOTE"], QString());
    EXPECT_EQ(v["AVATAR_PATH_LARGE"], QStringLiteral("..\\avatar\\Red_Fox.jpg"));
    EXPECT_EQ(v["AVATAR_PATH_MINI"], QStringLiteral("..\\avatar\\Red_Fox_smbw.jpg"));
    EXPECT_EQ(v["PRIMARY_COLOR"], QStringLiteral("#C13E3E"));
    EXPECT_EQ(v["SECONDARY_COLOR"], QStringLiteral("#3D5DA5"));
    EXPECT_EQ(v["INVERT_COLOR"], QStringLiteral("#FFFFFF"));
}

TEST_F(HeaderCareer, CountsOfNothingAreZeroAndMissingFiguresADash) {
    // Custom games only, no first place, no durations, no medals, no shots,
    // no assists stored.
    addPlayer(QStringLiteral("Red Fox"));
    addGames(QStringLiteral("Red Fox"), 1, 3,
             QStringLiteral("2, 'RED', 10, 5, NULL, 4, NULL, NULL, NULL"),
             QStringLiteral("'CTF', 'Midship', 'Arranged Game', 'N', NULL"));
    const auto v = filled();
    EXPECT_EQ(v["TOTAL_GAMES"], QStringLiteral("3 (0r 3c)"));
    EXPECT_EQ(v["TOTAL_FIRSTS"], QStringLiteral("0 (0 %)"));
    EXPECT_EQ(v["TOTAL_MEDALS"], QStringLiteral("0 (0.0 mpg)"));
    EXPECT_EQ(v["TOTAL_TIME_PLAYED"], QStringLiteral("-"));
    EXPECT_EQ(v["TOTAL_KILLS"], QStringLiteral("15 (5.0 kpg)"));
    EXPECT_EQ(v["TOTAL_ASSISTS"], QStringLiteral("-"));
    // No game kept shot data: the shot figures are unknown, not a failed report.
    EXPECT_EQ(v["TOTAL_SHOTS_HIT"], QStringLiteral("-"));
    EXPECT_EQ(v["TOTAL_SHOTS_FIRED"], QStringLiteral("-"));
    EXPECT_EQ(v["TOTAL_SHOTS_HEAD"], QStringLiteral("-"));
}

TEST_F(HeaderCareer, ColoursClanQuoteAndLevelPicturesByPlaylistName) {
    seed(QStringLiteral(
        "INSERT INTO Color VALUES (50, 'ffffff', '111111');"
        "INSERT INTO Clan VALUES ('Den', 'http://den.example/', '', '', '');"
        "INSERT INTO Player VALUES ('The Red Fox', 'Den', 0, 0, '<b>Run</b>', 0, NULL, 'Y', 'N', "
        "'N', 'N', 'N');"
        "INSERT INTO Player VALUES ('Low', NULL, 50, 0, NULL, 0, NULL, 'Y', 'N', 'N', 'N', 'N');"
        "INSERT INTO Player_Playlist VALUES ('The Red Fox', 'Team Snipers', 50, 0),"
        " ('The Red Fox', 'Big Team Battle', 0, 0), ('The Red Fox', 'Team Skirmish', 31, 0),"
        " ('The Red Fox', 'Rumble Pit', 9, 0), ('The Red Fox', 'Head to Head', 12, 0),"
        " ('The Red Fox', 'Zz Extra', 44, 0);"));
    addPlaylists(QStringLiteral("Low"), {1, 1, 1, 1, 1});
    const QString oneGame = QStringLiteral("1, 'RED', 10, 5, 2, 4, 40, 10, 2");
    addGames(QStringLiteral("The Red Fox"), 1, 1, oneGame);
    addGames(QStringLiteral("Low"), 2, 1, oneGame);

    state_.currentGamertag = QStringLiteral("The Red Fox");
    auto v = filled();
    EXPECT_EQ(v["CLAN_NAME"], QStringLiteral("Den"));
    EXPECT_EQ(v["CLAN_WEBSITE"], QStringLiteral("http://den.example/"));
    EXPECT_EQ(v["QUOTE"], QStringLiteral("&lt;b&gt;Run&lt;/b&gt;"));  // text, not markup
    EXPECT_EQ(v["PRIMARY_COLOR"], QStringLiteral("#B7B9A8"));         // white stands out as grey
    EXPECT_EQ(v["SECONDARY_COLOR"], QStringLiteral("#FFFFFF"));
    EXPECT_EQ(v["INVERT_COLOR"], QStringLiteral("#000000"));
    EXPECT_EQ(v["AVATAR_PATH_LARGE"], QStringLiteral("..\\avatar\\The_Red_Fox.jpg"));
    EXPECT_EQ(v["AVATAR_PATH_MINI"], QStringLiteral("..\\avatar\\The_Red_Fox_smbw.jpg"));
    EXPECT_EQ(v["LEVEL_ICON_B"], QStringLiteral("..\\level\\L00.bmp"));
    EXPECT_EQ(v["LEVEL_ICON_H"], QStringLiteral("..\\level\\L12.bmp"));
    EXPECT_EQ(v["LEVEL_ICON_R"], QStringLiteral("..\\level\\L09.bmp"));
    EXPECT_EQ(v["LEVEL_ICON_SK"], QStringLiteral("..\\level\\L31.bmp"));
    // No Team Slayer row: that picture stays empty, Team Snipers is not
    // shown under Team Slayer's name.
    EXPECT_EQ(v["LEVEL_ICON_S"], QString());
    EXPECT_EQ(v["ACTIVITY_RANGE"],
              QStringLiteral("Jan 1, 2005 - Jan 1, 2005&nbsp;&nbsp;&nbsp;(0 years, 0 months, "
                             "0 days)"));

    state_.currentGamertag = QStringLiteral("Low");
    v = filled({QStringLiteral("PRIMARY_COLOR"), QStringLiteral("INVERT_COLOR")});
    EXPECT_EQ(v["PRIMARY_COLOR"], QStringLiteral("#ffffff"));  // only exact "FFFFFF" is swapped
    EXPECT_EQ(v["INVERT_COLOR"], QStringLiteral("#111111"));
}

TEST_F(HeaderCareer, FourPlaylistsOrColoursWithoutAValueStillFillTheHeader) {
    seed(QStringLiteral(
        "INSERT INTO Color VALUES (51, NULL, NULL);"
        "INSERT INTO Player VALUES ('Four', NULL, 2, 99, NULL, 0, NULL, 'Y', 'N', 'N', 'N', 'N');"
        "INSERT INTO Player VALUES ('Blank', NULL, 51, 51, NULL, 0, NULL, 'Y', 'N', 'N', 'N', "
        "'N');"));
    addPlaylists(QStringLiteral("Four"), {1, 2, 3, 4});
    addPlaylists(QStringLiteral("Blank"), {1, 2, 3, 4, 5});
    addGames(QStringLiteral("Four"), 1, 2, QStringLiteral("1, 'RED', 10, 5, 2, 4, 40, 10, 2"));
    addGames(QStringLiteral("Blank"), 3, 2, QStringLiteral("1, 'RED', 10, 5, 2, 4, 40, 10, 2"));
    const QStringList header = {"PRIMARY_COLOR", "SECONDARY_COLOR", "INVERT_COLOR", "LEVEL_ICON_SK",
                                "LEVEL_ICON_S"};
    const auto line = [&](const char* tag) {
        state_.currentGamertag = QString::fromLatin1(tag);
        return filledLine(header);
    };
    // The fifth playlist is missing; colour 99 is not in the catalogue.
    EXPECT_EQ(line("Four"), QStringLiteral("#C13E3E #FFFFFF #FFFFFF ..\\level\\L04.bmp "));
    // A catalogue row without values shows as white does.
    EXPECT_EQ(line("Blank"),
              QStringLiteral("#B7B9A8 #FFFFFF #000000 ..\\level\\L04.bmp ..\\level\\L05.bmp"));
}

TEST_F(HeaderCareer, QuitsOfEitherKindInWhicheverOrderTheyCome) {
    addPlayer(QStringLiteral("Red Fox"));
    // 100 ranked games of which 4 quits; 20 custom games of which 5 quits.
    addGames(QStringLiteral("Red Fox"), 1, 100,
             QStringLiteral("2, 'RED', 0, CASE WHEN i <= 4 THEN 0 ELSE 3 END, 0, "
                            "CASE WHEN i <= 4 THEN 0 ELSE 1 END, "
                            "CASE WHEN i <= 2 THEN NULL WHEN i <= 4 THEN 0 ELSE 9 END, 1, 0"));
    addGames(QStringLiteral("Red Fox"), 101, 20,
             QStringLiteral("2, 'RED', 0, CASE WHEN i <= 5 THEN 0 ELSE 3 END, 0, "
                            "CASE WHEN i <= 5 THEN 0 ELSE 1 END, 0, 0, 0"),
             QStringLiteral("'CTF', 'Midship', 'Arranged Game', 'N', 300"));
    const QStringList quits = {QStringLiteral("TOTAL_RANKED_QUITS"),
                               QStringLiteral("TOTAL_CUSTOM_QUITS")};
    auto v = filledBy(quitsSection, quits);
    EXPECT_EQ(v["TOTAL_RANKED_QUITS"], QStringLiteral("4 (4 %)"));
    EXPECT_EQ(v["TOTAL_CUSTOM_QUITS"], QStringLiteral("5 (25 %)"));
    EXPECT_TRUE(lastRun_.statement.startsWith(QStringLiteral("SELECT IIf([Game].[Playlist]")));

    // The same figures whichever row the engine delivers first.
    seed(
        QStringLiteral("UPDATE Game SET Playlist = CASE WHEN Playlist = 'Arranged Game' THEN "
                       "'Team Skirmish' ELSE 'Arranged Game' END;"));
    v = filledBy(quitsSection, quits);
    EXPECT_EQ(v["TOTAL_RANKED_QUITS"], QStringLiteral("5 (25 %)"));
    EXPECT_EQ(v["TOTAL_CUSTOM_QUITS"], QStringLiteral("4 (4 %)"));
}

TEST_F(HeaderCareer, QuitsWithoutRankedGamesOrWithoutQuits) {
    addPlayer(QStringLiteral("Red Fox"));
    addGames(QStringLiteral("Red Fox"), 1, 4,
             QStringLiteral("2, 'RED', 0, CASE WHEN i = 1 THEN 0 ELSE 3 END, 0, "
                            "CASE WHEN i = 1 THEN 0 ELSE 1 END, NULL, NULL, NULL"),
             QStringLiteral("'CTF', 'Midship', 'Arranged Game', 'N', 300"));
    addPlayer(QStringLiteral("Steady"));
    addGames(QStringLiteral("Steady"), 10, 3, QStringLiteral("2, 'RED', 0, 3, 0, 1, 9, 1, 0"));
    const QStringList quits = {QStringLiteral("TOTAL_RANKED_QUITS"),
                               QStringLiteral("TOTAL_CUSTOM_QUITS")};
    // No ranked count at all: the custom games are all the games.
    auto v = filled(quits);
    EXPECT_EQ(v["TOTAL_RANKED_QUITS"], QStringLiteral("0"));
    EXPECT_EQ(v["TOTAL_CUSTOM_QUITS"], QStringLiteral("1 (25 %)"));

    state_.currentGamertag = QStringLiteral("Steady");
    v = filled(quits);
    EXPECT_EQ(v["TOTAL_RANKED_QUITS"], QStringLiteral("0"));
    EXPECT_EQ(v["TOTAL_CUSTOM_QUITS"], QStringLiteral("0"));
}

TEST_F(HeaderCareer, APlayerWithoutGamesKeepsTheTokensAndGetsTheFallbacks) {
    addPlayer(QStringLiteral("Red Fox"));
    addPlayer(QStringLiteral("Other"));
    addGames(QStringLiteral("Other"), 1, 2, QStringLiteral("1, 'RED', 10, 5, 2, 4, 40, 10, 2"));
    state_.settings.tpsUseKApD = true;
    const auto v = filled();
    const QStringList fallbacks = {
        "EGR_EFFICIENCY", "EGR_MARKSMANSHIP",   "EGR_HONOR",          "EGR",        "EGR_ICON",
        "RATIO_TYPE",     "TOTAL_RANKED_QUITS", "TOTAL_CUSTOM_QUITS", "CREATE_DATE"};
    for (const QString& token : kAllTokens) {
        if (!fallbacks.contains(token)) {
            EXPECT_EQ(v[token], QLatin1Char('?') + token + QLatin1Char('?'));
        }
    }
    EXPECT_EQ(v["EGR_EFFICIENCY"], QStringLiteral("-"));
    EXPECT_EQ(v["EGR_MARKSMANSHIP"], QStringLiteral("-"));
    EXPECT_EQ(v["EGR_HONOR"], QStringLiteral("-"));
    EXPECT_EQ(v["EGR"], QStringLiteral("000"));
    EXPECT_EQ(v["EGR_ICON"], QStringLiteral("..\\egr\\E00.jpg"));
    EXPECT_EQ(v["RATIO_TYPE"], QStringLiteral("KApD"));
    EXPECT_EQ(v["TOTAL_RANKED_QUITS"], QStringLiteral("0"));
    EXPECT_EQ(v["TOTAL_CUSTOM_QUITS"], QStringLiteral("0"));
    EXPECT_EQ(v["CREATE_DATE"], QStringLiteral("Jan 30, 2005 3:30:7 PM"));
}

}  // namespace
}  // namespace tw::test
