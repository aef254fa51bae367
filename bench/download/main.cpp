// Prints the download's time against the plain fetches of the same targets,
// their ratio, pages per second, the clean-up's time and the peak memory.

#include <sys/resource.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstdio>

#include "BenchSite.h"
#include "core/Session.h"
#include "core/SqlText.h"
#include "db/Database.h"
#include "download/DownloadSession.h"
#include "download/Fetcher.h"
#include "gui/DownloadPanel.h"
#include "gui/MainWindow.h"
#include "gui/MainWindowLifecycle.h"
#include "gui/PlayerSummaryView.h"
#include "gui/TagListPanel.h"
#include "support/ScriptedPrompter.h"

namespace {

using namespace tw;

bool prepareFolder(const QString& dir, quint16 port, const QString& tag) {
    QDir(dir).mkpath(QStringLiteral("avatar"));
    if (!QFile::copy(QStringLiteral(TALLYWICK_PROGRAM_DIR "/tallywick110.mdb"),
                     dir + QStringLiteral("/tallywick110.mdb")) ||
        !QFile::copy(QStringLiteral(TALLYWICK_SOURCE_DIR "/assets/avatar/unknown.jpg"),
                     dir + QStringLiteral("/avatar/unknown.jpg"))) {
        return false;
    }
    {
        auto db = Database::open(dir + QStringLiteral("/tallywick110.mdb"));
        db->execute(QStringLiteral("insert into Player (Player_Gamertag, Last_Game_ID, "
                                   "Is_Selectable, Is_Friend, Is_Clan, Is_Jerk, Is_Guest) "
                                   "values ('") +
                    sqlText(tag) + QStringLiteral("', 0, 'Y', 'N', 'N', 'N', 'N')"));
        db->close();
    }
    QFile ini(dir + QStringLiteral("/tallywick110.ini"));
    if (!ini.open(QIODevice::WriteOnly)) {
        return false;
    }
    ini.write(
        "[User]\r\nGamertag=" + tag.toUtf8() +
        "\r\n[Internet]\r\nURL_Base_Domain=127.0.0.1\r\nDirect_Port=" + QByteArray::number(port) +
        "\r\nURL_Stats_Root=/stats/player.aspx?tag=\r\n"
        "URL_Games_Root=/stats/games.aspx?tag=\r\nURL_Game_Detail=/stats/game.aspx?id=\r\n"
        "URL_Image_Root=/stats/emblem.ashx?\r\nConnection_Timeout=30000\r\nUse_Proxy=0\r\n"
        "[Application]\r\nQuery_Count=0\r\n");
    return true;
}

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    bench::SiteProcess site;
    if (!site.start({QStringLiteral("--seed"), QStringLiteral("1"), QStringLiteral("--players"),
                     QStringLiteral("3"), QStringLiteral("--games"), QStringLiteral("2500")})) {
        std::fprintf(stderr, "statsite did not start\n");
        return 1;
    }
    const bench::BenchPlayer player = bench::busiestPlayer(site.port());
    QTemporaryDir dir;
    if (player.games == 0 || !prepareFolder(dir.path(), site.port(), player.gamertag)) {
        std::fprintf(stderr, "could not prepare the program folder\n");
        return 1;
    }

    Session state;
    ScriptedPrompter prompter;
    state.prompter = &prompter;
    state.sleep = [](int) {};
    MainWindow window;
    connectTagList(state, window, {});
    DownloadPanel* panel = connectDownload(state, window);
    loadMainWindow(state, window, dir.path());

    QList<QByteArray> targets;
    // Both run on the download's worker thread, as the requests go.
    QObject::connect(
        &panel->session().fetcher(), &Fetcher::requesting, &window,
        [&](const QString& path) { targets << path.toUtf8(); }, Qt::DirectConnection);
    QElapsedTimer sinceLastGame;
    int gamesRead = 0;
    QObject::connect(
        &panel->session(), &DownloadSession::gameRead, &window,
        [&](qint32) {
            ++gamesRead;
            sinceLastGame.start();
        },
        Qt::DirectConnection);
    QEventLoop untilFinished;
    QObject::connect(panel, &DownloadPanel::runFinished, &untilFinished, &QEventLoop::quit);

    QElapsedTimer clock;
    const double cpuBefore = cpuSeconds();
    clock.start();
    window.downloadButton->click();
    untilFinished.exec();
    const double program = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    const double programCpu = cpuSeconds() - cpuBefore;
    const double cleanup = static_cast<double>(sinceLastGame.nsecsElapsed()) / 1e9;
    const double peak = peakMegabytes();

    const double plainCpuBefore = cpuSeconds();
    clock.restart();
    qint64 plainBytes = 0;
    for (const QByteArray& target : targets) {
        plainBytes += bench::plainFetch(site.port(), target).size();
    }
    const double plain = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    const double plainCpu = cpuSeconds() - plainCpuBefore;

    const double pages = static_cast<double>(targets.size());
    std::printf("player %s: %d games on the site, %d read, %lld requests\n",
                qPrintable(player.gamertag), player.games, gamesRead,
                static_cast<long long>(targets.size()));
    std::printf("program download : %8.3f s  %8.1f pages/s  (cpu %.3f s)\n", program,
                pages / program, programCpu);
    std::printf("plain fetches    : %8.3f s  %8.1f pages/s  (cpu %.3f s, %lld bytes)\n", plain,
                pages / plain, plainCpu, static_cast<long long>(plainBytes));
    std::printf("ratio            : %8.3f   (goal <= 1.3)\n", program / plain);
    std::printf("clean-up         : %8.3f s (merge, compaction, summary; goal merge < 1 s)\n",
                cleanup);
    std::printf("peak memory      : %8.1f MB (goal < 150 MB)\n", peak);
    std::printf("prompter shown    : %zu\n", prompter.calls().size());
    return prompter.calls().empty() && gamesRead > 0 ? 0 : 1;
}
