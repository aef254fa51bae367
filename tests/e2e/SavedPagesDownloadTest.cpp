// Downloads of pages written by the test, served by the site in saved-pages
// mode: apostrophes in a gamertag and a clan, short playlist rows, a picture
// shorter than the file it replaces, and a page without the emblem marker.

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>

#include "download/SiteProgram.h"

namespace tw::testing {
namespace {

const QByteArray kEmblemQuery = "s=70&0=4&1=7&2=1&3=2&fi=3&bi=4&fl=1&b=0";
const QByteArray kSmallQuery = "s=30&0=0&1=0&2=1&3=1&fi=3&bi=4&fl=1&b=1";

QByteArray playerPage(bool withEmblem) {
    QByteArray page =
        "<html><body><div>Last Active: 12/1/2006 10:00 PM</div>\n"
        "<div>Clan: <a href=\"c\">Dad's Army</a></div>\n<table>\n"
        "<tr><td><a class=\"HopperLink\" href=\"h\">Team Slayer</a></td><td class=\"lvl\">"
        "<span class=\"ExpBarText\">17</span><img src=\"LevelBar.gif\" width=\"37\" /></td></tr>\n"
        "<tr><td><a class=\"HopperLink\" href=\"h\">Rumble Pit</a></td><td>No Games Played</td>"
        "</tr>\n"
        "<tr><td><a class=\"HopperLink\" href=\"h\">Head to Head</a></td><td class=\"lvl\">"
        "<span class=\"ExpBarText\">5</span><img src=\"LevelBar.gif\" width=\"10\" /></td></tr>\n"
        "</table>\n";
    if (withEmblem) {
        page +=
            "<img id=\"imgEmblem\" src=\"/stats/emblem.ashx?s=90&amp;0=4&amp;1=7&amp;2=1&amp;"
            "3=2&amp;fi=3&amp;bi=4&amp;fl=1&amp;b=0\" />\n";
    }
    return page + "</body></html>\n";
}

class SavedPagesDownloadTest : public SiteProgramTest {
  protected:
    void SetUp() override {
        SiteProgramTest::SetUp();
        ASSERT_TRUE(pages_.isValid());
        ASSERT_TRUE(QDir(pages_.path()).mkpath(QStringLiteral("stats")));
        QFile picture(QStringLiteral(TALLYWICK_SOURCE_DIR "/assets/avatar/unknown.jpg"));
        ASSERT_TRUE(picture.open(QIODevice::ReadOnly));
        jpeg_ = picture.readAll();
        page("stats/player.aspx?tag=O%27Neil", playerPage(true));
        page("stats/player.aspx?tag=Broken", playerPage(false));
        for (const char* list :
             {"stats/games.aspx?tag=O%27Neil&page=12", "stats/games.aspx?tag=O%27Neil",
              "stats/games.aspx?tag=O%27Neil&page=1"}) {
            page(list, "<html><body>No games</body></html>\n");
        }
        page("stats/emblem.ashx?" + kEmblemQuery, jpeg_);
        page("stats/emblem.ashx?" + kSmallQuery, jpeg_);
        statsite::SiteConfig config;
        config.pagesFolder = pages_.path();
        server_ = std::make_unique<statsite::StatSiteServer>(config);
        port_ = server_->start(freeSmallPort());
        ASSERT_NE(port_, 0);
    }
    void page(const QByteArray& name, const QByteArray& bytes) {
        QFile file(pages_.filePath(QString::fromUtf8(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QTemporaryDir pages_;
    QByteArray jpeg_;
};

TEST_F(SavedPagesDownloadTest, ApostrophesShortRowsAndAWholePictureFile) {
    // An older, longer picture must not leave bytes behind.
    {
        QFile old(filePath(QStringLiteral("avatar/O'Neil.jpg")));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(jpeg_.size() + 5000, 'x'));
    }
    prepareProgram({QStringLiteral("O'Neil")}, QStringLiteral("O'Neil"));
    load();
    pressDownload();
    EXPECT_TRUE(prompter_->calls().empty());
    EXPECT_EQ(rows(QStringLiteral("Clan")), QList<QByteArray>({"Dad's Army\t\t\t\t"}));
    EXPECT_EQ(value(QStringLiteral("select Clan_Name & '|' & Primary_Color_Code & '|' & "
                                   "Secondary_Color_Code from Player where "
                                   "Player_Gamertag='O''Neil'")),
              "Dad's Army|4|7");
    EXPECT_EQ(rows(QStringLiteral("Player_Playlist")),
              QList<QByteArray>({"O'Neil\tHead to Head\t5\t20", "O'Neil\tRumble Pit\t0\t0",
                                 "O'Neil\tTeam Slayer\t17\t74"}));
    EXPECT_EQ(programFileBytes(QStringLiteral("avatar/O'Neil.jpg")), jpeg_);
    EXPECT_TRUE(QFile::exists(filePath(QStringLiteral("avatar/O'Neil_smbw.jpg"))));
    EXPECT_EQ(window_->avatarPicture->property("picturePath").toString(),
              filePath(QStringLiteral("avatar/O'Neil.jpg")));
    EXPECT_EQ(window_->stageRow(3).info.label->text(), "No new games found");
    EXPECT_FALSE(window_->stageRow(3).info.label->isHidden());
}

TEST_F(SavedPagesDownloadTest, APageWithoutTheEmblemEndsThroughTheDiagnosticLog) {
    prepareProgram({QStringLiteral("Broken")}, QStringLiteral("Broken"));
    load();
    prompter_->answerMessage(MsgResult::Ok);
    pressDownload();
    ASSERT_EQ(prompter_->calls().size(), 1u);
    EXPECT_EQ(prompter_->calls()[0].text,
              "The download did not complete:\r\nBroken: player page: the page lacks "
              "\"imgEmblem\"\r\n\r\nEvery game read completely is kept; the next download "
              "fetches what is missing.\r\nThe details are in \"debug.log\".");
    EXPECT_EQ(prompter_->calls()[0].title, "Error");
    EXPECT_EQ(prompter_->calls()[0].icon, MsgIcon::Critical);
    const QByteArray record = programFileBytes(QStringLiteral("debug.log"));
    EXPECT_TRUE(record.contains(" v110 [App.Main]   ")) << record.left(300).constData();
    EXPECT_TRUE(record.contains("\r\nTag: Broken\r\nStg: 2\r\n"));
    EXPECT_FALSE(state_->downloadInProgress);
    EXPECT_FALSE(window_->downloadButton->isHidden()) << "the window is unlocked";
    EXPECT_EQ(window_->stageRow(2).failed.label->text(), "Player page not read");
    EXPECT_FALSE(window_->stageRow(2).failed.label->isHidden()) << "the failed stage is shown";
    // The page's rows are stored together or not at all.
    EXPECT_EQ(rows(QStringLiteral("Player_Playlist")).size(), 0);
}

}  // namespace
}  // namespace tw::testing
