// Players whose history is thin or odd still get a whole page through the
// delivered template: a new player with a few games, zero kills, deaths or
// shots, no medals, no playlists, no profile row, custom games only. Every
// token of the template is filled and no figure is divided by nothing.

#include "HtmlReader.h"
#include "ReportTestSupport.h"
#include "report/ReportFiles.h"

namespace tw::test {
namespace {

class SparsePlayer : public ReportTest {
  protected:
    void SetUp() override {
        ReportTest::SetUp();
        templateText_ = bytes(QStringLiteral(TALLYWICK_SOURCE_DIR "/assets/tps/template.html"));
        ASSERT_TRUE(templateText_.contains("?GAMERTAG?"));
        writeTemplate(templateText_);
    }

    // The page of `tag` written from the delivered template, or empty with a
    // failure when the run ended in the error path.
    QString reportPage(const QString& tag) {
        state_.currentGamertag = tag;
        prompter_.answerMessage(MsgResult::No);
        createReport();
        const QString path = state_.tpsDir + reportFileStem(tag) + QStringLiteral(".html");
        EXPECT_EQ(prompter_.lastCall().title, QStringLiteral("Confirm View"))
            << tag.toStdString() << ": " << prompter_.lastCall().text.toStdString();
        EXPECT_EQ(logText(), QStringLiteral("<missing>"));
        if (!QFile::exists(path)) {
            ADD_FAILURE() << "no page for " << tag.toStdString();
            return QString();
        }
        QString page = QString::fromUtf8(bytes(path));
        for (const QString& token : templateTokens(templateText_)) {
            EXPECT_FALSE(page.contains(token, Qt::CaseInsensitive))
                << tag.toStdString() << " shows " << token.toStdString();
        }
        return page;
    }

    // The rating's six tokens of `tag` as one line.
    QString rating(const QString& tag) {
        state_.currentGamertag = tag;
        return filledLine(kRatingTokens);
    }

    QByteArray templateText_;
    int nextId_ = 1;
};

TEST_F(SparsePlayer, AFewRankedGamesWithoutKillsDeathsShotsOrUnpurgedGamesMakeAPage) {
    addPlayer(QStringLiteral("No Kills"));
    addGames(QStringLiteral("No Kills"), 1, 3, QStringLiteral("2, 'RED', 0, 0, 1, 3, 30, 9, 0"));
    addPlayer(QStringLiteral("No Deaths"));
    addGames(QStringLiteral("No Deaths"), 10, 3, QStringLiteral("1, 'RED', 10, 4, 0, 0, 30, 9, 2"));
    addPlayer(QStringLiteral("No Shots"));
    addGames(QStringLiteral("No Shots"), 20, 3, QStringLiteral("1, 'RED', 10, 4, 0, 1, 0, 0, 0"));
    // Ranked games with shot data, every one partially purged: no sample game.
    addPlayer(QStringLiteral("All Purged"));
    addGames(QStringLiteral("All Purged"), 30, 3, QStringLiteral("1, 'RED', 10, 4, 0, 1, 30, 9, 2"),
             QStringLiteral("'Slayer', 'Lockout', 'Team Skirmish', 'Y', 300"));

    for (const char* tag : {"No Kills", "No Deaths", "No Shots"}) {
        const QString page = reportPage(QString::fromLatin1(tag));
        EXPECT_TRUE(page.contains(QStringLiteral("rated over 3 ranked games"))) << tag;
        EXPECT_EQ(rating(QString::fromLatin1(tag)), QStringLiteral("3 - - - 000 ..\\egr\\E00.jpg"))
            << tag;
    }
    EXPECT_TRUE(reportPage(QStringLiteral("All Purged")).contains(QStringLiteral("rated over 0 ")));
    EXPECT_EQ(rating(QStringLiteral("All Purged")), QStringLiteral("0 - - - 000 ..\\egr\\E00.jpg"));

    // Not a shot fired: no hit rate, the counts as they are.
    state_.currentGamertag = QStringLiteral("No Shots");
    auto v = filled({"TOTAL_SHOTS_HIT", "TOTAL_SHOTS_FIRED", "TOTAL_SHOTS_HEAD"});
    EXPECT_EQ(v["TOTAL_SHOTS_HIT"], QStringLiteral("0 (-)"));
    EXPECT_EQ(v["TOTAL_SHOTS_FIRED"], QStringLiteral("0"));
    EXPECT_EQ(v["TOTAL_SHOTS_HEAD"], QStringLiteral("0"));
    // Every game purged while medals are stored: no game to spread them over.
    seed(QStringLiteral(
        "INSERT INTO Game_Player_Medal VALUES (30, 'All Purged', 'Double Kill', 4);"));
    state_.currentGamertag = QStringLiteral("All Purged");
    EXPECT_EQ(filled({"TOTAL_MEDALS"})["TOTAL_MEDALS"], QStringLiteral("4 (- mpg)"));
    reportPage(QStringLiteral("All Purged"));
}

// A hundred ranked games: 1 kill, 0 assists, 1 death, 10 shots of which 5
// hit, 30 head shots in all and Killtacular 125 times give 264, 248 and 102
// (the worked example of EgrTrophy). Each player below changes one of those
// figures to zero.
TEST_F(SparsePlayer, AHundredGamesWithZeroDeathsKillsShotsOrMedalsAreRatedSoundly) {
    const auto rated = [this](const char* tag, const char* values, bool medals = true) {
        const QString player = QString::fromLatin1(tag);
        addPlayer(player);
        addGames(player, nextId_, 100, QString::fromLatin1(values));
        if (medals) {
            seed(QStringLiteral("INSERT INTO Game_Player_Medal VALUES (%1, '%2', 'Killtacular', "
                                "125);")
                     .arg(nextId_)
                     .arg(player));
        }
        nextId_ += 100;
    };
    rated("Untouched", "1, 'RED', 10, 1, 0, 0, 10, 5, CASE WHEN i <= 30 THEN 1 ELSE 0 END");
    rated("Helper", "1, 'RED', 10, 0, 1, 1, 10, 5, CASE WHEN i <= 30 THEN 1 ELSE 0 END");
    rated("Pacifist", "1, 'RED', 10, 1, 0, 1, 0, 0, 0");
    rated("Plain", "1, 'RED', 10, 1, 0, 1, 10, 5, CASE WHEN i <= 30 THEN 1 ELSE 0 END", false);

    // No death counts as one, as the matrix does: 100 kills over 1.
    EXPECT_EQ(rating(QStringLiteral("Untouched")),
              QStringLiteral("100 3706 248 102 901 ..\\egr\\E09.jpg"));
    // No kill: no head-shot share, only the accuracy (TA 50).
    EXPECT_EQ(rating(QStringLiteral("Helper")),
              QStringLiteral("100 264 191 102 557 ..\\egr\\E05.jpg"));
    // No shot fired: no marksmanship to score, so no rating either.
    EXPECT_EQ(rating(QStringLiteral("Pacifist")),
              QStringLiteral("100 264 - 102 000 ..\\egr\\E00.jpg"));
    // No medal: no honor points.
    EXPECT_EQ(rating(QStringLiteral("Plain")),
              QStringLiteral("100 264 248 0 512 ..\\egr\\E05.jpg"));
    for (const char* tag : {"Untouched", "Helper", "Pacifist", "Plain"}) {
        reportPage(QString::fromLatin1(tag));
    }
}

TEST_F(SparsePlayer, APlayerMetOnlyInCustomGamesGetsEveryTokenFilled) {
    // As the download makes a player met in a game: no colours, no clan, no
    // playlists.
    seed(
        QStringLiteral("INSERT INTO Player VALUES ('Met Once', NULL, NULL, NULL, NULL, 0, NULL, "
                       "'N', 'N', 'N', 'N', 'N');"));
    addGames(QStringLiteral("Met Once"), 1, 62,
             QStringLiteral("3, 'RED', 10, i % 5, 1, 2, 20 + i, 7, i % 2"),
             QStringLiteral("'CTF', 'Midship', 'Arranged Game', 'N', 300"));
    const QString page = reportPage(QStringLiteral("Met Once"));
    EXPECT_TRUE(page.contains(QStringLiteral("rated over 0 ranked games")));

    state_.currentGamertag = QStringLiteral("Met Once");
    auto v = filled();
    EXPECT_EQ(v["GAMERTAG"], QStringLiteral("Met Once"));
    EXPECT_EQ(v["CLAN_NAME"], QString());
    EXPECT_EQ(v["CLAN_WEBSITE"], QString());
    EXPECT_EQ(v["QUOTE"], QString());
    // Without colours the page takes white's: the grey stand-in, black text.
    EXPECT_EQ(v["PRIMARY_COLOR"], QStringLiteral("#B7B9A8"));
    EXPECT_EQ(v["SECONDARY_COLOR"], QStringLiteral("#FFFFFF"));
    EXPECT_EQ(v["INVERT_COLOR"], QStringLiteral("#000000"));
    EXPECT_EQ(v["AVATAR_PATH_LARGE"], QStringLiteral("..\\avatar\\Met_Once.jpg"));
    for (const char* level :
         {"LEVEL_ICON_B", "LEVEL_ICON_H", "LEVEL_ICON_R", "LEVEL_ICON_SK", "LEVEL_ICON_S"}) {
        EXPECT_EQ(v[level], QString()) << level;
    }
    EXPECT_EQ(v["ACTIVITY_RANGE"],
              QStringLiteral("Jan 1, 2005 - Mar 3, 2005&nbsp;&nbsp;&nbsp;(0 years, 2 months, "
                             "2 days)"));
    EXPECT_EQ(v["TOTAL_GAMES"], QStringLiteral("62 (0r 62c)"));
    EXPECT_EQ(v["TOTAL_FIRSTS"], QStringLiteral("0 (0 %)"));
    // i % 5 over 62 games: twelve rounds of 10, then 1 and 2.
    EXPECT_EQ(v["TOTAL_KILLS"], QStringLiteral("123 (2.0 kpg)"));
    EXPECT_EQ(v["TOTAL_MEDALS"], QStringLiteral("0 (0.0 mpg)"));
    EXPECT_EQ(v["TOTAL_TIME_PLAYED"], QStringLiteral("5h 10m 0s"));
    EXPECT_EQ(v["TOTAL_SHOTS_HIT"], QStringLiteral("434 (14 %)"));
    EXPECT_EQ(v["TOTAL_SHOTS_HEAD"], QStringLiteral("31"));
    EXPECT_EQ(v["EGR_SAMPLE_SIZE"], QStringLiteral("0"));
    EXPECT_EQ(v["EGR"], QStringLiteral("000"));
    EXPECT_EQ(v["TROPHY_ROOM"], QStringLiteral("-"));
    EXPECT_EQ(v["TOTAL_RANKED_QUITS"], QStringLiteral("0"));
    EXPECT_TRUE(v["EFFICIENCY_MATRIX"].contains(QStringLiteral(">CUSTOM</td>")));
}

TEST_F(SparsePlayer, APlayerWithoutAProfileRowOrDurationsGetsEveryTokenFilled) {
    // Game rows alone, as an older version's database can leave them.
    addGames(QStringLiteral("Old Timer"), 1, 4,
             QStringLiteral("1, 'RED', 10, 2, 1, 2, NULL, "
                            "NULL, NULL"),
             QStringLiteral("'Slayer', 'Lockout', 'Team Skirmish', 'N', NULL"));
    reportPage(QStringLiteral("Old Timer"));
    state_.currentGamertag = QStringLiteral("Old Timer");
    const auto v = filled();
    EXPECT_EQ(v["GAMERTAG"], QStringLiteral("Old Timer"));
    EXPECT_EQ(v["PRIMARY_COLOR"], QStringLiteral("#B7B9A8"));
    EXPECT_EQ(v["TOTAL_GAMES"], QStringLiteral("4 (4r 0c)"));
    EXPECT_EQ(v["TOTAL_FIRSTS"], QStringLiteral("4 (100 %)"));
    EXPECT_EQ(v["TOTAL_TIME_PLAYED"], QStringLiteral("-"));
    EXPECT_EQ(v["TOTAL_SHOTS_HIT"], QStringLiteral("-"));
    EXPECT_EQ(v["TOTAL_SHOTS_FIRED"], QStringLiteral("-"));
    EXPECT_EQ(v["TOTAL_SHOTS_HEAD"], QStringLiteral("-"));
    // Ranked games without shot data are counted but cannot be rated.
    EXPECT_EQ(v["EGR_SAMPLE_SIZE"], QStringLiteral("4"));
    EXPECT_EQ(v["EGR_EFFICIENCY"], QStringLiteral("-"));
}

TEST_F(SparsePlayer, TwoPlaylistsFillTheirOwnLevelCellsAndLeaveTheOthersEmpty) {
    seed(
        QStringLiteral("INSERT INTO Player VALUES ('Two Lists', NULL, 2, 10, NULL, 0, NULL, 'Y', "
                       "'N', 'N', 'N', 'N');"
                       "INSERT INTO Player_Playlist VALUES ('Two Lists', 'Team Slayer', 7, 0);"));
    addPlaylists(QStringLiteral("Two Lists"), {12, 30});
    addGames(QStringLiteral("Two Lists"), 1, 5, QStringLiteral("1, 'RED', 10, 5, 2, 4, 40, 10, 2"));
    const QString page = reportPage(QStringLiteral("Two Lists"));
    EXPECT_TRUE(page.contains(QStringLiteral("<img src=\"\" alt=\"Level\">Rumble Pit")));

    state_.currentGamertag = QStringLiteral("Two Lists");
    const auto v = filled();
    EXPECT_EQ(v["LEVEL_ICON_B"], QStringLiteral("..\\level\\L12.bmp"));
    EXPECT_EQ(v["LEVEL_ICON_H"], QStringLiteral("..\\level\\L30.bmp"));
    EXPECT_EQ(v["LEVEL_ICON_R"], QString());
    EXPECT_EQ(v["LEVEL_ICON_SK"], QString());
    EXPECT_EQ(v["LEVEL_ICON_S"], QStringLiteral("..\\level\\L07.bmp"));
    EXPECT_EQ(v["PRIMARY_COLOR"], QStringLiteral("#C13E3E"));
    EXPECT_EQ(v["ACTIVITY_RANGE"],
              QStringLiteral("Jan 1, 2005 - Jan 5, 2005&nbsp;&nbsp;&nbsp;(0 years, 0 months, "
                             "4 days)"));
}

}  // namespace
}  // namespace tw::test
