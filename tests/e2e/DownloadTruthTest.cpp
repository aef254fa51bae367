// Whole downloads through the real main window against the simulated site on
// loopback: the database must hold exactly the site's ground truth.

#include <QComboBox>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>

#include "core/Paths.h"
#include "download/Fetcher.h"
#include "download/SiteProgram.h"
#include "download/TextRoutines.h"

namespace tw::testing {
namespace {

class DownloadTruthTest : public SiteProgramTest {
  protected:
    int32_t newestGame(const QString& tag) {
        const statsite::World world = site().worldSnapshot();
        const statsite::SitePlayer* player = world.findPlayer(tag);
        return world.gamesNewestFirst(*player).first()->id;
    }
};

TEST_F(DownloadTruthTest, WholeTagListEqualsTheGroundTruth) {
    startSite({3, 40, 10, 7});
    const QStringList tags = site().featuredGamertags();
    ASSERT_EQ(tags.size(), 3);
    prepareProgram(tags, tags[0], {}, {QStringLiteral("Download_All_Tag_List=1")});
    load();
    pressDownload();

    EXPECT_TRUE(prompter_->calls().empty()) << prompter_->calls().front().text.toStdString();
    expectTablesEqualTruth(tags);
    expectStagingEmpty();
    // The world's edge cases are part of what was compared.
    const auto truth = truthRows(tags);
    EXPECT_TRUE(truth["Player"].join('\n').contains("(G) x")) << "guests";
    EXPECT_TRUE(truth["Game"].join('\n').contains("\tY\t\\N")) << "a partially purged game";
    // Each tagged player's newest game is recorded (the first player stored
    // its games itself; later players may share games with earlier ones).
    EXPECT_EQ(lastGameId(tags[0]).toInt(), newestGame(tags[0]));

    bool blankSeen = false;
    for (const QString& tag : tags) {
        blankSeen = blankSeen || tag.contains(QLatin1Char(' '));
        for (const char* suffix : {".jpg", "_smbw.jpg"}) {
            QString name = tag;
            const QString path = filePath(QStringLiteral("avatar/") + name.replace(' ', '_') +
                                          QString::fromLatin1(suffix));
            QImageReader reader(path);
            EXPECT_EQ(reader.format(), "jpeg") << path.toStdString();
            EXPECT_FALSE(reader.read().isNull()) << path.toStdString();
        }
    }
    EXPECT_TRUE(blankSeen) << "a gamertag with a blank names its pictures with '_'";

    EXPECT_EQ(window_->windowTitle(), "Tallywick");
    EXPECT_FALSE(window_->stageRow(5).complete.label->isHidden());
    EXPECT_EQ(window_->stageRow(5).complete.label->text(), "Process complete");
    EXPECT_FALSE(window_->downloadButton->isHidden());
    EXPECT_TRUE(window_->stopButton->isHidden());
    EXPECT_FALSE(state_->downloadInProgress);
    EXPECT_FALSE(QFileInfo::exists(filePath(QStringLiteral("tallywick110.mdbx"))));
}

TEST_F(DownloadTruthTest, LaterDownloadsFetchOnlyWhatIsNew) {
    startSite({3, 40, 10, 11});
    const QString tag = site().featuredGamertags()[0];
    prepareProgram({tag}, tag);
    load();
    pressDownload();
    expectTablesEqualTruth({tag});

    // Three new games: the list's first page reaches the last known game.
    const QList<qint32> added = site().grow(tag, 3);
    forgetRequests();
    pressDownload();
    EXPECT_EQ(countRequests("&panel=stats"), 3);
    for (qint32 id : added) {
        EXPECT_EQ(countRequests("id=" + QByteArray::number(id) + "&panel=kills"), 1);
    }
    // The probe (past the last page, no pager), the first page for the page
    // count, then page 1, which holds the last known game.
    EXPECT_EQ(countRequests("games.aspx"), 3);
    expectTablesEqualTruth({tag});
    EXPECT_EQ(lastGameId(tag).toInt(), added.last());
    EXPECT_EQ(window_->totalGames->text(),
              value(QStringLiteral("select count(*) from Game_Player where Player_Gamertag='") +
                    tag + QStringLiteral("'")));

    // Scanning all lists reads every page and finds nothing new.
    const int pages = site().worldSnapshot().pageCount(*site().worldSnapshot().findPlayer(tag));
    ASSERT_GT(pages, 1);
    state_->settings.scanAllGameLists = true;
    forgetRequests();
    pressDownload();
    for (int n = 1; n <= pages; ++n) {
        EXPECT_EQ(countRequests("&page=" + QByteArray::number(n)), n == 1 ? 2 : 1) << "page " << n;
    }
    EXPECT_EQ(countRequests("&panel="), 0);
    EXPECT_FALSE(window_->stageRow(3).info.label->isHidden());
    EXPECT_EQ(window_->stageRow(3).info.label->text(), "No new games found");

    // Only the experience levels: the player page and its two pictures.
    state_->settings.scanAllGameLists = false;
    state_->settings.downloadOnlyExperienceLevel = true;
    site().grow(tag, 2);
    forgetRequests();
    pressDownload();
    EXPECT_EQ(countRequests("player.aspx"), 1);
    EXPECT_EQ(countRequests("emblem.ashx"), 2);
    EXPECT_EQ(countRequests("games.aspx") + countRequests("game.aspx"), 0);
    EXPECT_FALSE(window_->stageRow(5).complete.label->isHidden());
    EXPECT_TRUE(prompter_->calls().empty());
}

TEST_F(DownloadTruthTest, UnknownGamertagIsRemovedAndTheRestOfTheListStillRuns) {
    startSite({3, 30, 10, 5});
    const QStringList featured = site().featuredGamertags();
    const QString unknown = site().unknownGamertags().at(1);
    const QStringList tags = {featured[0], unknown, featured[1]};
    prepareProgram(tags, featured[0], {}, {QStringLiteral("Download_All_Tag_List=1")});
    load();
    pressDownload();
    EXPECT_TRUE(prompter_->calls().empty());
    QStringList entries;
    for (int i = 0; i < window_->tagListBox->count(); ++i) {
        entries << window_->tagListBox->itemText(i);
    }
    EXPECT_EQ(entries, QStringList({featured[0], featured[1]}));
    EXPECT_EQ(value(QStringLiteral("select count(*) from Player where Player_Gamertag='") +
                    unknown + QStringLiteral("'")),
              "0");
    // Nobody was skipped: the player after the unknown one was downloaded.
    expectTablesEqualTruth(tags);
}

TEST_F(DownloadTruthTest, UnknownGamertagShowsRowTwoFailed) {
    startSite({3, 20, 10, 5});
    const QString unknown = site().unknownGamertags().at(2);
    const QString other = site().featuredGamertags()[0];
    prepareProgram({unknown, other}, unknown);
    load();
    pressDownload();
    EXPECT_FALSE(window_->stageRow(2).failed.label->isHidden());
    EXPECT_EQ(window_->stageRow(2).failed.label->text(), "Gamertag not found");
    EXPECT_TRUE(window_->stageRow(2).working.label->isHidden());
    EXPECT_EQ(window_->tagListBox->count(), 1);
    EXPECT_EQ(state_->currentGamertag, other);
    EXPECT_EQ(countRequests("games.aspx"), 0);
    EXPECT_FALSE(window_->downloadButton->isHidden());
    EXPECT_FALSE(state_->downloadInProgress);
}

TEST_F(DownloadTruthTest, StoppedSiteShowsNoConnection) {
    startSite({3, 20, 10, 5});
    const QString tag = site().featuredGamertags()[0];
    prepareProgram({tag}, tag);
    load();
    server_->stop();
    prompter_->answerMessage(MsgResult::Ok);
    pressDownload();
    EXPECT_FALSE(window_->stageRow(1).failed.label->isHidden());
    EXPECT_EQ(window_->stageRow(1).failed.label->text(), "No connection");
    EXPECT_TRUE(window_->stageRow(1).working.label->isHidden());
    ASSERT_EQ(prompter_->calls().size(), 1u);
    EXPECT_EQ(prompter_->calls()[0].text,
              QStringLiteral("The download did not complete:\r\n%1: player page: the connection "
                             "to 127.0.0.1:%2 was refused\r\n\r\nEvery game read completely is "
                             "kept; the next download fetches what is missing.\r\nThe details "
                             "are in \"debug.log\".")
                  .arg(tag)
                  .arg(sitePort()));
    EXPECT_EQ(prompter_->calls()[0].title, "Error");
    EXPECT_FALSE(window_->downloadButton->isHidden());
    EXPECT_FALSE(state_->downloadInProgress);
}

TEST_F(DownloadTruthTest, ProxyWithoutPortSaysSoOnceAndSendsNothing) {
    startSite({3, 20, 10, 5});
    const QString tag = site().featuredGamertags()[0];
    prepareProgram({tag}, tag,
                   {QStringLiteral("Use_Proxy=1"), QStringLiteral("Proxy_Port="),
                    QStringLiteral("Proxy_Address=127.0.0.1")});
    load();
    prompter_->answerMessage(MsgResult::Ok);
    pressDownload();
    ASSERT_EQ(prompter_->calls().size(), 1u);
    const DialogCall& call = prompter_->calls()[0];
    EXPECT_EQ(call.text,
              "Please specify the proxy address and port.\r\n"
              "Use the 'Options' dialog under 'Tools' menu.");
    EXPECT_EQ(call.title, "Error");
    EXPECT_EQ(call.icon, MsgIcon::Critical);
    EXPECT_EQ(call.buttons, MsgButtons::Ok);
    EXPECT_TRUE(session().fetcher().connectFailed);
    EXPECT_TRUE(site().requestLog().isEmpty());
    EXPECT_EQ(window_->stageRow(1).failed.label->text(), "No connection");
    EXPECT_FALSE(window_->stageRow(1).failed.label->isHidden());
}

TEST_F(DownloadTruthTest, ACleanupErrorIsLoggedAndEndsTheCleanup) {
    startSite({3, 20, 10, 5});
    const QString tag = site().featuredGamertags()[0];
    prepareProgram({tag}, tag, {}, {QStringLiteral("Download_Only_Experience_Level=1")});
    seedDatabase("DROP VIEW q_zLoad_Merge;");
    load();
    prompter_->answerMessage(MsgResult::Ok);
    pressDownload();
    ASSERT_EQ(prompter_->calls().size(), 1u);
    EXPECT_TRUE(
        prompter_->calls()[0].text.startsWith(QStringLiteral("The download did not complete:\r\n") +
                                              tag + QStringLiteral(": clean-up: ")))
        << prompter_->calls()[0].text.toStdString();
    const QByteArray record = programFileBytes(QStringLiteral("debug.log"));
    EXPECT_TRUE(record.contains(" v110 [App.Cleanup]   "));
    EXPECT_TRUE(record.contains("\r\nStg: 5\r\n"));
    EXPECT_FALSE(state_->downloadInProgress);
    // The steps after the failure did not run: row 5 says so.
    EXPECT_FALSE(window_->stageRow(5).failed.label->isHidden());
    EXPECT_EQ(window_->stageRow(5).failed.label->text(), "Database not updated");
    EXPECT_TRUE(window_->stageRow(5).complete.label->isHidden());
    EXPECT_FALSE(window_->downloadButton->isHidden()) << "the window is unlocked";
    EXPECT_TRUE(window_->tagListBox->isEnabled());
}

TEST_F(DownloadTruthTest, NoGamertagSelectedChangesNothing) {
    startSite({3, 20, 10, 5});
    prepareProgram({}, QString());
    load();
    // An empty tag list offers no Download; the driver itself still refuses
    // to start without a player (batch mode calls it directly).
    EXPECT_FALSE(window_->downloadButton->isEnabled());
    prompter_->answerMessage(MsgResult::Ok);
    runDownload();
    ASSERT_EQ(prompter_->calls().size(), 1u);
    EXPECT_EQ(prompter_->calls()[0].text, "You must select a Gamertag.");
    EXPECT_EQ(prompter_->calls()[0].title, "Error");
    EXPECT_EQ(prompter_->calls()[0].icon, MsgIcon::Critical);
    EXPECT_FALSE(window_->stageRow(1).info.label->isHidden()) << "still Welcome";
    EXPECT_TRUE(site().requestLog().isEmpty());
}

}  // namespace
}  // namespace tw::testing
