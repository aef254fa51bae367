// `tallywick download` in a child process against the simulated site: the
// database ends as the site's ground truth, the stage captions and progress
// lines are printed, the failure box is answered without a person, and
// Ctrl+C stops the way the Stop button does.

#include <signal.h>

#include <QFile>

#include "cli/BatchCommand.h"
#include "cli/BatchJobs.h"
#include "cli/BatchProgram.h"
#include "download/Fetcher.h"

namespace tw::testing {
namespace {

class BatchDownloadTest : public BatchProgramTest {
  protected:
    QStringList featuredTags() { return site().featuredGamertags(); }
    int newGames(const QString& tag) {
        const statsite::World world = site().worldSnapshot();
        return static_cast<int>(world.gamesNewestFirst(*world.findPlayer(tag)).size());
    }
    QString gamesStored() { return value(QStringLiteral("select count(*) from Game")); }
    QString settingsText() {
        return QString::fromUtf8(readFile(filePath(QStringLiteral("tallywick110.ini"))));
    }
};

// The lines one player's download prints when it finds `games` new games.
QStringList playerLines(const QString& tag, int games) {
    return {tag,
            QStringLiteral("  Connection established"),
            QStringLiteral("  Gamertag found"),
            QStringLiteral("  New games found (") + QString::number(games) + QLatin1Char(')'),
            QStringLiteral("  Data extracted"),
            QStringLiteral("  Process complete")};
}

QStringList withoutProgress(const QStringList& lines) {
    QStringList kept;
    for (const QString& line : lines) {
        if (!line.startsWith(QLatin1String("  Games read: "))) {
            kept << line;
        }
    }
    return kept;
}

TEST_F(BatchDownloadTest, WholeTagListLandsAsTheTruthAndASecondRunFindsNothing) {
    startSite({3, 30, 10, 11});
    const QStringList tags = featuredTags().mid(0, 2);
    prepareProgram(tags, tags[1]);
    const QString settingsBefore = settingsText();

    const BatchRun first = runBatch({QStringLiteral("download"), QStringLiteral("--all")});
    EXPECT_EQ(first.exitCode, 0) << first.err.constData();
    EXPECT_EQ(first.err, QByteArray());
    const QStringList lines = linesOf(first.outText());
    // Later players may share games already stored by earlier ones.
    const QString secondNew = lines.filter(QStringLiteral("New games found")).value(1);
    const int secondCount = secondNew.section(QLatin1Char('('), 1).chopped(1).toInt();
    EXPECT_EQ(withoutProgress(lines),
              playerLines(tags[0], newGames(tags[0])) + playerLines(tags[1], secondCount));
    // Not a terminal: one line per ten percent, the last at 100%.
    const QStringList progress = lines.filter(QStringLiteral("  Games read: "));
    ASSERT_GE(progress.size(), 2);
    EXPECT_TRUE(progress[progress.size() - 1].contains(QStringLiteral(" (100%)   00:00:")))
        << progress.last().toStdString();
    EXPECT_LE(progress.size(), 20);
    // The selection of the window is what it was.
    EXPECT_EQ(settingsText(), settingsBefore);

    load();
    expectTablesEqualTruth(tags);
    EXPECT_EQ(value(QStringLiteral("select count(*) from zLoad_Panel_1")), "0");
    window_.reset();
    state_.reset();

    const BatchRun second = runBatch({QStringLiteral("download"), QStringLiteral("--all")});
    EXPECT_EQ(second.exitCode, 0) << second.err.constData();
    const QStringList none = {QStringLiteral("  Connection established"),
                              QStringLiteral("  Gamertag found"),
                              QStringLiteral("  No new games found")};
    EXPECT_EQ(linesOf(second.outText()), QStringList{tags[0]} + none + QStringList{tags[1]} + none);
}

TEST_F(BatchDownloadTest, NamedPlayersOnlyAndANameNotInTheTagList) {
    startSite({3, 20, 10, 5});
    const QStringList tags = featuredTags();
    prepareProgram(tags, tags[0]);

    const BatchRun unknown =
        runBatch({QStringLiteral("download"), tags[1], QStringLiteral("Nobody Here")});
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_EQ(unknown.errText(),
              QStringLiteral("tallywick: \"Nobody Here\" is not in the tag list.\n"));
    EXPECT_EQ(countRequests("/stats/"), 0) << "nothing is fetched before every name is known";

    // Any letter case names the listed player.
    const BatchRun named = runBatch({QStringLiteral("download"), tags[2].toUpper()});
    EXPECT_EQ(named.exitCode, 0) << named.err.constData();
    EXPECT_EQ(linesOf(named.outText()).first(), tags[2]);
    EXPECT_EQ(countRequests("player.aspx"), 1);

    // No name: the settings' current player.
    forgetRequests();
    const BatchRun current = runBatch({QStringLiteral("download")});
    EXPECT_EQ(current.exitCode, 0) << current.err.constData();
    EXPECT_EQ(linesOf(current.outText()).first(), tags[0]);
    EXPECT_EQ(countRequests("player.aspx"), 1);
}

TEST_F(BatchDownloadTest, FailureBoxIsRetriedThreeTimesThenCancelled) {
    startSite({1, 5, 10, 3});
    const QStringList tags = featuredTags().mid(0, 1);
    prepareProgram(tags, tags[0], {QStringLiteral("Connection_Timeout=300")});
    statsite::FaultPlan slow;
    slow.slowMs = 1500;
    slow.match = "player.aspx";
    site().setFaults(slow);

    const BatchRun run = runBatch({QStringLiteral("download")});
    EXPECT_EQ(run.exitCode, 1);
    QString box = QStringLiteral("Error: ") + connectionFailureMessage(QStringLiteral("127.0.0.1"));
    box.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const QString retried = box + QStringLiteral("\n  answered Retry\n");
    EXPECT_EQ(run.errText(),
              retried + retried + retried + box + QStringLiteral("\n  answered Cancel\n"));
    EXPECT_EQ(countRequests("player.aspx"), 4);
}

TEST_F(BatchDownloadTest, SiteDownPrintsNoConnection) {
    startSite({1, 5, 10, 3});
    const QStringList tags = featuredTags().mid(0, 1);
    prepareProgram(tags, tags[0]);
    server_->stop();

    const BatchRun run = runBatch({QStringLiteral("download"), QStringLiteral("--all")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(linesOf(run.outText()), (QStringList{tags[0], QStringLiteral("  No connection")}));
    EXPECT_EQ(run.errText(),
              QStringLiteral("Error: The download did not complete:\n%1: player page: the "
                             "connection to 127.0.0.1:%2 was refused\n\nEvery game read "
                             "completely is kept; the next download fetches what is missing.\n"
                             "The details are in \"debug.log\".\n")
                  .arg(tags[0])
                  .arg(sitePort()));
}

TEST_F(BatchDownloadTest, ASiteThatGoesAwayMidwayFailsTheRunAndTheNextRunCompletes) {
    startSite({1, 12, 10, 5});
    const QStringList tags = featuredTags().mid(0, 1);
    prepareProgram(tags, tags[0]);
    statsite::FaultPlan stop;
    stop.stopAfterRequests = 20;
    site().setFaults(stop);

    const BatchRun run = runBatch({QStringLiteral("download")});
    EXPECT_EQ(run.exitCode, 1) << run.out.constData();
    EXPECT_TRUE(run.outText().contains(QStringLiteral("  Data extraction failed")))
        << run.out.constData();
    EXPECT_FALSE(run.outText().contains(QStringLiteral("Data extracted"))) << run.out.constData();
    EXPECT_TRUE(run.errText().startsWith(QStringLiteral("Error: The download did not complete:\n")))
        << run.err.constData();
    EXPECT_EQ(readFile(filePath(QStringLiteral("debug.log"))).count(" v110 [App.Main]   "), 1);

    server_->stop();
    ASSERT_EQ(server_->start(sitePort()), sitePort());
    site().setFaults({});
    const BatchRun rest = runBatch({QStringLiteral("download")});
    EXPECT_EQ(rest.exitCode, 0) << rest.err.constData();
    load();
    expectTablesEqualTruth(tags);
}

TEST_F(BatchDownloadTest, InterruptStopsLikeTheStopButtonAndTheNextRunCompletes) {
    startSite({1, 40, 10, 9});
    const QStringList tags = featuredTags().mid(0, 1);
    prepareProgram(tags, tags[0]);
    statsite::FaultPlan slow;
    slow.slowMs = 25;
    slow.match = "game.aspx";
    site().setFaults(slow);

    QProcess process;
    startBatch(process, {QStringLiteral("download")});
    QByteArray out;
    while (!out.contains("Games read: ") && process.waitForReadyRead(20000)) {
        out += process.readAllStandardOutput();
    }
    ASSERT_TRUE(out.contains("Games read: ")) << out.constData();
    ::kill(static_cast<pid_t>(process.processId()), SIGINT);
    ASSERT_TRUE(process.waitForFinished(20000));
    out += process.readAllStandardOutput();
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_EQ(QString::fromUtf8(process.readAllStandardError()),
              QStringLiteral("tallywick: ") + QString::fromLatin1(batch::kStoppingMessage) +
                  QLatin1Char('\n'));
    // Stopped between games: the clean-up keeps what was read and says so.
    EXPECT_FALSE(out.contains("(100%)")) << out.constData();
    EXPECT_TRUE(out.endsWith("  Data extracted\n  Process complete\n")) << out.constData();

    // The games read before the stop are kept, the staging tables are empty.
    load();
    const int kept = gamesStored().toInt();
    EXPECT_GT(kept, 0);
    EXPECT_LT(kept, newGames(tags[0]));
    EXPECT_EQ(value(QStringLiteral("select count(*) from zLoad_Panel_1")), "0");
    window_.reset();
    state_.reset();

    site().setFaults({});
    const BatchRun rest = runBatch({QStringLiteral("download")});
    EXPECT_EQ(rest.exitCode, 0) << rest.err.constData();
    EXPECT_TRUE(rest.outText().contains(QStringLiteral("  New games found (") +
                                        QString::number(newGames(tags[0]) - kept) +
                                        QLatin1Char(')')))
        << rest.out.constData();
    load();
    expectTablesEqualTruth(tags);
}

TEST_F(BatchDownloadTest, OnATerminalTheProgressIsOneLiveBar) {
    startSite({1, 12, 10, 4});
    const QStringList tags = featuredTags().mid(0, 1);
    prepareProgram(tags, tags[0]);
    const int games = newGames(tags[0]);

    // script(1) gives the program a terminal for its standard output.
    const QString command = QStringLiteral("'" TALLYWICK_PROGRAM_DIR "/tallywick' --dir '") +
                            dir_.path() + QStringLiteral("' download");
    QProcess terminal;
    terminal.start(QStringLiteral("script"),
                   {QStringLiteral("-qec"), command, QStringLiteral("/dev/null")});
    ASSERT_TRUE(terminal.waitForFinished(60000)) << terminal.errorString().toStdString();
    EXPECT_EQ(terminal.exitCode(), 0);
    const QString out = QString::fromUtf8(terminal.readAllStandardOutput());
    const QString last = QStringLiteral("\r  [####################]  ") + QString::number(games) +
                         QStringLiteral(" of ") + QString::number(games) +
                         QStringLiteral("   100%");
    EXPECT_TRUE(out.contains(last)) << out.toStdString();
    // Each game redraws the same line; no "Games read" lines on a terminal.
    EXPECT_EQ(out.count(QStringLiteral("\r  [")), games + 1);
    EXPECT_FALSE(out.contains(QStringLiteral("Games read")));
    EXPECT_TRUE(out.contains(QStringLiteral("  Process complete")));
}

}  // namespace
}  // namespace tw::testing
