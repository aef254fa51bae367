// From the simulated site to the page: the program downloads a featured
// player over loopback through its real main window, then Tools > TPS Report
// writes the page from the delivered template. The page parses, holds no token
// and agrees with what the site served.

#include "support/SqliteFile.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTemporaryDir>
#include "support/TestApplication.h"

#include "HtmlReader.h"
#include "core/Session.h"
#include "gui/DownloadPanel.h"
#include "gui/MainWindow.h"
#include "gui/MainWindowLifecycle.h"
#include "gui/PlayerSummaryView.h"
#include "gui/ReportAction.h"
#include "gui/TagListPanel.h"
#include "report/TpsReport.h"
#include "statsite/StatSiteServer.h"
#include "support/ScriptedPrompter.h"

namespace tw::test {
namespace {

const QString kProgram = QStringLiteral(TALLYWICK_PROGRAM_DIR);

// Ports are 16-bit signed settings, so the site listens below 32768.
quint16 freeSmallPort() {
    for (int port = 21000 + static_cast<int>(QCoreApplication::applicationPid() % 4000) * 2;
         port < 32000; ++port) {
        QTcpServer probe;
        if (probe.listen(QHostAddress::LocalHost, static_cast<quint16>(port))) {
            return static_cast<quint16>(port);
        }
    }
    return 0;
}

QString value(Database& db, const QString& sql) {
    auto rs = db.openRecordset(sql);
    QString value = rs->isEof() ? QString() : rs->field(0).joinText();
    rs->close();
    return value;
}

class SiteReport : public ::testing::Test {
  protected:
    void SetUp() override {
        test_support::ensureApplication();
        ASSERT_TRUE(dir_.isValid());
        for (const char* sub : {"avatar", "tps", "level", "egr", "medal"}) {
            const QString from = kProgram + QLatin1Char('/') + QLatin1String(sub);
            QDir().mkpath(dir_.filePath(QString::fromLatin1(sub)));
            for (const QString& name : QDir(from).entryList(QDir::Files)) {
                QFile::copy(from + QLatin1Char('/') + name,
                            dir_.filePath(QString::fromLatin1(sub) + QLatin1Char('/') + name));
            }
        }
        ASSERT_TRUE(QFile::copy(kProgram + QStringLiteral("/tallywick110.mdb"),
                                dir_.filePath(QStringLiteral("tallywick110.mdb"))));
        statsite::SiteConfig config;
        config.world.seed = 7;
        config.world.players = 3;
        config.world.games = 40;
        config.world.pageSize = 10;
        server_ = std::make_unique<statsite::StatSiteServer>(config);
        port_ = server_->start(freeSmallPort());
        ASSERT_NE(port_, 0);
    }
    void TearDown() override {
        window_.reset();
        state_.reset();
        if (server_) {
            server_->stop();
        }
    }

    // The tag list holds `tag`, selected; the settings point at the site.
    void startProgram(const QString& tag) {
        const QByteArray insert =
            "INSERT INTO Player (Player_Gamertag, Last_Game_ID, Is_Selectable, Is_Friend, "
            "Is_Clan, Is_Jerk, Is_Guest) VALUES ('" +
            tag.toUtf8() + "', 0, 'Y', 'N', 'N', 'N', 'N');";
        ASSERT_EQ(test_support::runSql(dir_.filePath(QStringLiteral("tallywick110.mdb")),
                                       insert.constData()),
                  "");
        QFile ini(dir_.filePath(QStringLiteral("tallywick110.ini")));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[User]\r\nGamertag=" + tag.toUtf8() +
                  "\r\n[Internet]\r\nURL_Base_Domain=127.0.0.1\r\nDirect_Port=" +
                  QByteArray::number(port_) +
                  "\r\nURL_Stats_Root=/stats/player.aspx?tag=\r\n"
                  "URL_Games_Root=/stats/games.aspx?tag=\r\n"
                  "URL_Game_Detail=/stats/game.aspx?id=\r\n"
                  "URL_Image_Root=/stats/emblem.ashx?\r\n"
                  "Connection_Timeout=10000\r\nUse_Proxy=0\r\n"
                  "[Application]\r\nQuery_Count=0\r\nTPS_Use_KApD=1\r\n");
        ini.close();
        window_ = std::make_unique<MainWindow>();
        state_ = std::make_unique<Session>();
        state_->prompter = &prompter_;
        state_->sleep = [](int) {};
        connectTagList(*state_, *window_, {});
        downloadPanel_ = connectDownload(*state_, *window_);
        connectTpsReport(*state_, *window_);
        loadMainWindow(*state_, *window_, dir_.path());
        ASSERT_TRUE(state_->db);
    }

    QTemporaryDir dir_;
    std::unique_ptr<statsite::StatSiteServer> server_;
    quint16 port_ = 0;
    ScriptedPrompter prompter_;
    std::unique_ptr<MainWindow> window_;
    std::unique_ptr<Session> state_;
    DownloadPanel* downloadPanel_ = nullptr;
};

TEST_F(SiteReport, ADownloadedPlayersPageFromTheMenu) {
    const QStringList featured = server_->site().featuredGamertags();
    ASSERT_FALSE(featured.isEmpty());
    const QString& tag = featured.front();
    startProgram(tag);
    window_->downloadButton->click();
    // The download runs on the window's worker thread; the window shows its end.
    QElapsedTimer waited;
    waited.start();
    while (downloadPanel_->running() && waited.elapsed() < 180000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    ASSERT_FALSE(downloadPanel_->running());
    ASSERT_TRUE(prompter_.calls().empty()) << prompter_.calls().front().text.toStdString();
    const QString games = value(*state_->db, QStringLiteral("select count(*) from Game_Player "
                                                            "where Player_Gamertag='") +
                                                 tag + QStringLiteral("'"));
    ASSERT_GT(games.toInt(), 0);

    prompter_.answerMessage(MsgResult::No);
    window_->tpsReportAction->trigger();
    ASSERT_EQ(prompter_.calls().size(), 1u);
    EXPECT_EQ(prompter_.calls()[0].title, QStringLiteral("Confirm View"))
        << prompter_.calls()[0].text.toStdString();
    QString stem = tag;
    stem.replace(QLatin1Char(' '), QLatin1Char('_'));
    const QString page = dir_.filePath(QStringLiteral("tps/") + stem + QStringLiteral(".html"));

    const QString verdict = htmlVerdict(page);
    EXPECT_TRUE(verdict.startsWith(QStringLiteral("ok "))) << verdict.toStdString();

    QFile file(page);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(file.readAll());
    const QRegularExpression token(QStringLiteral("\\?[A-Za-z0-9_]+\\?"));
    EXPECT_FALSE(html.contains(token)) << token.match(html).captured().toStdString();
    EXPECT_TRUE(html.contains(QStringLiteral("<h1>") + tag + QStringLiteral("</h1>")));
    EXPECT_TRUE(html.contains(QStringLiteral("<td>") + games + QStringLiteral(" (")));
    EXPECT_TRUE(html.contains(QStringLiteral("Efficiency matrix (KApD)")));
    // The emblems the download saved are the ones the page shows.
    EXPECT_TRUE(QFile::exists(dir_.filePath(QStringLiteral("avatar/") + stem + ".jpg")));
    EXPECT_TRUE(html.contains(QStringLiteral("src=\"..\\avatar\\") + stem + ".jpg\""));
}

}  // namespace
}  // namespace tw::test
