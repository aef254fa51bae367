// Gamertags outside ASCII: the accent players "Café Racer" and "Cafè Racer" differ
// in one letter only. Pages carry their names as windows-1252 bytes, addresses
// percent-encode those bytes, the truth holds them as UTF-8, and every HTML page
// says that it is windows-1252.
#include <gtest/gtest.h>

#include "statsite/MiniDownload.h"
#include "statsite/ScraperRules.h"
#include "statsite/SiteFixture.h"
#include "statsite/WireClient.h"

namespace statsite_test {
namespace {

const QByteArray kAcute = "Caf\xE9 Racer";  // windows-1252 bytes
const QByteArray kGrave = "Caf\xE8 Racer";
const QString kAcuteText = QStringLiteral("Caf\u00e9 Racer");
const QString kGraveText = QStringLiteral("Caf\u00e8 Racer");

SiteConfig accentWorld() {
    SiteConfig config = RunningSite::withWorld(1, 12, 60);
    config.world.accents = true;
    return config;
}

QByteArray playerTarget(const QByteArray& encoded) {
    return "/stats/player.aspx?tag=" + encoded;
}

TEST(Accents, PlayerPagesCarryTheNamesAsWindows1252Bytes) {
    RunningSite site(accentWorld());
    const WireResult acute = fetch(site.port(), playerTarget("Caf%E9+Racer"));
    ASSERT_TRUE(acute.bytes.startsWith("HTTP/1.0 200 OK\r\n"));
    EXPECT_TRUE(acute.body().contains("<h1 class=\"PlayerName\">" + kAcute + "</h1>"));
    EXPECT_TRUE(acute.body().contains("<b>Gamertag:</b> " + kAcute + "</td>"));
    EXPECT_TRUE(acute.body().contains("/stats/games.aspx?tag=Caf%E9+Racer\">"));
    EXPECT_FALSE(acute.body().contains("\xC3")) << "no UTF-8 on a windows-1252 page";
    const QByteArray grave = fetchBody(site.port(), playerTarget("Caf%E8+Racer"));
    EXPECT_TRUE(grave.contains("<h1 class=\"PlayerName\">" + kGrave + "</h1>"));
    // Two players, not one: one has a clan, the other has none.
    EXPECT_TRUE(scrapePlayer(acute.bytes).hasClan);
    EXPECT_FALSE(scrapePlayer(grave).hasClan);
    // Letter case is ignored for the accented letter too ("É" is 0xC9).
    EXPECT_EQ(fetch(site.port(), playerTarget("CAF%C9+RACER")).bytes, acute.bytes);
    // The address is windows-1252: the UTF-8 bytes of "é" name nobody.
    EXPECT_TRUE(scrapePlayer(fetch(site.port(), playerTarget("Caf%C3%A9+Racer")).bytes).notFound);
    const QByteArray unknown = fetch(site.port(), playerTarget("Caf%E9+Racer+2")).bytes;
    EXPECT_TRUE(scrapePlayer(unknown).notFound);
    EXPECT_FALSE(unknown.contains("\xC3"));
}

TEST(Accents, BothHostGamesAndMeetInAGameOfAnotherPlayer) {
    RunningSite site(accentWorld());
    const World world = site.world();
    const SitePlayer* acute = world.findPlayer(kAcuteText);
    const SitePlayer* grave = world.findPlayer(kGraveText);
    ASSERT_TRUE(acute != nullptr && grave != nullptr);
    EXPECT_TRUE(acute->featured && grave->featured);
    EXPECT_EQ(world.featuredGamertags().mid(12), (QStringList{kAcuteText, kGraveText}));
    EXPECT_GE(acute->games.size(), 3);
    EXPECT_GE(grave->games.size(), 3);
    const QString host = world.featuredGamertags().first();
    const Game& shared = gameWhere(world, [&](const Game& game) {
        QStringList names;
        for (const GameEntry& entry : game.entries) {
            names.append(entry.gamertag);
        }
        return names.contains(host) && names.contains(kAcuteText) && names.contains(kGraveText);
    });
    const QByteArray id = QByteArray::number(shared.id);
    for (const char* panel : {"stats", "kills", "medals", "hits"}) {
        const QByteArray page =
            fetchBody(site.port(), "/stats/game.aspx?id=" + id + "&panel=" + panel);
        for (const auto& [name, encoded] : {std::pair{kAcute, QByteArray("Caf%E9+Racer")},
                                            std::pair{kGrave, QByteArray("Caf%E8+Racer")}}) {
            EXPECT_TRUE(page.contains("player.aspx?tag=" + encoded + "\">" + name + "</a>"))
                << panel;
        }
    }
    QList<qint32> listed;
    for (const ScrapedGame& game :
         scrapeGameRows(fetchBody(site.port(), "/stats/games.aspx?tag=Caf%E8+Racer"))) {
        listed.append(game.id);
    }
    EXPECT_TRUE(listed.contains(shared.id));
    EXPECT_EQ(listed.size(), grave->games.size());
}

// The program's download of these pages reaching the truth is checked in
// tests/e2e (DownloadFailureTest, NamesThatDifferInOneAccentStayTwoPlayers).
TEST(Accents, TruthIsUtf8AndHoldsBothAccentPlayers) {
    RunningSite site(accentWorld());
    const QStringList tags = site.site().featuredGamertags();
    const QByteArray truth = site.site().truth(tags);
    const auto expected = truthTables(truth);
    EXPECT_TRUE(truth.contains("\n# tags=") && truth.contains(" accents\n"));
    int accentRows = 0;
    for (const QByteArray& row : expected.value("Player")) {
        if (row.startsWith(kAcuteText.toUtf8() + '\t') ||
            row.startsWith(kGraveText.toUtf8() + '\t')) {
            ++accentRows;
            EXPECT_TRUE(row.contains("\tY\tN\tN\tN\tN")) << "selectable, no guest";
        }
    }
    EXPECT_EQ(accentRows, 2);
    EXPECT_FALSE(truth.contains(kAcute)) << "the truth is UTF-8";
    // Control requests decode gamertags as the pages' addresses do.
    EXPECT_EQ(fetch(site.port(), "/control/truth?tag=Caf%E8+Racer").body(),
              site.site().truth({kGraveText}));
}

TEST(Accents, EveryHtmlPageDeclaresWindows1252) {
    RunningSite site(accentWorld());
    const World world = site.world();
    const QByteArray game = QByteArray::number(world.games().first().id);
    QList<QByteArray> targets = {"/",
                                 playerTarget("Caf%E9+Racer"),
                                 "/stats/games.aspx?tag=Caf%E9+Racer",
                                 "/stats/game.aspx?id=" + game + "&panel=stats",
                                 "/stats/game.aspx?id=" + game + "&panel=kills",
                                 "/stats/game.aspx?id=" + game + "&panel=medals",
                                 "/stats/game.aspx?id=" + game + "&panel=hits",
                                 "/stats/game.aspx?id=1&panel=stats",
                                 "/no/such/page"};
    for (const QString& unknown : world.unknownGamertags()) {
        targets.append(playerTarget(urlEncode(unknown.toLatin1())));
    }
    QList<WireResult> answers;
    for (const QByteArray& target : targets) {
        answers.append(fetch(site.port(), target));
    }
    FaultPlan redirect;
    redirect.redirectFirst = 1;
    site.site().setFaults(redirect);
    answers.append(fetch(site.port(), "/"));
    answers.append(fetchRaw(site.port(), "POST / HTTP/1.0\r\n\r\n"));
    EXPECT_TRUE(answers[answers.size() - 2].bytes.startsWith("HTTP/1.0 302 Found\r\n"));
    for (const WireResult& answer : answers) {
        const QByteArray status = answer.bytes.left(answer.bytes.indexOf('\r'));
        EXPECT_TRUE(
            answer.header().contains("\r\nContent-Type: text/html; charset=windows-1252\r\n"))
            << status.constData();
        const QByteArray body = answer.body();
        const qsizetype open = body.indexOf("<head>");
        const qsizetype close = body.indexOf("</head>");
        ASSERT_TRUE(open >= 0 && close > open) << status.constData();
        EXPECT_TRUE(body.mid(open, close - open).contains("charset=windows-1252\">"))
            << status.constData();
    }
}

}  // namespace
}  // namespace statsite_test
