// The report of a player with a season of games, through the delivered
// template and pictures: a page that a real HTML parser accepts, with no token
// left and every picture it names delivered. The page stays in the build
// folder (tests/report/e2e-program/tps/Red_Fox.html) for the screenshot.

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <random>

#include "HtmlReader.h"
#include "ReportTestSupport.h"

namespace tw::test {
namespace {

const QString kProgram = QStringLiteral(TALLYWICK_PROGRAM_DIR);
const QStringList kTypes = {"Slayer",  "Team Slayer", "CTF",
                            "Assault", "Oddball",     "King of the Hill"};
const QStringList kMaps = {"Lockout",     "Midship",   "Ivory Tower", "Zanzibar",
                           "Coagulation", "Ascension", "Headlong",    "Beaver Creek"};
const QStringList kPlaylists = {"Big Team Battle", "Head to Head", "Rumble Pit",
                                "Team Skirmish",   "Team Slayer",  "Arranged Game"};
const QStringList kMedals = {"Double Kill", "Triple Kill",  "Killing Spree", "Sniper Kill",
                             "Stick It",    "Assassin",     "Flag Taken",    "Running Riot",
                             "Killtacular", "Bone Cracker", "Carjacking",    "Roadkill"};
const QStringList kRivals = {"Grey Owl", "Mossback", "Ninth Lantern", "Quiet Storm"};

class EndToEnd : public ReportTest {
  protected:
    QString programFolder() override {
        QDir folder(QStringLiteral(TALLYWICK_BINARY_DIR "/tests/report/e2e-program"));
        folder.removeRecursively();
        folder.mkpath(QStringLiteral("."));
        for (const char* sub : {"level", "egr", "medal", "tps", "avatar"}) {
            copyFolder(kProgram + QLatin1Char('/') + QLatin1String(sub),
                       folder.filePath(QString::fromLatin1(sub)));
        }
        return folder.path();
    }
    static void copyFolder(const QString& from, const QString& to) {
        QDir().mkpath(to);
        for (const QString& name : QDir(from).entryList(QDir::Files)) {
            QFile::copy(from + QLatin1Char('/') + name, to + QLatin1Char('/') + name);
        }
    }

    // Two emblem pictures, as the download leaves them.
    void drawEmblems() {
        for (const auto& [size, suffix] : {std::pair{100, ".jpg"}, std::pair{24, "_smbw.jpg"}}) {
            QImage image(size, size, QImage::Format_RGB32);
            image.fill(QColor(0x3D, 0x5D, 0xA5));
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setBrush(QColor(0xC1, 0x3E, 0x3E));
            painter.setPen(Qt::NoPen);
            painter.drawEllipse(QRectF(size * 0.15, size * 0.15, size * 0.7, size * 0.7));
            painter.end();
            ASSERT_TRUE(image.save(state_.avatarDir + QStringLiteral("Red_Fox") + suffix));
        }
    }

    // 400 games over a year with rivals, custom games, quits, purged
    // games and medals; the same every run.
    void seedSeason() {
        std::mt19937 random(20050115);
        // Players have favourites: low indexes come up more often.
        const auto pick = [&](const QStringList& list) {
            const auto n = static_cast<unsigned>(list.size());
            return list[static_cast<int>(std::min(random() % n, random() % n))];
        };
        QString sql = QStringLiteral(
            "INSERT INTO Clan VALUES ('Den of Foxes', 'http://den.example/', '', '', '');"
            "INSERT INTO Player VALUES ('Red Fox', 'Den of Foxes', 2, 4, 'Slow is smooth, smooth "
            "is fast.', 0, NULL, 'Y', 'N', 'N', 'N', 'N');"
            "INSERT INTO Player_Playlist VALUES ('Red Fox', 'Big Team Battle', 14, 40),"
            " ('Red Fox', 'Head to Head', 9, 10), ('Red Fox', 'Rumble Pit', 21, 75),"
            " ('Red Fox', 'Team Skirmish', 27, 5), ('Red Fox', 'Team Slayer', 33, 60);");
        for (const QString& rival : kRivals) {
            sql += QStringLiteral(
                       "INSERT INTO Player VALUES ('%1', NULL, 6, 11, NULL, 0, NULL, "
                       "'N', 'N', 'N', 'N', 'N');")
                       .arg(rival);
        }
        const QDateTime start(QDate(2004, 11, 9), QTime(18, 5));
        for (int id = 1; id <= 400; ++id) {
            const bool purged = id % 37 == 0;
            const QString playlist = id % 5 == 0 ? kPlaylists[5] : pick(kPlaylists.mid(0, 5));
            sql +=
                QStringLiteral("INSERT INTO Game VALUES (%1, '%2', '%3', '%4', '%5', '%6', %7);")
                    .arg(id)
                    .arg(pick(kTypes),
                         start.addSecs(id * 80000).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                         pick(kMaps), playlist, purged ? QStringLiteral("Y") : QStringLiteral("N"),
                         purged ? QStringLiteral("NULL") : QString::number(300 + random() % 600));
            addSeats(sql, id, purged, random);
        }
        seed(sql);
    }
    void addSeats(QString& sql, int id, bool purged, std::mt19937& random) {
        QStringList seated = {QStringLiteral("Red Fox"), kRivals[id % 4], kRivals[(id + 1) % 4]};
        for (int place = 1; place <= seated.size(); ++place) {
            const bool quit = id % 41 == 0 && place == 1;
            const int kills = quit ? 0 : static_cast<int>(2 + random() % 18);
            const int fired = quit ? 0 : static_cast<int>(60 + random() % 160);
            const QString shots = purged ? QStringLiteral("NULL, NULL, NULL")
                                         : QStringLiteral("%1, %2, %3")
                                               .arg(fired)
                                               .arg(fired * (25 + random() % 20) / 100)
                                               .arg(kills / 3);
            sql += QStringLiteral(
                       "INSERT INTO Game_Player VALUES (%1, '%2', %3, 'RED', %4, %5, "
                       "%6, %7, %8);")
                       .arg(id)
                       .arg(seated[place - 1])
                       .arg((place + id) % 3 + 1)
                       .arg(kills * 10)
                       .arg(kills)
                       .arg(quit ? 0 : static_cast<int>(random() % 6))
                       .arg(quit ? 0 : static_cast<int>(1 + random() % 14))
                       .arg(shots);
            for (int m = 0; !purged && !quit && m < static_cast<int>(random() % 3); ++m) {
                sql += QStringLiteral(
                           "INSERT OR IGNORE INTO Game_Player_Medal VALUES (%1, '%2', "
                           "'%3', %4);")
                           .arg(id)
                           .arg(seated[place - 1], kMedals[static_cast<int>(random() % 12)])
                           .arg(1 + random() % 2);
            }
        }
    }
};

TEST_F(EndToEnd, ASeasonOfGamesMakesAValidPageWithEveryPictureDelivered) {
    seedSeason();
    drawEmblems();
    state_.settings.tpsUseKApD = true;
    prompter_.answerMessage(MsgResult::Yes).answerOpen(true);
    createReport();
    const QString page = state_.tpsDir + QStringLiteral("Red_Fox.html");
    ASSERT_TRUE(QFile::exists(page)) << logText().toStdString();
    EXPECT_EQ(prompter_.lastCall().kind, DialogKind::OpenDocument);
    EXPECT_EQ(prompter_.lastCall().text, page);

    const QString verdict = htmlVerdict(page);
    EXPECT_TRUE(verdict.startsWith(QStringLiteral("ok "))) << verdict.toStdString();

    const QString html = QString::fromUtf8(bytes(page));
    const QRegularExpression token(QStringLiteral("\\?[A-Za-z0-9_]+\\?"));
    EXPECT_FALSE(html.contains(token)) << token.match(html).captured().toStdString();
    EXPECT_TRUE(html.contains(QStringLiteral("<h1>Red Fox</h1>")));
    EXPECT_TRUE(html.contains(QStringLiteral("Efficiency matrix (KApD)")));
    EXPECT_TRUE(html.contains(QStringLiteral(">CUSTOM</td>")));
    EXPECT_FALSE(html.contains(QStringLiteral("<div class=\"score\">000</div>")));

    // Every picture the page names is there, relative to the report folder.
    const QRegularExpression source(QStringLiteral("src=\"\\.\\.\\\\(\\w+)\\\\([^\"]+)\""));
    int pictures = 0;
    for (auto it = source.globalMatch(html); it.hasNext(); ++pictures) {
        const auto match = it.next();
        const QString file = state_.programDir + QLatin1Char('/') + match.captured(1) +
                             QLatin1Char('/') + match.captured(2);
        EXPECT_FALSE(QImage(file).isNull()) << file.toStdString();
    }
    EXPECT_GT(pictures, 12);
}

TEST(DeliveredPictures, EveryLevelBandAndMedalHasAPicture) {
    for (int level = 0; level <= 50; ++level) {
        const QString file =
            kProgram + QStringLiteral("/level/L%1.bmp").arg(level, 2, 10, QChar(u'0'));
        EXPECT_FALSE(QImage(file).isNull()) << file.toStdString();
    }
    for (int band = 0; band <= 9; ++band) {
        const QString file =
            kProgram + QStringLiteral("/egr/E%1.jpg").arg(band, 2, 10, QChar(u'0'));
        EXPECT_FALSE(QImage(file).isNull()) << file.toStdString();
    }
    QFile medals(QStringLiteral(TALLYWICK_SOURCE_DIR "/src/db/reference/Medal.tsv"));
    ASSERT_TRUE(medals.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lines = QString::fromUtf8(medals.readAll()).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_GT(lines.size(), 20);
    for (const QString& line : lines.mid(1)) {
        const QString file = kProgram + QStringLiteral("/medal/") + line.section(u'\t', 0, 0) +
                             QStringLiteral(".bmp");
        EXPECT_FALSE(QImage(file).isNull()) << file.toStdString();
    }
}

}  // namespace
}  // namespace tw::test
