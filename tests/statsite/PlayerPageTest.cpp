// The player page read with the player page scraper's rules gives the world's
// clan, levels and emblem colours; unknown gamertags give each not-found signal.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>

#include "statsite/PageText.h"
#include "statsite/ScraperRules.h"
#include "statsite/SiteFixture.h"
#include "statsite/WireClient.h"

namespace statsite_test {
namespace {

QByteArray playerTarget(const QString& tag) {
    return "/stats/player.aspx?tag=" + urlEncode(tag.toUtf8());
}

TEST(PlayerPage, CarriesClanLevelsAndEmblemColoursAtTheScrapersOffsets) {
    RunningSite site;
    const World world = site.world();
    const SitePlayer& player =
        playerWhere(world, [](const SitePlayer& p) { return p.featured && !p.clan.isEmpty(); });
    const ScrapedPlayer scraped =
        scrapePlayer(fetch(site.port(), playerTarget(player.gamertag)).bytes);
    ASSERT_FALSE(scraped.notFound);
    EXPECT_TRUE(scraped.hasClan);
    EXPECT_EQ(scraped.clan, player.clan.toUtf8());
    const QList<PlaylistLevel> levels = world.levelsOf(player);
    ASSERT_EQ(scraped.levels.size(), levels.size());
    ASSERT_GE(levels.size(), 5);
    for (qsizetype i = 0; i < levels.size(); ++i) {
        EXPECT_EQ(scraped.levels[i].playlist, levels[i].playlist.toUtf8());
        EXPECT_EQ(leadingNumber(scraped.levels[i].level), levels[i].level);
        EXPECT_EQ(scraped.levels[i].progress, 2 * levels[i].barWidth);
    }
    EXPECT_EQ(scraped.primary, player.emblem.primary);
    EXPECT_EQ(scraped.secondary, player.emblem.secondary);
    const Emblem& e = player.emblem;
    const QByteArray shapes =
        "&fi=" + QByteArray::number(e.foreground) + "&bi=" + QByteArray::number(e.background);
    EXPECT_EQ(scraped.query,
              "s=70&0=" + QByteArray::number(e.primary) + "&1=" + QByteArray::number(e.secondary) +
                  "&2=" + QByteArray::number(e.tertiary) +
                  "&3=" + QByteArray::number(e.quaternary) + shapes + "&fl=0&b=0&m=1");
    EXPECT_EQ(scraped.smallQuery, "s=30&0=0&1=0&2=1&3=1&" + shapes.mid(1) + "&fl=0&b=1&m=1");
}

TEST(PlayerPage, EmblemPicturesAreJpegsOfTheAskedSizeWithTheirLength) {
    RunningSite site;
    for (const auto& [query, size] :
         {std::pair{QByteArray("s=70&0=2&1=11&2=0&3=3&fi=1&bi=2&fl=0&b=0&m=1"), 70},
          std::pair{QByteArray("s=30&0=0&1=0&2=1&3=1&fi=1&bi=2&fl=0&b=1&m=1"), 30}}) {
        const WireResult result = fetch(site.port(), "/stats/emblem.ashx?" + query);
        EXPECT_TRUE(result.header().contains("Content-Type: image/jpeg\r\n"));
        EXPECT_TRUE(result.header().contains(
            "Content-Length: " + QByteArray::number(result.body().size()) + "\r\n"));
        // The fetcher trims blanks at both ends of a picture; a JPEG has none there.
        EXPECT_TRUE(result.body().startsWith("\xFF\xD8"));
        EXPECT_TRUE(result.body().endsWith("\xFF\xD9"));
        const QImage image = QImage::fromData(result.body(), "JPG");
        EXPECT_EQ(image.size(), QSize(size, size));
    }
}

TEST(PlayerPage, ClanlessPlayerAndPlaylistWithoutGames) {
    RunningSite site;
    const World world = site.world();
    const SitePlayer& clanless = world.players().at(1);
    ASSERT_TRUE(clanless.clan.isEmpty());
    const QByteArray page = fetch(site.port(), playerTarget(clanless.gamertag)).bytes;
    EXPECT_EQ(inStr(1, page, "Clan:"), 0);
    EXPECT_FALSE(scrapePlayer(page).hasClan);

    const SitePlayer& idle = playerWhere(world, [&](const SitePlayer& p) {
        const auto levels = world.levelsOf(p);
        return std::any_of(levels.cbegin(), levels.cend(),
                           [](const PlaylistLevel& l) { return l.level == 0; });
    });
    const ScrapedPlayer scraped =
        scrapePlayer(fetch(site.port(), playerTarget(idle.gamertag)).bytes);
    const QList<PlaylistLevel> levels = world.levelsOf(idle);
    for (qsizetype i = 0; i < levels.size(); ++i) {
        if (levels[i].level == 0) {
            EXPECT_EQ(scraped.levels[i].level, "0") << levels[i].playlist.toStdString();
            EXPECT_EQ(scraped.levels[i].progress, 0);
        }
    }
}

TEST(PlayerPage, GamertagsWithBlanksDotsDashesUnderscoresAndDigitsAreFound) {
    RunningSite site;
    const QStringList tags = site.site().featuredGamertags();
    for (const char* character : {" ", ".", "-", "_"}) {
        EXPECT_TRUE(
            std::any_of(tags.cbegin(), tags.cend(),
                        [&](const QString& t) { return t.contains(QLatin1String(character)); }))
            << "no gamertag with '" << character << "'";
    }
    EXPECT_TRUE(std::any_of(tags.cbegin(), tags.cend(), [](const QString& t) {
        return std::any_of(t.cbegin(), t.cend(), [](QChar c) { return c.isDigit(); });
    }));
    for (const QString& tag : tags) {
        const QByteArray page = fetch(site.port(), playerTarget(tag)).bytes;
        EXPECT_FALSE(scrapePlayer(page).notFound) << tag.toStdString();
        EXPECT_TRUE(page.contains("<h1 class=\"PlayerName\">" + tag.toUtf8() + "</h1>"));
    }
}

TEST(PlayerPage, UnknownGamertagsGiveEachOfTheFiveSignals) {
    RunningSite site;
    const QStringList unknown = site.site().unknownGamertags();
    ASSERT_EQ(unknown.size(), 5);
    const QList<QByteArray> signalTexts = {"400 Bad Request", "don't have stats",
                                           "1/01/0001 12:00 AM", "default_avatar.gif"};
    for (int variant = 0; variant < 5; ++variant) {
        const WireResult result = fetch(site.port(), playerTarget(unknown[variant]));
        EXPECT_EQ(result.end, WireEnd::Closed);
        EXPECT_TRUE(scrapePlayer(result.bytes).notFound) << variant;
        for (int s = 0; s < signalTexts.size(); ++s) {
            EXPECT_EQ(inStr(1, result.bytes, signalTexts[s]) > 0, s == variant)
                << "variant " << variant << " signal " << signalTexts[s].constData();
        }
        const bool lastActive = inStr(1, result.bytes, "Last Active") > 0;
        EXPECT_EQ(lastActive, variant == 2 || variant == 3) << variant;
        EXPECT_TRUE(result.body().contains("</html>"));
    }
    EXPECT_TRUE(fetch(site.port(), playerTarget(unknown[0]))
                    .bytes.startsWith("HTTP/1.0 400 Bad Request\r\n"));
    // A guest's name is no gamertag of the site.
    const World world = site.world();
    const QList<GameEntry>& entries = world.games().at(1).entries;
    const auto guest = std::find_if(entries.cbegin(), entries.cend(),
                                    [](const GameEntry& entry) { return entry.guest; });
    ASSERT_NE(guest, entries.cend());
    EXPECT_TRUE(scrapePlayer(fetch(site.port(), playerTarget(guest->gamertag)).bytes).notFound);
}

TEST(PlayerPage, RequestTextIsEscapedInNotFoundPages) {
    RunningSite site;
    int shown = 0;
    for (const QByteArray& tag : {QByteArray("<b>x</b>"), QByteArray("<i>y</i>"),
                                  QByteArray("<s>zz</s>"), QByteArray("<u>w</u>")}) {
        const QByteArray page =
            fetch(site.port(), "/stats/player.aspx?tag=" + urlEncode(tag)).bytes;
        EXPECT_FALSE(page.contains(tag)) << tag.constData();
        if (World::signalFor(QString::fromUtf8(tag)) != NotFoundSignal::BadRequest) {
            EXPECT_TRUE(page.contains(QString::fromUtf8(tag).toHtmlEscaped().toUtf8()));
            ++shown;
        }
    }
    EXPECT_GT(shown, 0);
}

}  // namespace
}  // namespace statsite_test
