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
    void Fresh(const QStringList& tags) {
        window_.reset();
        state_.reset();
        for (const char* file : {"tallywick110.mdb", "debug.log"}) {
            QFile::remove(Path(QString::fromLatin1(file)));
        }
        QDir(Path(QStringLiteral("avatar"))).removeRecursively();
        ASSERT_TRUE(QDir(Folder()).mkpath(QStringLiteral("avatar")));
        ASSERT_TRUE(QFile::copy(QStringLiteral(TALLYWICK_PROGRAM_DIR "/tallywick110.mdb"),
                                Path(QStringLiteral("tallywick110.mdb"))));
        PrepareProgram(tags, tags.first(), {}, {QStringLiteral("Download_All_Tag_List=1")});
        Reload();
    }
    void Reload() {
        window_.reset();
        state_.reset();
        Load();
        prompter_->AcknowledgeOkMessages(true);
    }
    void Faults(const statsite::FaultPlan& plan) { site().setFaults(plan); }
    // A site that stopped listening listens again, without faults.
    void Revive() {
        server_->stop();
        ASSERT_EQ(server_->start(port_), port_) << server_->errorString().toStdString();
        Faults({});
    }
    QByteArray Log() {
        QFile log(Path(QStringLiteral("debug.log")));
        return log.open(QIODevice::ReadOnly) ? log.readAll() : QByteArray();
    }
    static QByteArray ReadAll(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    int LogRecords() { return static_cast<int>(Log().count(" v110 [App.")); }
    // The press's one message: the failure lines between the first line and
    // the closing lines.
    QStringList FailureLines(size_t callsBefore) {
        EXPECT_EQ(prompter_->Calls().size(), callsBefore + 1) << "one message for the press";
        if (prompter_->Calls().size() != callsBefore + 1) {
            return {};
        }
        const DialogCall& call = prompter_->Calls().back();
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
    void ExpectNothingHalfStored() {
        EXPECT_EQ(Value(QStringLiteral("select count(*) from Game_Player where Kills Is Null")),
                  "0");
        EXPECT_EQ(Value(QStringLiteral(
                      "select count(*) from Game_Player GP INNER JOIN Game G ON G.Game_ID = "
                      "GP.Game_ID where G.Was_Partially_Purged = 'N' and GP.Shots_Fired Is Null")),
                  "0");
        EXPECT_FALSE(state_->DownloadInProgress);
        EXPECT_FALSE(window_->downloadButton->isHidden()) << "the window is unlocked";
    }
    // The featured player's games, oldest first.
    QList<int> GamesOf(const QString& tag) {
        QList<int> ids;
        for (const QByteArray& row : TruthRows({tag}).value("Game")) {
            ids << row.split('\t').first().toInt();
        }
        std::sort(ids.begin(), ids.end());
        return ids;
    }
};

TEST_F(DownloadFailureTest, TheSiteGoingAwayAtAnyRequestIsReportedAndTheRerunCompletes) {
    StartSite({1, 4, 10, 11});
    const QString tag = site().featuredGamertags()[0];
    Fresh({tag});
    const qsizetype before = site().requestLog().size();
    PressDownload();
    ASSERT_TRUE(prompter_->Calls().empty());
    ExpectTablesEqualTruth({tag});
    const int answers = static_cast<int>(site().requestLog().size() - before);
    ASSERT_GT(answers, 10);

    for (int k = 1; k < answers; ++k) {
        SCOPED_TRACE(::testing::Message() << "the site stops after " << k << " of " << answers);
        Fresh({tag});
        statsite::FaultPlan stop;
        stop.stopAfterRequests = k;
        Faults(stop);
        PressDownload();
        const QStringList failures = FailureLines(0);
        ASSERT_EQ(failures.size(), 1);
        EXPECT_TRUE(failures[0].startsWith(tag + QStringLiteral(": ")))
            << failures[0].toStdString();
        EXPECT_TRUE(failures[0].contains(QStringLiteral("was refused")) ||
                    failures[0].contains(QStringLiteral("broke off")))
            << failures[0].toStdString();
        EXPECT_EQ(LogRecords(), 1);
        EXPECT_TRUE(window_->stageRow(5).complete.label->isHidden() ||
                    !window_->stageRow(4).failed.label->isHidden())
            << "no row claims success for the failed part";
        ExpectNothingHalfStored();

        Revive();
        PressDownload();
        EXPECT_EQ(prompter_->Calls().size(), 1u) << "the rerun reports nothing";
        ExpectTablesEqualTruth({tag});
        if (HasFailure()) {
            break;
        }
    }
}

TEST_F(DownloadFailureTest, AGameThatCannotBeReadIsSkippedReportedAndTriedAgain) {
    StartSite({2, 30, 10, 12});
    const QString tag = site().featuredGamertags()[0];
    const QList<int> games = GamesOf(tag);
    ASSERT_GE(games.size(), 8);
    // Three bad pages, each its own way; the oldest game is partially purged.
    const int bad = games[2];
    const int negative = games[4];
    const int noLength = games[5];
    Fresh({tag});
    statsite::FaultPlan plan;
    plan.badNumberGame = bad;
    plan.negativeNumberGame = negative;
    plan.noGameLengthGame = noLength;
    Faults(plan);
    PressDownload();
    const QStringList failures = FailureLines(0);
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
    EXPECT_EQ(LogRecords(), 3);
    EXPECT_FALSE(window_->stageRow(4).failed.label->isHidden());
    EXPECT_EQ(window_->stageRow(4).failed.label->text(), "Data extraction failed");
    ExpectNothingHalfStored();
    // Every other game is stored; the skipped games stay listed, waiting
    // for the next download, although the player is downloaded past them.
    for (int id : {bad, negative, noLength}) {
        EXPECT_EQ(
            Value(QStringLiteral("select count(*) from Game_Player where Game_ID = %1").arg(id)),
            "0");
    }
    EXPECT_NE(Value(QStringLiteral("select count(*) from Game_Player where Game_ID = %1")
                        .arg(games.last())),
              "0");
    EXPECT_EQ(Value(QStringLiteral("select Last_Game_ID from Player where Player_Gamertag = '%1'")
                        .arg(tag)),
              QString::number(games.last()));
    EXPECT_EQ(Value(QStringLiteral("select count(*) from Game where Game_ID in (%1, %2, %3)")
                        .arg(bad)
                        .arg(negative)
                        .arg(noLength)),
              "3");

    // Still broken: only the skipped games are fetched again, and fail again;
    // the list is read no further than its newest page.
    ForgetRequests();
    PressDownload();
    EXPECT_EQ(FailureLines(1).size(), 3);
    EXPECT_EQ(CountRequests("panel=stats"), 3);
    EXPECT_EQ(CountRequests("&page=2"), 0);

    Faults({});
    ForgetRequests();
    PressDownload();
    EXPECT_EQ(prompter_->Calls().size(), 2u);
    EXPECT_EQ(CountRequests("panel=stats"), 3);
    ExpectTablesEqualTruth({tag});
}

TEST_F(DownloadFailureTest, ASkippedGameOutlivesTheCleanUpOfAnotherPlayersStoppedDownload) {
    StartSite({2, 30, 10, 21});
    const QStringList tags = site().featuredGamertags();
    const QList<int> games = GamesOf(tags[0]);
    const int bad = games[3];
    Fresh(tags);
    state_->settings.Download_All_Tag_List = false;
    auto select = [this](const QString& tag) {
        window_->tagListBox->setCurrentIndex(window_->tagListBox->findText(tag));
        ASSERT_EQ(state_->CurrentGamertag, tag);
    };
    statsite::FaultPlan plan;
    plan.badNumberGame = bad;
    Faults(plan);
    select(tags[0]);
    PressDownload();
    ASSERT_EQ(FailureLines(0).size(), 1);

    // The second player's download is stopped while its list is read: its
    // clean-up deletes the games it listed, not the one waiting to be read.
    select(tags[1]);
    const QMetaObject::Connection stop = QObject::connect(
        &session().fetcher(), &Fetcher::Requesting, window_.get(),
        [this](const QString& path) {
            if (path.contains(QStringLiteral("&page=1"))) {
                session().stop();
            }
        },
        Qt::DirectConnection);
    PressDownload();
    QObject::disconnect(stop);
    EXPECT_EQ(prompter_->Calls().size(), 1u) << "a stop is no failure";
    EXPECT_EQ(Value(QStringLiteral("select count(*) from Game where Game_ID = %1").arg(bad)), "1");

    Faults({});
    state_->settings.Download_All_Tag_List = true;
    select(tags[0]);
    PressDownload();
    EXPECT_EQ(prompter_->Calls().size(), 1u);
    ExpectTablesEqualTruth(tags);
}

TEST_F(DownloadFailureTest, APagerWithoutItsPageNumberFailsTheGameListInsteadOfGuessing) {
    StartSite({2, 30, 10, 13});
    const QString tag = site().featuredGamertags()[0];
    Fresh({tag});
    statsite::FaultPlan plan;
    plan.noPageParam = true;
    Faults(plan);
    PressDownload();
    const QStringList failures = FailureLines(0);
    ASSERT_EQ(failures.size(), 1);
    EXPECT_EQ(failures[0], tag + QStringLiteral(": game list pager: the page lacks \"&page\""));
    EXPECT_EQ(window_->stageRow(3).failed.label->text(), "Game list not read");
    EXPECT_FALSE(window_->stageRow(3).failed.label->isHidden());
    EXPECT_EQ(Value(QStringLiteral("select count(*) from Game_Player")), "0");
    EXPECT_EQ(CountRequests("panel="), 0);
    Faults({});
    PressDownload();
    EXPECT_EQ(prompter_->Calls().size(), 1u);
    ExpectTablesEqualTruth({tag});
}

TEST_F(DownloadFailureTest, OnlyTheStatusLineRedirectsAndOnlyAFewTimes) {
    StartSite({2, 12, 10, 14});
    const QStringList tags = site().featuredGamertags();
    Fresh(tags);
    statsite::FaultPlan words;
    words.body302 = true;
    Faults(words);
    PressDownload();
    EXPECT_TRUE(prompter_->Calls().empty());
    ExpectTablesEqualTruth(tags);

    Fresh(tags);
    statsite::FaultPlan always;
    always.redirectFirst = 1000000;
    always.match = "player.aspx";
    Faults(always);
    ForgetRequests();
    PressDownload();
    const QStringList failures = FailureLines(0);
    ASSERT_EQ(failures.size(), 2) << "both players fail; the second is still tried";
    EXPECT_EQ(failures[1],
              tags[1] + QStringLiteral(": player page: the site redirected the request more than 5 "
                                       "times"));
    EXPECT_EQ(CountRequests("player.aspx"), 12);
    EXPECT_EQ(window_->stageRow(1).failed.label->text(), "No usable answer");
    EXPECT_EQ(LogRecords(), 2);
}

TEST_F(DownloadFailureTest, AnEndlessAnswerIsRefusedAtItsSizeLimit) {
    StartSite({1, 6, 10, 15});
    const QString tag = site().featuredGamertags()[0];
    Fresh({tag});
    statsite::FaultPlan plan;
    plan.endless = true;
    plan.match = "panel=kills";
    plan.times = 1;
    Faults(plan);
    QElapsedTimer clock;
    clock.start();
    PressDownload();
    const QStringList failures = FailureLines(0);
    ASSERT_EQ(failures.size(), 1);
    EXPECT_TRUE(
        failures[0].endsWith(QStringLiteral("kills panel: the answer is larger than 32 MB")))
        << failures[0].toStdString();
    rusage usage{};
    ASSERT_EQ(getrusage(RUSAGE_SELF, &usage), 0);
    EXPECT_LT(usage.ru_maxrss, 300 * 1024) << "peak resident memory in KB";
    EXPECT_LT(clock.elapsed(), 10000);
    const QByteArray log = Log();
    EXPECT_LT(log.size(), 200 * 1024) << "the page in the record is cut";
    Faults({});
    PressDownload();
    ExpectTablesEqualTruth({tag});
}

TEST_F(DownloadFailureTest, TextFromAPageNeverBreaksTheRequestLine) {
    StartSite({1, 3, 10, 16});
    const QString tag = site().featuredGamertags()[0];
    Fresh({tag});
    statsite::FaultPlan plan;
    plan.emblemCrlf = true;
    Faults(plan);
    ForgetRequests();
    PressDownload();
    const QList<QByteArray> requests = site().requestLog();
    for (const QByteArray& target : requests) {
        EXPECT_FALSE(target.contains('\r') || target.contains('\n')) << target.constData();
        EXPECT_FALSE(target.contains("smuggled") && !target.contains("emblem"))
            << target.constData();
    }
    EXPECT_GE(CountRequests("%0D%0AX-Injected"), 1) << "the emblem's line break, encoded";
    ExpectTablesEqualTruth({tag});
}

TEST_F(DownloadFailureTest, AMergeThatFailsLeavesEveryRowStagedForTheNextDownload) {
    StartSite({1, 6, 10, 17});
    const QString tag = site().featuredGamertags()[0];
    Fresh({tag});
    window_.reset();
    state_.reset();
    SeedDatabase(
        "CREATE TRIGGER no_medals BEFORE INSERT ON Game_Player_Medal "
        "BEGIN SELECT RAISE(ABORT, 'medals refused'); END;");
    Reload();
    PressDownload();
    const QStringList failures = FailureLines(0);
    ASSERT_EQ(failures.size(), 1);
    EXPECT_TRUE(failures[0].startsWith(tag + QStringLiteral(": clean-up: ")))
        << failures[0].toStdString();
    EXPECT_TRUE(Log().contains(" v110 [App.Cleanup]   "));
    EXPECT_EQ(window_->stageRow(5).failed.label->text(), "Database not updated");
    // The player merge ran before the medal merge, and was undone with it.
    EXPECT_EQ(Value(QStringLiteral("select count(*) from Game_Player")), "0");
    EXPECT_NE(Value(QStringLiteral("select count(*) from zLoad_Panel_4")), "0");
    EXPECT_EQ(Value(QStringLiteral("select Last_Game_ID from Player where Player_Gamertag = '%1'")
                        .arg(tag)),
              "0");

    window_.reset();
    state_.reset();
    SeedDatabase("DROP TRIGGER no_medals;");
    Reload();
    PressDownload();
    EXPECT_TRUE(prompter_->Calls().empty());
    ExpectTablesEqualTruth({tag});
}

TEST_F(DownloadFailureTest, NamesThatDifferInOneAccentStayTwoPlayers) {
    SiteOptions options{2, 10, 10, 19};
    options.accents = true;
    StartSite(options);
    const QStringList tags = site().featuredGamertags();
    ASSERT_TRUE(tags.contains(QStringLiteral("Caf\u00e9 Racer")));
    ASSERT_TRUE(tags.contains(QStringLiteral("Caf\u00e8 Racer")));
    Fresh(tags);
    ForgetRequests();
    PressDownload();
    EXPECT_TRUE(prompter_->Calls().empty());
    EXPECT_EQ(CountRequests("player.aspx?tag=Caf%E9+Racer"), 1);
    EXPECT_EQ(CountRequests("player.aspx?tag=Caf%E8+Racer"), 1);
    ExpectTablesEqualTruth(tags);
    EXPECT_NE(Value(QStringLiteral("select count(*) from Game_Player where Player_Gamertag = "
                                   "'Caf\u00e8 Racer'")),
              "0");
}

TEST_F(DownloadFailureTest, AFullDiskFailsTheRunKeepsTheSettingsAndTheRerunCompletes) {
    test_support::SmallDisk disk(2 * 1024 * 1024);
    if (!disk.mounted()) {
        GTEST_SKIP() << "no small disk: " << disk.whyNot().toStdString();
    }
    StartSite({2, 12, 10, 20});
    const QStringList tags = site().featuredGamertags();
    folder_ = disk.path();
    Fresh(tags);
    const QByteArray settings = ReadAll(Path(QStringLiteral("tallywick110.ini")));
    ASSERT_FALSE(settings.isEmpty());
    ASSERT_TRUE(disk.fill());
    PressDownload();
    ASSERT_FALSE(prompter_->Calls().empty());
    const DialogCall& last = prompter_->Calls().back();
    EXPECT_EQ(last.title, "Error");
    EXPECT_TRUE(last.text.startsWith(QStringLiteral("The download did not complete:\r\n")))
        << last.text.toStdString();
    EXPECT_TRUE(last.text.contains(tags[0] + QStringLiteral(": player page: ")))
        << last.text.toStdString();
    EXPECT_FALSE(last.text.contains(QStringLiteral("debug.log")))
        << "the log could not be written, so the message does not point there";
    EXPECT_EQ(ReadAll(Path(QStringLiteral("tallywick110.ini"))), settings);
    for (const QString& name : disk.entries()) {
        EXPECT_FALSE(name.contains(QStringLiteral(".ini.")) || name.endsWith(QStringLiteral("x")))
            << "a temporary was left: " << name.toStdString();
    }
    window_.reset();
    state_.reset();

    disk.freeSpace();
    Reload();
    PressDownload();
    EXPECT_TRUE(prompter_->Calls().empty()) << "the rerun reports nothing";
    ExpectTablesEqualTruth(tags);
    window_.reset();
    state_.reset();
    folder_.clear();
}

TEST_F(DownloadFailureTest, AMissingPictureFolderIsMadeAgain) {
    StartSite({1, 3, 10, 18});
    const QString tag = site().featuredGamertags()[0];
    Fresh({tag});
    QDir(Path(QStringLiteral("avatar"))).removeRecursively();
    PressDownload();
    EXPECT_TRUE(prompter_->Calls().empty());
    const QString stem = QString(tag).replace(QLatin1Char(' '), QLatin1Char('_'));
    EXPECT_TRUE(QFile::exists(Path(QStringLiteral("avatar/") + stem + QStringLiteral(".jpg"))));
    EXPECT_TRUE(
        QFile::exists(Path(QStringLiteral("avatar/") + stem + QStringLiteral("_smbw.jpg"))));
    ExpectTablesEqualTruth({tag});
}

}  // namespace
}  // namespace tw::testing
