// The command line itself: usage errors, help, version, the database start-up
// exits, and the progress lines' form.

#include "cli/BatchCommand.h"
#include "cli/BatchProgram.h"
#include "cli/DownloadReporter.h"

namespace tw::testing {
namespace {

using batch::BatchCommand;
using batch::Job;
using batch::parseBatchCommand;
using batch::UsageError;
using batch::usageText;

class BatchUsageTest : public BatchProgramTest {};

TEST_F(BatchUsageTest, WrongUsageExitsTwoWithTheUsage) {
    const BatchRun unknown = runExecutable({QStringLiteral("frob")});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_EQ(unknown.out, QByteArray());
    EXPECT_EQ(unknown.errText(),
              QStringLiteral("tallywick: unknown command \"frob\"\n\n") + usageText(Job::None));

    const BatchRun noOut = runExecutable({QStringLiteral("query"), QStringLiteral("1")});
    EXPECT_EQ(noOut.exitCode, 2);
    EXPECT_EQ(noOut.errText(),
              QStringLiteral("tallywick: missing --out FILE\n\n") + usageText(Job::Query));

    const BatchRun badKind =
        runExecutable({QStringLiteral("export"), QStringLiteral("pdf"), QStringLiteral("x.pdf")});
    EXPECT_EQ(badKind.exitCode, 2);
    EXPECT_EQ(badKind.errText(), QStringLiteral("tallywick: export does not take \"pdf\"\n\n") +
                                     usageText(Job::Export));

    const BatchRun badOption = runExecutable({QStringLiteral("report"), QStringLiteral("--all")});
    EXPECT_EQ(badOption.exitCode, 2);
    EXPECT_TRUE(
        badOption.errText().startsWith(QStringLiteral("tallywick: unknown option \"--all\"\n")));
}

TEST_F(BatchUsageTest, HelpAndVersion) {
    const BatchRun help = runExecutable({QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.outText(), usageText(Job::None));
    EXPECT_TRUE(help.outText().contains(QStringLiteral("3 the database is missing or held")));
    for (const char* command : {"download", "report", "query", "export"}) {
        const BatchRun one = runExecutable({QLatin1String(command), QStringLiteral("--help")});
        EXPECT_EQ(one.exitCode, 0) << command;
        EXPECT_TRUE(one.outText().startsWith(QStringLiteral("Usage: tallywick [--dir DIR] ") +
                                             QLatin1String(command)))
            << one.out.constData();
    }
    const BatchRun version = runExecutable({QStringLiteral("--version")});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.outText(), QStringLiteral("Tallywick 1.1.0\n"));
}

TEST_F(BatchUsageTest, MissingOrHeldDatabaseExitsThreeWithTheStartUpMessages) {
    prepareProgram({QStringLiteral("Someone")}, QStringLiteral("Someone"));
    load();  // a running window holds the database
    const BatchRun held = runBatch({QStringLiteral("report"), QStringLiteral("Someone")});
    EXPECT_EQ(held.exitCode, 3);
    EXPECT_EQ(held.errText(), QStringLiteral("Error: It appears that you have the database open "
                                             "locally.\nThe database must be closed before you can "
                                             "use this program.\n"));
    window_.reset();
    state_.reset();

    ASSERT_TRUE(QFile::remove(filePath(QStringLiteral("tallywick110.mdb"))));
    const BatchRun missing = runBatch({QStringLiteral("download")});
    EXPECT_EQ(missing.exitCode, 3);
    EXPECT_EQ(missing.errText(), QStringLiteral("Error: Database cannot be found.\nMake sure the "
                                                "\"tallywick110.mdb\" file exists in the program "
                                                "directory.\n"));

    // A file that is no database of ours: its one message, and nothing else
    // (no "The tag list is empty."), and the file is left as it was.
    const QByteArray foreign(4096, 'x');
    QFile file(filePath(QStringLiteral("tallywick110.mdb")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(foreign);
    file.close();
    const BatchRun damaged = runBatch({QStringLiteral("download"), QStringLiteral("--all")});
    EXPECT_EQ(damaged.exitCode, 3);
    EXPECT_FALSE(damaged.errText().contains(QStringLiteral("tag list"))) << damaged.err.constData();
    EXPECT_TRUE(damaged.errText().contains(QStringLiteral("3343"))) << damaged.err.constData();
    EXPECT_EQ(damaged.errText().count(QStringLiteral("Error #: ")), 1) << damaged.err.constData();
    EXPECT_EQ(readFile(filePath(QStringLiteral("tallywick110.mdb"))), foreign);
}

TEST_F(BatchUsageTest, FailedJobExitsOneWithTheMessageAndTheLogRecord) {
    prepareProgram({QStringLiteral("Someone")}, QStringLiteral("Someone"));
    const BatchRun run = runBatch({QStringLiteral("export"), QStringLiteral("xml"),
                                   filePath(QStringLiteral("no/such/all.xml"))});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, QByteArray());
    EXPECT_EQ(run.errText(), QStringLiteral("Tallywick: Error #: 75\nDescription: Path/File access "
                                            "error\n\nPlease email your \"debug.log\" file to "
                                            "support@tallywick.org\n"));
    const QByteArray log = readFile(filePath(QStringLiteral("debug.log")));
    EXPECT_TRUE(log.contains(" [App.ExportXML]   ")) << log.constData();
    EXPECT_TRUE(log.contains("#75 - Tallywick - Path/File access error\r\n")) << log.constData();
}

TEST(BatchCommandTest, OptionsInEitherFormAndPlace) {
    const BatchCommand query = parseBatchCommand(
        {QStringLiteral("query"), QStringLiteral("Kills Graph"),
         QStringLiteral("--out=/tmp/a b.csv"), QStringLiteral("--dir"), QStringLiteral("/srv/tw/"),
         QStringLiteral("--player=me"), QStringLiteral("--game"), QStringLiteral("unranked"),
         QStringLiteral("--format=html")});
    EXPECT_EQ(query.job, Job::Query);
    EXPECT_EQ(query.query, QStringLiteral("Kills Graph"));
    EXPECT_EQ(query.out, QStringLiteral("/tmp/a b.csv"));
    EXPECT_EQ(query.dir, QStringLiteral("/srv/tw"));
    EXPECT_EQ(query.player, PlayerFilter::Me);
    EXPECT_EQ(query.game, GameFilter::Unranked);
    EXPECT_EQ(query.format, 3);

    // Relative paths are taken from where the command was typed.
    const BatchCommand csv =
        parseBatchCommand({QStringLiteral("export"), QStringLiteral("csv"), QStringLiteral("out")});
    EXPECT_EQ(csv.exportKind, batch::ExportKind::Csv);
    EXPECT_EQ(csv.out, QDir::currentPath() + QStringLiteral("/out"));

    const BatchCommand some =
        parseBatchCommand({QStringLiteral("--dir"), QStringLiteral("/x"),
                           QStringLiteral("download"), QStringLiteral("A B"), QStringLiteral("C")});
    EXPECT_EQ(some.gamertags, (QStringList{QStringLiteral("A B"), QStringLiteral("C")}));
    EXPECT_FALSE(some.all);
}

TEST(BatchCommandTest, ContradictionsAndGapsAreUsageErrors) {
    const QList<QStringList> wrong = {
        {},
        {QStringLiteral("download"), QStringLiteral("--all"), QStringLiteral("A")},
        {QStringLiteral("report")},
        {QStringLiteral("report"), QStringLiteral("A"), QStringLiteral("B")},
        {QStringLiteral("query"), QStringLiteral("1"), QStringLiteral("--player"),
         QStringLiteral("friends"), QStringLiteral("--out"), QStringLiteral("f")},
        {QStringLiteral("query"), QStringLiteral("1"), QStringLiteral("--out")},
        {QStringLiteral("export"), QStringLiteral("xls")},
        {QStringLiteral("--dir")},
    };
    for (const QStringList& arguments : wrong) {
        EXPECT_THROW(parseBatchCommand(arguments), UsageError) << arguments.join(' ').toStdString();
    }
    try {
        parseBatchCommand(
            {QStringLiteral("download"), QStringLiteral("--all"), QStringLiteral("A")});
    } catch (const UsageError& error) {
        EXPECT_STREQ(error.what(), "--all and gamertags exclude each other");
        EXPECT_EQ(error.job(), Job::Download);
    }
}

TEST(BatchProgressTest, BarAndLineForms) {
    EXPECT_EQ(batch::progressBarLine(3, 7, 2500),
              QStringLiteral("  [########------------]  3 of 7   43%   00:00:02"));
    EXPECT_EQ(batch::progressBarLine(7, 7, 61000),
              QStringLiteral("  [####################]  7 of 7   100%   00:01:01"));
    EXPECT_EQ(batch::progressLine(3, 7, 2500),
              QStringLiteral("  Games read: 3 of 7 (43%)   00:00:02"));
}

}  // namespace
}  // namespace tw::testing
