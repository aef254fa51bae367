// Whole downloads through the real main window against the simulated site on
// loopback: the database must hold exactly the site's ground truth.

#include <QComboBox>
#include <QFile>
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
    QStringList Featured() { return site().featuredGamertags(); }
    void ExpectStagingEmpty() {
        for (const char* table :
             {"zLoad_Panel_1", "zLoad_Panel_2", "zLoad_Panel_4", "zLoad_Panel_5"}) {
            EXPECT_EQ(Value(QStringLiteral("select count(*) from ") + QString::fromLatin1(table)),
                      "0")
                << table;
        }
    }
    QString LastGameId(const QString& tag) {
        return Value(QStringLiteral("select Last_Game_ID from Player where Player_Gamertag='") +
                     tag + QStringLiteral("'"));
    }
    int32_t NewestGame(const QString& tag) {
        const statsite::World world = site().worldSnapshot();
        const statsite::SitePlayer* player = world.findPlayer(tag);
        return world.gamesNewestFirst(*player).first()->id;
    }
};

TEST_F(DownloadTruthTest, WholeTagListEqualsTheGroundTruth) {
    StartSite({3, 40, 10, 7});
    const QStringList tags = Featured();
    ASSERT_EQ(tags.size(), 3);
    PrepareProgram(tags, tags[0], {}, {QStringLiteral("Download_All_Tag_List=1")});
    Load();
    PressDownload();

    EXPECT_TRUE(prompter_->Calls().empty()) << prompter_->Calls().front().text.toStdString();
    ExpectTablesEqualTruth(tags);
    ExpectStagingEmpty();
    // The world's edge cases are part of what was compared.
    const auto truth = TruthRows(tags);
    EXPECT_TRUE(truth["Player"].join('\n').contains("(G) x")) << "guests";
    EXPECT_TRUE(truth["Game"].join('\n').contains("\tY\t\\N")) << "a partially purged game";
    // Each tagged player's newest game is recorded (the first player stored
    // its games itself; later players may share games with earlier ones).
    EXPECT_EQ(LastGameId(tags[0]).toInt(), NewestGame(tags[0]));

    bool blankSeen = false;
    for (const QString& tag : tags) {
        blankSeen = blankSeen || tag.contains(QLatin1Char(' '));
        for (const char* suffix : {".jpg", "_smbw.jpg"}) {
            QString name = tag;
            const QString path = Path(QStringLiteral("avatar/") + name.replace(' ', '_') +
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
    EXPECT_FALSE(state_->DownloadInProgress);
    EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("tallywick110.mdbx"))));
}

TEST_F(DownloadTruthTest, LaterDownloadsFetchOnlyWhatIsNew) {
    StartSite({3, 40, 10, 11});
    const QString tag = Featured()[0];
    PrepareProgram({tag}, tag);
    Load();
    PressDownload();
    ExpectTablesEqualTruth({tag});

    // Three new games: the list's first page reaches the last known game.
    const QList<qint32> added = site().grow(tag, 3);
    ForgetRequests();
    PressDownload();
    EXPECT_EQ(CountRequests("&panel=stats"), 3);
    for (qint32 id : added) {
        EXPECT_EQ(CountRequests("id=" + QByteArray::number(id) + "&panel=kills"), 1);
    }
    // The probe (past the last page, no pager), the first page for the page
    // count, then page 1, which holds the last known game.
    EXPECT_EQ(CountRequests("games.aspx"), 3);
    ExpectTablesEqualTruth({tag});
    EXPECT_EQ(LastGameId(tag).toInt(), added.last());
    EXPECT_EQ(window_->totalGames->text(),
              Value(QStringLiteral("select count(*) from Game_Player where Player_Gamertag='") +
                    tag + QStringLiteral("'")));

    // Scanning all lists reads every page and finds nothing new.
    const int pages = site().worldSnapshot().pageCount(*site().worldSnapshot().findPlayer(tag));
    ASSERT_GT(pages, 1);
    state_->settings.Scan_All_Game_Lists = true;
    ForgetRequests();
    PressDownload();
    for (int n = 1; n <= pages; ++n) {
        EXPECT_EQ(CountRequests("&page=" + QByteArray::number(n)), n == 1 ? 2 : 1) << "page " << n;
    }
    EXPECT_EQ(CountRequests("&panel="), 0);
    EXPECT_FALSE(window_->stageRow(3).info.label->isHidden());
    EXPECT_EQ(window_->stageRow(3).info.label->text(), "No new games found");

    // Only the experience levels: the player page and its two pictures.
    state_->settings.Scan_All_Game_Lists = false;
    state_->settings.Download_Only_Experience_Level = true;
    site().grow(tag, 2);
    ForgetRequests();
    PressDownload();
    EXPECT_EQ(CountRequests("player.aspx"), 1);
    EXPECT_EQ(CountRequests("emblem.ashx"), 2);
    EXPECT_EQ(CountRequests("games.aspx") + CountRequests("game.aspx"), 0);
    EXPECT_FALSE(window_->stageRow(5).complete.label->isHidden());
    EXPECT_TRUE(prompter_->Calls().empty());
}

TEST_F(DownloadTruthTest, UnknownGamertagIsRemovedAndTheRestOfTheListStillRuns) {
    StartSite({3, 30, 10, 5});
    const QStringList featured = Featured();
    const QString unknown = site().unknownGamertags().at(1);
    const QStringList tags = {featured[0], unknown, featured[1]};
    PrepareProgram(tags, featured[0], {}, {QStringLiteral("Download_All_Tag_List=1")});
    Load();
    PressDownload();
    EXPECT_TRUE(prompter_->Calls().empty());
    QStringList entries;
    for (int i = 0; i < window_->tagListBox->count(); ++i) {
        entries << window_->tagListBox->itemText(i);
    }
    EXPECT_EQ(entries, QStringList({featured[0], featured[1]}));
    EXPECT_EQ(Value(QStringLiteral("select count(*) from Player where Player_Gamertag='") +
                    unknown + QStringLiteral("'")),
              "0");
    // Nobody was skipped: the player after the unknown one was downloaded.
    ExpectTablesEqualTruth(tags);
}

TEST_F(DownloadTruthTest, UnknownGamertagShowsRowTwoFailed) {
    StartSite({3, 20, 10, 5});
    const QString unknown = site().unknownGamertags().at(2);
    const QString other = Featured()[0];
    PrepareProgram({unknown, other}, unknown);
    Load();
    PressDownload();
    EXPECT_FALSE(window_->stageRow(2).failed.label->isHidden());
    EXPECT_EQ(window_->stageRow(2).failed.label->text(), "Gamertag not found");
    EXPECT_TRUE(window_->stageRow(2).working.label->isHidden());
    EXPECT_EQ(window_->tagListBox->count(), 1);
    EXPECT_EQ(state_->CurrentGamertag, other);
    EXPECT_EQ(CountRequests("games.aspx"), 0);
    EXPECT_FALSE(window_->downloadButton->isHidden());
    EXPECT_FALSE(state_->DownloadInProgress);
}

TEST_F(DownloadTruthTest, StoppedSiteShowsNoConnection) {
    StartSite({3, 20, 10, 5});
    const QString tag = Featured()[0];
    PrepareProgram({tag}, tag);
    Load();
    server_->stop();
    prompter_->AnswerMessage(MsgResult::Ok);
    PressDownload();
    EXPECT_FALSE(window_->stageRow(1).failed.label->isHidden());
    EXPECT_EQ(window_->stageRow(1).failed.label->text(), "No connection");
    EXPECT_TRUE(window_->stageRow(1).working.label->isHidden());
    ASSERT_EQ(prompter_->Calls().size(), 1u);
    EXPECT_EQ(prompter_->Calls()[0].text,
              QStringLiteral("The download did not complete:\r\n%1: player page: the connection "
                             "to 127.0.0.1:%2 was refused\r\n\r\nEvery game read completely is "
                             "kept; the next download fetches what is missing.\r\nThe details "
                             "are in \"debug.log\".")
                  .arg(tag)
                  .arg(SitePort()));
    EXPECT_EQ(prompter_->Calls()[0].title, "Error");
    EXPECT_FALSE(window_->downloadButton->isHidden());
    EXPECT_FALSE(state_->DownloadInProgress);
}

TEST_F(DownloadTruthTest, ProxyWithoutPortSaysSoOnceAndSendsNothing) {
    StartSite({3, 20, 10, 5});
    const QString tag = Featured()[0];
    PrepareProgram({tag}, tag,
                   {QStringLiteral("Use_Proxy=1"), QStringLiteral("Proxy_Port="),
                    QStringLiteral("Proxy_Address=127.0.0.1")});
    Load();
    prompter_->AnswerMessage(MsgResult::Ok);
    PressDownload();
    ASSERT_EQ(prompter_->Calls().size(), 1u);
    const DialogCall& call = prompter_->Calls()[0];
    EXPECT_EQ(call.text,
              "Please specify the proxy address and port.\r\n"
              "Use the 'Options' dialog under 'Tools' menu.");
    EXPECT_EQ(call.title, "Error");
    EXPECT_EQ(call.icon, MsgIcon::Critical);
    EXPECT_EQ(call.buttons, MsgButtons::Ok);
    EXPECT_TRUE(session().fetcher().ConnectFailed);
    EXPECT_TRUE(site().requestLog().isEmpty());
    EXPECT_EQ(window_->stageRow(1).failed.label->text(), "No connection");
    EXPECT_FALSE(window_->stageRow(1).failed.label->isHidden());
}

TEST_F(DownloadTruthTest, ACleanupErrorIsLoggedAndEndsTheCleanup) {
    StartSite({3, 20, 10, 5});
    const QString tag = Featured()[0];
    PrepareProgram({tag}, tag, {}, {QStringLiteral("Download_Only_Experience_Level=1")});
    SeedDatabase("DROP VIEW q_zLoad_Merge;");
    Load();
    prompter_->AnswerMessage(MsgResult::Ok);
    PressDownload();
    ASSERT_EQ(prompter_->Calls().size(), 1u);
    EXPECT_TRUE(
        prompter_->Calls()[0].text.startsWith(QStringLiteral("The download did not complete:\r\n") +
                                              tag + QStringLiteral(": clean-up: ")))
        << prompter_->Calls()[0].text.toStdString();
    QFile log(Path(QStringLiteral("debug.log")));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QByteArray record = log.readAll();
    EXPECT_TRUE(record.contains(" v110 [App.Cleanup]   "));
    EXPECT_TRUE(record.contains("\r\nStg: 5\r\n"));
    EXPECT_FALSE(state_->DownloadInProgress);
    // The steps after the failure did not run: row 5 says so.
    EXPECT_FALSE(window_->stageRow(5).failed.label->isHidden());
    EXPECT_EQ(window_->stageRow(5).failed.label->text(), "Database not updated");
    EXPECT_TRUE(window_->stageRow(5).complete.label->isHidden());
    EXPECT_FALSE(window_->downloadButton->isHidden()) << "the window is unlocked";
    EXPECT_TRUE(window_->tagListBox->isEnabled());
}

TEST_F(DownloadTruthTest, NoGamertagSelectedChangesNothing) {
    StartSite({3, 20, 10, 5});
    PrepareProgram({}, QString());
    Load();
    // An empty tag list offers no Download; the driver itself still refuses
    // to start without a player (batch mode calls it directly).
    EXPECT_FALSE(window_->downloadButton->isEnabled());
    prompter_->AnswerMessage(MsgResult::Ok);
    RunDownload();
    ASSERT_EQ(prompter_->Calls().size(), 1u);
    EXPECT_EQ(prompter_->Calls()[0].text, "You must select a Gamertag.");
    EXPECT_EQ(prompter_->Calls()[0].title, "Error");
    EXPECT_EQ(prompter_->Calls()[0].icon, MsgIcon::Critical);
    EXPECT_FALSE(window_->stageRow(1).info.label->isHidden()) << "still Welcome";
    EXPECT_TRUE(site().requestLog().isEmpty());
}

}  // namespace
}  // namespace tw::testing
