// A download against a site that fails the way real sites fail: it goes away
// at any request, answers without end, redirects for ever, shows a page that
// cannot be read. Every failure is reported once (message and log record),
// nothing half-read is stored, and an honest rerun completes the database to
// exactly what the site holds.

#include <sys/resource.h>

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPushButton>

#include "download/DownloadSession.h"
#include "download/Fetcher.h"
#include "download/SiteProgram.h"
#include "support/SmallDisk.h"

namespace tw::testing {
namespace {

class DownloadFailureTest : public SiteProgramTest {
  protected:
    // The program folder as new: the delivered database with this tag list,
    // no log, no pictures, the window loaded again.
    void fresh(const QStringList& tags) {
        window_.reset();
        state_.reset();
        for (const char* file : {"tallywick110.mdb", "debug.log"}) {
            QFile::remove(filePath(QString::fromLatin1(file)));
        }
        QDir(filePath(QStringLiteral("avatar"))).removeRecursively();
        ASSERT_TRUE(QDir(folder()).mkpath(QStringLiteral("avatar")));
        ASSERT_TRUE(QFile::copy(QStringLiteral(TALLYWICK_PROGRAM_DIR "/tallywick110.mdb"),
                                filePath(QStringLiteral("tallywick110.mdb"))));
        prepareProgram(tags, tags.first(), {}, {QStringLiteral("Download_All_Tag_List=1")});
        reload();
    }
    void reload() {
        window_.reset();
        state_.reset();
        load();
        prompter_->acknowledgeOkMessages(true);
    }
    void faults(const statsite::FaultPlan& plan) { site().setFaults(plan); }
    // A site that stopped listening listens again, without faults.
    void revive() {
        server_->stop();
        ASSERT_EQ(server_->start(port_), port_) << server_->errorString().toStdString();
        faults({});
    }
    QByteArray debugLog() const { return programFileBytes(QStringLiteral("debug.log")); }
    int logRecords() { return static_cast<int>(debugLog().count(" v110 [App.")); }
    // The press's one message: the failure lines between the first line and
    // the closing lines.
    QStringList failureLines(size_t callsBefore) {
        EXPECT_EQ(prompter_->calls().size(), callsBefore + 1) << "one message for the press";
        if (prompter_->calls().size() != callsBefore + 1) {
            return {};
        }
        const DialogCall& call = prompter_->calls().back();
        EXPECT_EQ(call.title, "Error");
        EXPECT_EQ(call.icon, MsgIcon::Critical);
        EXPECT_EQ(call.buttons, MsgButtons::Ok);
        QStringList lines = call.text.split(QStringLiteral("\r\n"));
        EXPECT_GE(lines.size(), 5);
        EXPECT_EQ(lines.first(), "The download did not complete:");
        EXPECT_EQ(lines.last(), "The details are in \"debug.log\".");
        EXPECT_EQ(lines[lines.size() - 2],
                  "Every game read completely is kept; the next download fetches what is "
                  "missing.");
        return lines.mid(1, lines.size() - 4);
    }
    void expectNothingHalfStored() {
        EXPECT_EQ(value(QStringLiteral("select count(*) from Game_Player where Kills Is Null")),
                  "0");
        EXPECT_EQ(value(QStringLiteral(
                      "select count(*) from Game_Player GP INNER JOIN Game G ON G.Game_ID = "
                      "GP.Game_ID where G.Was_Partially_Purged = 'N' and GP.Shots_Fired Is Null")),
                  "0");
        EXPECT_FALSE(state_->downloadInProgress);
        EXPECT_FALSE(window_->downloadButton->isHidden()) << "the window is unlocked";
    }
    // The featured player's games, oldest first.
    QList<int> gamesOf(const QString& tag) {
        QList<int> ids;
        for (const QByteArray& row : truthRows({tag}).value("Game")) {
            ids << row.split('\t').first().toInt();
        }
        std::sort(ids.begin(), ids.end());
        return ids;
    }
};

TEST_F(DownloadFailureTest, TheSiteGoingAwayAtAnyRequestIsReportedAndTheRerunCompletes) {
    startSite({1, 4, 10, 11});
    const QString tag = site().featuredGamertags()[0];
    fresh({tag});
    const qsizetype before = site().requestLog().size();
    pressDownload();
    ASSERT_TRUE(prompter_->calls().empty());
    expectTablesEqualTruth({tag});
    const int answers = static_cast<int>(site().requestLog().size() - before);
    ASSERT_GT(answers, 10);

    for (int k = 1; k < answers; ++k) {
        SCOPED_TRACE(::testing::Message() << "the site stops after " << k << " of " << answers);
        fresh({tag});
        statsite::FaultPlan stop;
        stop.stopAfterRequests = k;
        faults(stop);
        pressDownload();
        const QStringList failures = failureLines(0);
        ASSERT_EQ(failures.size(), 1);
        EXPECT_TRUE(failures[0].startsWith(tag + QStringLiteral(": ")))
            << failures[0].toStdString();
        EXPECT_TRUE(failures[0].contains(QStringLiteral("was refused")) ||
                    failures[0].contains(QStringLiteral("broke off")))
            << failures[0].toStdString();
        EXPECT_EQ(logRecords(), 1);
        EXPECT_TRUE(window_->stageRow(5).complete.label->isHidden() ||
                    !window_->stageRow(4).failed.label->isHidden())
            << "no row claims success for the failed part";
        expectNothingHalfStored();

        revive();
        pressDownload();
        EXPECT_EQ(prompter_->calls().size(), 1u) << "the rerun reports nothing";
        expectTablesEqualTruth({tag});
        if (HasFailure()) {
            break;
        }
    }
}

TEST_F(DownloadFailureTest, AGameThatCannotBeReadIsSkippedReportedAndTriedAgain) {
    startSite({2, 30, 10, 12});
    const QString tag = site().featuredGamertags()[0];
    const QList<int> games = gamesOf(tag);
    ASSERT_GE(games.size(), 8);
    // Three bad pages, each its own way; the oldest game is partially purged.
    const int bad = games[2];
    const int negative = games[4];
    const int noLength = games[5];
    fresh({tag});
    statsite::FaultPlan plan;
    plan.badNumberGame = bad;
    plan.negativeNumberGame = negative;
    plan.noGameLengthGame = noLength;
    faults(plan);
    pressDownload();
    const QStringList failures = failureLines(0);
    ASSERT_EQ(failures.size(), 3) << failures.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(failures[0], QStringLiteral("%1: game %2, kills panel: the kills \"99999999999\" is "
                                          "no count")
                               .arg(tag)
                               .arg(bad));
    EXPECT_EQ(failures[1], QStringLiteral("%1: game %2, kills panel: the kills \"-3\" is no count")
                               .arg(tag)
                               .arg(negative));
    EXPECT_EQ(failures[2],
              QStringLiteral("%1: game %2, stats panel: the page lacks \"Game Length:\"")
                  .arg(tag)
                  .arg(noLength));
    EXPECT_EQ(logRecords(), 3);
    EXPECT_FALSE(window_->stageRow(4).failed.label->isHidden());
    EXPECT_EQ(window_->stageRow(4).failed.label->text(), "Data extraction failed");
    expectNothingHalfStored();
    // Every other game is stored; the skipped games stay listed, waiting
    // for the next download, although the player is downloaded past them.
    for (int id : {bad, negative, noLength}) {
        EXPECT_EQ(
            value(QStringLiteral("select count(*) from Game_Player where Game_ID = %1").arg(id)),
            "0");
    }
    EXPECT_NE(value(QStringLiteral("select count(*) from Game_Player where Game_ID = %1")
                        .arg(games.last())),
              "0");
    EXPECT_EQ(lastGameId(tag), QString::number(games.last()));
    EXPECT_EQ(value(QStringLiteral("select count(*) from Game where Game_ID in (%1, %2, %3)")
                        .arg(bad)
                        .arg(negative)
                        .arg(noLength)),
              "3");

    // Still broken: only the skipped games are fetched again, and fail again;
    // the list is read no further than its newest page.
    forgetRequests();
    pressDownload();
    EXPECT_EQ(failureLines(1).size(), 3);
    EXPECT_EQ(countRequests("panel=stats"), 3);
    EXPECT_EQ(countRequests("&page=2"), 0);

    faults({});
    forgetRequests();
    pressDownload();
    EXPECT_EQ(prompter_->calls().size(), 2u);
    EXPECT_EQ(countRequests("panel=stats"), 3);
    expectTablesEqualTruth({tag});
}

TEST_F(DownloadFailureTest, ASkippedGameOutlivesTheCleanUpOfAnotherPlayersStoppedDownload) {
    startSite({2, 30, 10, 21});
    const QStringList tags = site().featuredGamertags();
    const QList<int> games = gamesOf(tags[0]);
    const int bad = games[3];
    fresh(tags);
    state_->settings.downloadAllTagList = false;
    auto select = [this](const QString& tag) {
        window_->tagListBox->setCurrentIndex(window_->tagListBox->findText(tag));
        ASSERT_EQ(state_->currentGamertag, tag);
    };
    statsite::FaultPlan plan;
    plan.badNumberGame = bad;
    faults(plan);
    select(tags[0]);
    pressDownload();
    ASSERT_EQ(failureLines(0).size(), 1);

    // The second player's download is stopped while its list is read: its
    // clean-up deletes the games it listed, not the one waiting to be read.
    select(tags[1]);
    const QMetaObject::Connection stop = QObject::connect(
        &session().fetcher(), &Fetcher::requesting, window_.get(),
        [this](const QString& path) {
            if (path.contains(QStringLiteral("&page=1"))) {
                session().stop();
            }
        },
        Qt::DirectConnection);
    pressDownload();
    QObject::disconnect(stop);
    EXPECT_EQ(prompter_->calls().size(), 1u) << "a stop is no failure";
    EXPECT_EQ(value(QStringLiteral("select count(*) from Game where Game_ID = %1").arg(bad)), "1");

    faults({});
    state_->settings.downloadAllTagList = true;
    select(tags[0]);
    pressDownload();
    EXPECT_EQ(prompter_->calls().size(), 1u);
    expectTablesEqualTruth(tags);
}

TEST_F(DownloadFailureTest, APagerWithoutItsPageNumberFailsTheGameListInsteadOfGuessing) {
    startSite({2, 30, 10, 13});
    const QString tag = site().featuredGamertags()[0];
    fresh({tag});
    statsite::FaultPlan plan;
    plan.noPageParam = true;
    faults(plan);
    pressDownload();
    const QStringList failures = failureLines(0);
    ASSERT_EQ(failures.size(), 1);
    EXPECT_EQ(failures[0], tag + QStringLiteral(": game list pager: the page lacks \"&page\""));
    EXPECT_EQ(window_->stageRow(3).failed.label->text(), "Game list not read");
    EXPECT_FALSE(window_->stageRow(3).failed.label->isHidden());
    EXPECT_EQ(value(QStringLiteral("select count(*) from Game_Player")), "0");
    EXPECT_EQ(countRequests("panel="), 0);
    faults({});
    pressDownload();
    EXPECT_EQ(prompter_->calls().size(), 1u);
    expectTablesEqualTruth({tag});
}

TEST_F(DownloadFailureTest, OnlyTheStatusLineRedirectsAndOnlyAFewTimes) {
    startSite({2, 12, 10, 14});
    const QStringList tags = site().featuredGamertags();
    fresh(tags);
    statsite::FaultPlan words;
    words.body302 = true;
    faults(words);
    pressDownload();
    EXPECT_TRUE(prompter_->calls().empty());
    expectTablesEqualTruth(tags);

    fresh(tags);
    statsite::FaultPlan always;
    always.redirectFirst = 1000000;
    always.match = "player.aspx";
    faults(always);
    forgetRequests();
    pressDownload();
    const QStringList failures = failureLines(0);
    ASSERT_EQ(failures.size(), 2) << "both players fail; the second is still tried";
    EXPECT_EQ(failures[1],
              tags[1] + QStringLiteral(": player page: the site redirected the request more than 5 "
                                       "times"));
    EXPECT_EQ(countRequests("player.aspx"), 12);
    EXPECT_EQ(window_->stageRow(1).failed.label->text(), "No usable answer");
    EXPECT_EQ(logRecords(), 2);
}

TEST_F(DownloadFailureTest, AnEndlessAnswerIsRefusedAtItsSizeLimit) {
    startSite({1, 6, 10, 15});
    const QString tag = site().featuredGamertags()[0];
    fresh({tag});
    statsite::FaultPlan plan;
    plan.endless = true;
    plan.match = "panel=kills";
    plan.times = 1;
    faults(plan);
    QElapsedTimer clock;
    clock.start();
    pressDownload();
    const QStringList failures = failureLines(0);
    ASSERT_EQ(failures.size(), 1);
    EXPECT_TRUE(
        failures[0].endsWith(QStringLiteral("kills panel: the answer is larger than 32 MB")))
        << failures[0].toStdString();
    rusage usage{};
    ASSERT_EQ(getrusage(RUSAGE_SELF, &usage), 0);
    EXPECT_LT(usage.ru_maxrss, 300 * 1024) << "peak resident memory in KB";
    EXPECT_LT(clock.elapsed(), 10000);
    const QByteArray log = debugLog();
    EXPECT_LT(log.size(), 200 * 1024) << "the page in the record is cut";
    faults({});
    pressDownload();
    expectTablesEqualTruth({tag});
}

TEST_F(DownloadFailureTest, TextFromAPageNeverBreaksTheRequestLine) {
    startSite({1, 3, 10, 16});
    const QString tag = site().featuredGamertags()[0];
    fresh({tag});
    statsite::FaultPlan plan;
    plan.emblemCrlf = true;
    faults(plan);
    forgetRequests();
    pressDownload();
    const QList<QByteArray> requests = site().requestLog();
    for (const QByteArray& target : requests) {
        EXPECT_FALSE(target.contains('\r') || target.contains('\n')) << target.constData();
        EXPECT_FALSE(target.contains("smuggled") && !target.contains("emblem"))
            << target.constData();
    }
    EXPECT_GE(countRequests("%0D%0AX-Injected"), 1) << "the emblem's line break, encoded";
    expectTablesEqualTruth({tag});
}

TEST_F(DownloadFailureTest, AMergeThatFailsLeavesEveryRowStagedForTheNextDownload) {
    startSite({1, 6, 10, 17});
    const QString tag = site().featuredGamertags()[0];
    fresh({tag});
    window_.reset();
    state_.reset();
    seedDatabase(
        "CREATE TRIGGER no_medals BEFORE INSERT ON Game_Player_Medal "
        "BEGIN SELECT RAISE(ABORT, 'medals refused'); END;");
    reload();
    pressDownload();
    const QStringList failures = failureLines(0);
    ASSERT_EQ(failures.size(), 1);
    EXPECT_TRUE(failures[0].startsWith(tag + QStringLiteral(": clean-up: ")))
        << failures[0].toStdString();
    EXPECT_TRUE(debugLog().contains(" v110 [App.Cleanup]   "));
    EXPECT_EQ(window_->stageRow(5).failed.label->text(), "Database not updated");
    // The player merge ran before the medal merge, and was undone with it.
    EXPECT_EQ(value(QStringLiteral("select count(*) from Game_Player")), "0");
    EXPECT_NE(value(QStringLiteral("select count(*) from zLoad_Panel_4")), "0");
    EXPECT_EQ(lastGameId(tag), "0");

    window_.reset();
    state_.reset();
    seedDatabase("DROP TRIGGER no_medals;");
    reload();
    pressDownload();
    EXPECT_TRUE(prompter_->calls().empty());
    expectTablesEqualTruth({tag});
}

TEST_F(DownloadFailureTest, NamesThatDifferInOneAccentStayTwoPlayers) {
    SiteOptions options{2, 10, 10, 19};
    options.accents = true;
    startSite(options);
    const QStringList tags = site().featuredGamertags();
    ASSERT_TRUE(tags.contains(QStringLiteral("Caf\u00e9 Racer")));
    ASSERT_TRUE(tags.contains(QStringLiteral("Caf\u00e8 Racer")));
    fresh(tags);
    forgetRequests();
    pressDownload();
    EXPECT_TRUE(prompter_->calls().empty());
    EXPECT_EQ(countRequests("player.aspx?tag=Caf%E9+Racer"), 1);
    EXPECT_EQ(countRequests("player.aspx?tag=Caf%E8+Racer"), 1);
    expectTablesEqualTruth(tags);
    EXPECT_NE(value(QStringLiteral("select count(*) from Game_Player where Player_Gamertag = "
                                   "'Caf\u00e8 Racer'")),
              "0");
}

TEST_F(DownloadFailureTest, AFullDiskFailsTheRunKeepsTheSettingsAndTheRerunCompletes) {
    test_support::SmallDisk disk(2 * 1024 * 1024);
    if (!disk.mounted()) {
        GTEST_SKIP() << "no small disk: " << disk.whyNot().toStdString();
    }
    startSite({2, 12, 10, 20});
    const QStringList tags = site().featuredGamertags();
    folder_ = disk.path();
    fresh(tags);
    const QByteArray settings = programFileBytes(QStringLiteral("tallywick110.ini"));
    ASSERT_FALSE(settings.isEmpty());
    ASSERT_TRUE(disk.fill());
    pressDownload();
    ASSERT_FALSE(prompter_->calls().empty());
    const DialogCall& last = prompter_->calls().back();
    EXPECT_EQ(last.title, "Error");
    EXPECT_TRUE(last.text.startsWith(QStringLiteral("The download did not complete:\r\n")))
        << last.text.toStdString();
    EXPECT_TRUE(last.text.contains(tags[0] + QStringLiteral(": player page: ")))
        << last.text.toStdString();
    EXPECT_FALSE(last.text.contains(QStringLiteral("debug.log")))
        << "the log could not be written, so the message does not point there";
    EXPECT_EQ(programFileBytes(QStringLiteral("tallywick110.ini")), settings);
    for (const QString& name : disk.entries()) {
        EXPECT_FALSE(name.contains(QStringLiteral(".ini.")) || name.endsWith(QStringLiteral("x")))
            << "a temporary was left: " << name.toStdString();
    }
    window_.reset();
    state_.reset();

    disk.freeSpace();
    reload();
    pressDownload();
    EXPECT_TRUE(prompter_->calls().empty()) << "the rerun reports nothing";
    expectTablesEqualTruth(tags);
    window_.reset();
    state_.reset();
    folder_.clear();
}

TEST_F(DownloadFailureTest, AMissingPictureFolderIsMadeAgain) {
    startSite({1, 3, 10, 18});
    const QString tag = site().featuredGamertags()[0];
    fresh({tag});
    QDir(filePath(QStringLiteral("avatar"))).removeRecursively();
    pressDownload();
    EXPECT_TRUE(prompter_->calls().empty());
    const QString stem = QString(tag).replace(QLatin1Char(' '), QLatin1Char('_'));
    EXPECT_TRUE(QFile::exists(filePath(QStringLiteral("avatar/") + stem + QStringLiteral(".jpg"))));
    EXPECT_TRUE(
        QFile::exists(filePath(QStringLiteral("avatar/") + stem + QStringLiteral("_smbw.jpg"))));
    expectTablesEqualTruth({tag});
}

}  // namespace
}  // namespace tw::testing
