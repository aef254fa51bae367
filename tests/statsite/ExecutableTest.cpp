// The statsite program: options map onto the site, --truth writes the same truth
// as the library, and the answers come from the chosen port.
#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>

#include "statsite/ScraperRules.h"
#include "statsite/SiteFixture.h"
#include "statsite/WireClient.h"

namespace statsite_test {
namespace {

const QString kProgram = QStringLiteral(TALLYWICK_BINARY_DIR "/bin/statsite");

// Starts the program; the port its first line names, 0 without one.
quint16 startedPort(QProcess& program, const QStringList& arguments) {
    ensureApplication();
    program.start(kProgram, arguments);
    EXPECT_TRUE(program.waitForStarted() && program.waitForReadyRead(10000));
    const QByteArray banner = program.readLine();
    EXPECT_TRUE(banner.startsWith("statsite listening on 127.0.0.1:")) << banner.constData();
    return static_cast<quint16>(banner.mid(banner.lastIndexOf(':') + 1).split(' ').first().toInt());
}

TEST(Executable, StartsOnAFreePortWritesTheTruthAndServesTheWorld) {
    QTemporaryDir folder;
    const QString truthFile = folder.filePath("truth.txt");
    QProcess program;
    const quint16 port =
        startedPort(program, {"--port", "0", "--seed", "4", "--players", "5", "--games", "30",
                              "--truth", truthFile, "--tag", "Nobody", "--upper-html"});
    ASSERT_NE(port, 0);

    SiteConfig config = RunningSite::withWorld(4, 5, 30);
    Site library(config);
    QFile truth(truthFile);
    ASSERT_TRUE(truth.open(QIODevice::ReadOnly));
    EXPECT_EQ(truth.readAll(), library.truth({"Nobody"}));
    const QByteArray target =
        "/stats/player.aspx?tag=" + urlEncode(library.featuredGamertags().first().toUtf8());
    const WireResult answer = fetch(port, target);
    EXPECT_TRUE(answer.body().endsWith("</HTML>\r\n"));
    QByteArray expected = library.answerFor(target).body;
    EXPECT_EQ(answer.body(), expected.replace("</html>", "</HTML>"));
    program.kill();
    program.waitForFinished();
}

TEST(Executable, AccentsAndTheNewFaultsFromTheCommandLine) {
    QProcess program;
    const quint16 port =
        startedPort(program, {"--port", "0", "--players", "1", "--games", "3", "--accents",
                              "--body-302", "--fault-match", "player.aspx", "--fault-times", "1"});
    ASSERT_NE(port, 0);
    // The world lists the accent players in UTF-8, as plain text is.
    const QByteArray world = fetch(port, "/control/world").body();
    EXPECT_TRUE(world.contains("\nCaf\xC3\xA9 Racer\t")) << world.constData();
    EXPECT_TRUE(world.contains("\nCaf\xC3\xA8 Racer\t"));
    // The game list does not match; the first player page does, once.
    const QByteArray page = "/stats/player.aspx?tag=Caf%E9+Racer";
    EXPECT_FALSE(fetch(port, "/stats/games.aspx?tag=Caf%E9+Racer").bytes.contains("302 Found"));
    const WireResult first = fetch(port, page);
    EXPECT_TRUE(first.bytes.startsWith("HTTP/1.0 200 OK\r\n"));
    EXPECT_TRUE(first.body().contains("302 Found"));
    const WireResult second = fetch(port, page);
    EXPECT_FALSE(second.body().contains("302 Found"));
    EXPECT_TRUE(second.body().contains("Caf\xE9 Racer</h1>"));
    program.kill();
    program.waitForFinished();
}

TEST(Executable, HelpListsTheOptionsAndABusyPortIsReported) {
    ensureApplication();
    QProcess help;
    help.start(kProgram, {"--help"});
    ASSERT_TRUE(help.waitForFinished(10000));
    const QByteArray text = help.readAllStandardOutput();
    for (const char* option :
         {"--port", "--seed", "--players", "--games", "--truth", "--pages", "--redirect", "--split",
          "--reset-after", "--stop-after", "--endless", "--body-302", "--bad-number <ID>",
          "--negative-number <ID>", "--no-page-param", "--no-game-length <ID>", "--emblem-crlf",
          "--accents"}) {
        EXPECT_TRUE(text.contains(option)) << option;
    }
    RunningSite site;
    QProcess clash;
    clash.start(kProgram, {"--port", QString::number(site.port())});
    ASSERT_TRUE(clash.waitForFinished(10000));
    EXPECT_EQ(clash.exitCode(), 1);
    EXPECT_TRUE(clash.readAllStandardError().startsWith("statsite: cannot listen on 127.0.0.1:"));
}

}  // namespace
}  // namespace statsite_test
