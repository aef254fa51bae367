// Saved-pages mode maps targets to files of a folder and refuses anything that
// would leave it; control requests grow the world, give the truth, set faults.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "statsite/ScraperRules.h"
#include "statsite/SiteFixture.h"
#include "statsite/WireClient.h"

namespace statsite_test {
namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST(SavedPages, ServesTheFileNamedByTheTargetAndNothingElse) {
    QTemporaryDir root;
    const QString folder = root.filePath("pages");
    const QByteArray page = "<html><body>Last Active: saved</body></html>";
    writeFile(folder + "/stats/player.aspx?tag=Big+Al", page);
    writeFile(folder + "/index.html", "<html>index</html>");
    writeFile(folder + "/stats/emblem.ashx?s=70&0=1", "\xFF\xD8\xFF\xE0 jpeg \xFF\xD9");
    writeFile(root.filePath("secret.txt"), "not for the site");
    QFile::link(root.filePath("secret.txt"), folder + "/link.txt");

    SiteConfig config;
    config.pagesFolder = folder;
    RunningSite site(config);
    const WireResult saved = fetch(site.port(), "/stats/player.aspx?tag=Big+Al");
    EXPECT_TRUE(saved.bytes.startsWith("HTTP/1.0 200 OK\r\n"));
    EXPECT_EQ(saved.body(), page);
    EXPECT_TRUE(saved.header().contains("Content-Length: " + QByteArray::number(page.size())));
    EXPECT_EQ(fetch(site.port(), "/").body(), "<html>index</html>");
    const WireResult picture = fetch(site.port(), "/stats/emblem.ashx?s=70&0=1");
    EXPECT_TRUE(picture.header().contains("Content-Type: image/jpeg\r\n"));
    // Through a proxy the same file answers.
    EXPECT_EQ(fetch(site.port(), "http:///stats/player.aspx?tag=Big+Al").body(), page);
    for (const QByteArray& refused :
         {QByteArray("/stats/player.aspx?tag=Nobody"), QByteArray("/../secret.txt"),
          QByteArray("/stats/../../secret.txt"), QByteArray("/link.txt"), QByteArray("/stats"),
          QByteArray("/stats\\..\\..\\secret.txt"),
          QByteArray("/stats/player.aspx?tag=a/../../../secret.txt")}) {
        const WireResult answer = fetch(site.port(), refused);
        EXPECT_TRUE(answer.bytes.startsWith("HTTP/1.0 404 Not Found\r\n")) << refused.constData();
        EXPECT_FALSE(answer.bytes.contains("not for the site"));
    }
}

QByteArray controlText(quint16 port, const QByteArray& target) {
    const WireResult result = fetch(port, target);
    EXPECT_TRUE(result.header().contains("Content-Type: text/plain")) << target.constData();
    return result.body();
}

TEST(ControlRequests, GrowTheWorldGiveTheTruthAndSetFaults) {
    RunningSite site;
    const QString tag = site.site().featuredGamertags().at(2);
    const QByteArray encoded = urlEncode(tag.toUtf8());
    const QByteArray grown = controlText(site.port(), "/control/grow?tag=" + encoded + "&games=2");
    const QList<QByteArray> ids = grown.trimmed().split(' ');
    ASSERT_EQ(ids.size(), 3) << grown.constData();
    EXPECT_EQ(ids[0], "added");
    const QList<ScrapedGame> first =
        scrapeGameRows(fetch(site.port(), "/stats/games.aspx?tag=" + encoded).bytes);
    EXPECT_EQ(QByteArray::number(first[0].id), ids[2]);
    EXPECT_EQ(QByteArray::number(first[1].id), ids[1]);

    EXPECT_EQ(controlText(site.port(), "/control/truth?tag=" + encoded), site.site().truth({tag}));
    EXPECT_EQ(controlText(site.port(), "/control/truth"), site.site().truth({}));
    EXPECT_TRUE(fetch(site.port(), "/control/grow?tag=Nobody+Here&games=2")
                    .bytes.startsWith("HTTP/1.0 400 Bad Request\r\n"));

    EXPECT_EQ(controlText(site.port(), "/control/faults?redirect=1&upper-html"),
              "redirect=1, upper-html\n");
    const QByteArray page = "/stats/player.aspx?tag=" + encoded;
    EXPECT_TRUE(fetch(site.port(), page).bytes.startsWith("HTTP/1.0 302 Found\r\n"));
    EXPECT_TRUE(fetch(site.port(), page).body().endsWith("</HTML>\r\n"));
    // Control requests themselves are never faulted.
    EXPECT_EQ(controlText(site.port(), "/control/faults"), "no faults\n");
    EXPECT_TRUE(fetch(site.port(), page).body().endsWith("</html>\r\n"));

    const QByteArray world = controlText(site.port(), "/control/world");
    EXPECT_TRUE(world.contains(tag.toUtf8() + '\t'));
    EXPECT_TRUE(world.contains("# unknown\t" + site.site().unknownGamertags()[1].toUtf8() +
                               "\tdon't have stats\n"));
}

}  // namespace
}  // namespace statsite_test
