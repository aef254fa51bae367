// Stop pressed at the moments that matter: during the game list, during a
// panel of the run's first game, during a later game, at the end of a game,
// and during the second of three players. The clean-up keeps only whole
// games, and a following download completes the database to the ground truth.

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "download/Fetcher.h"
#include "download/SiteProgram.h"
#include "download/TextRoutines.h"

namespace tw::testing {
namespace {

class DownloadStopTest : public SiteProgramTest {
  protected:
    void SetUp() override {
        SiteProgramTest::SetUp();
        startSite({3, 40, 10, 21});
        tags_ = site().featuredGamertags();
    }
    // Presses Stop while the first request whose path contains `part` is on
    // its way.
    void stopDuringRequest(const QString& part) {
        stopAt_ = part;
        // The request goes out on the download's thread: the stop is asked
        // there at once, through the session's thread-safe stop.
        QObject::connect(
            &session().fetcher(), &Fetcher::requesting, window_.get(),
            [this](const QString& path) {
                if (!stopAt_.isEmpty() && path.contains(stopAt_)) {
                    stopAt_.clear();
                    session().stop();
                }
            },
            Qt::DirectConnection);
    }
    bool allStagesHidden() const {
        for (int row = 1; row <= MainWindow::kStageRows; ++row) {
            const StageRow& stage = window_->stageRow(row);
            for (const StagePair& pair :
                 {stage.working, stage.complete, stage.failed, stage.info}) {
                if (!pair.label->isHidden()) {
                    return false;
                }
            }
        }
        return true;
    }
    QString count(const char* table) {
        return value(QStringLiteral("select count(*) from ") + QString::fromLatin1(table));
    }
    void expectNothingStagedOrHalfDone() {
        expectStagingEmpty();
        EXPECT_EQ(value(QStringLiteral("select count(*) from Game_Player where Kills Is Null")),
                  "0");
        EXPECT_EQ(value(QStringLiteral("select count(*) from Game LEFT JOIN Game_Player ON "
                                       "Game.Game_ID = Game_Player.Game_ID WHERE "
                                       "Game_Player.Game_ID Is Null")),
                  "0");
    }

    QStringList tags_;
    QString stopAt_;
};

// Stopped during the game list or during a panel of the run's first game.
class DownloadStopBeforeAWholeGameTest : public DownloadStopTest,
                                         public ::testing::WithParamInterface<const char*> {};

TEST_P(DownloadStopBeforeAWholeGameTest, NothingIsKeptAndTheNextRunCompletes) {
    const QString tag = tags_[0];
    prepareProgram({tag}, tag);
    load();
    stopDuringRequest(QString::fromLatin1(GetParam()));
    pressDownload();
    EXPECT_TRUE(allStagesHidden());
    EXPECT_EQ(count("Game"), "0");
    EXPECT_EQ(count("Game_Player"), "0");
    EXPECT_EQ(lastGameId(tag), "0");
    expectNothingStagedOrHalfDone();
    EXPECT_FALSE(window_->downloadButton->isHidden());
    EXPECT_FALSE(state_->downloadInProgress);

    pressDownload();
    expectTablesEqualTruth({tag});
}

INSTANTIATE_TEST_SUITE_P(GameListOrFirstGame, DownloadStopBeforeAWholeGameTest,
                         ::testing::Values("&page=1", "&panel=kills"));

// Stop pressed as the user does, on the window's thread, while the third
// game's panel is on its way; the download waits for the press.
TEST_F(DownloadStopTest, StopButtonDuringALaterGameKeepsTheFinishedGamesAndSaysSo) {
    const QString tag = tags_[0];
    prepareProgram({tag}, tag);
    load();
    QList<qint32> read;
    QObject::connect(
        &session(), &DownloadSession::gameRead, window_.get(), [&read](qint32 id) { read << id; },
        Qt::DirectConnection);
    int hits = 0;
    QObject::connect(
        &session().fetcher(), &Fetcher::requesting, window_.get(),
        [&](const QString& path) {
            if (path.contains(QLatin1String("&panel=hits")) && ++hits == 3) {
                window_->stopButton->click();
            }
        },
        Qt::BlockingQueuedConnection);
    pressDownload();
    ASSERT_EQ(read.size(), 2);
    EXPECT_EQ(value(QStringLiteral("select count(*) from (select distinct Game_ID from "
                                   "Game_Player)")),
              "2");
    EXPECT_EQ(lastGameId(tag), QString::number(read.last()));
    EXPECT_TRUE(allStagesHidden());
    expectNothingStagedOrHalfDone();
    EXPECT_EQ(window_->progressText->text(), "Stopped; the games read are kept");
    EXPECT_EQ(window_->windowTitle(), "Tallywick");
    EXPECT_TRUE(window_->stopButton->isHidden());
    EXPECT_FALSE(window_->downloadButton->isHidden());

    hits = 100;  // no more stops
    pressDownload();
    EXPECT_EQ(window_->progressText->text(), "") << "the next run clears the stopped state";
    expectTablesEqualTruth({tag});
}

TEST_F(DownloadStopTest, AtTheEndOfAGameThatGameIsKept) {
    const QString tag = tags_[0];
    prepareProgram({tag}, tag);
    load();
    QList<qint32> read;
    QObject::connect(
        &session(), &DownloadSession::gameRead, window_.get(),
        [&](qint32 id) {
            read << id;
            if (read.size() == 3) {
                session().stop();
            }
        },
        Qt::DirectConnection);
    pressDownload();
    ASSERT_EQ(read.size(), 3);
    EXPECT_EQ(lastGameId(tag), QString::number(read.last()));
    EXPECT_EQ(value(QStringLiteral("select count(*) from (select distinct Game_ID from "
                                   "Game_Player)")),
              "3");
    // The clean-up's own display stays: no reset after a stop between games.
    EXPECT_FALSE(window_->stageRow(5).complete.label->isHidden());
    EXPECT_FALSE(window_->stageRow(4).complete.label->isHidden());
    expectNothingStagedOrHalfDone();

    pressDownload();
    expectTablesEqualTruth({tag});
}

TEST_F(DownloadStopTest, StopDuringTheSecondPlayersGameListGoesOnWithTheThird) {
    prepareProgram(tags_, tags_[0], {}, {QStringLiteral("Download_All_Tag_List=1")});
    load();
    stopDuringRequest(QStringLiteral("games.aspx?tag=") + urlEncode(tags_[1]));
    pressDownload();
    EXPECT_NE(lastGameId(tags_[0]), "0");
    EXPECT_EQ(lastGameId(tags_[1]), "0");
    EXPECT_NE(lastGameId(tags_[2]), "0") << "the third player was downloaded";
    expectNothingStagedOrHalfDone();
    EXPECT_EQ(state_->currentGamertag, tags_[2]);

    // Downloading the whole list again leaves every game of the truth.
    pressDownload();
    const auto truth = truthRows(tags_);
    for (const char* table :
         {"Game", "Game_Player", "Game_Player_Medal", "Player_Playlist", "Clan"}) {
        EXPECT_EQ(rows(QString::fromLatin1(table)), truth[table]) << table;
    }
}

}  // namespace
}  // namespace tw::testing
