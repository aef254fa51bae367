// A whole download through a real HTTP proxy: Debian's tinyproxy, started on
// a free loopback port with a configuration written by the test.

#include <QFile>
#include <QProcess>
#include <QTcpSocket>
#include <QThread>

#include "download/SiteProgram.h"

namespace tw::testing {
namespace {

class Tinyproxy {
  public:
    explicit Tinyproxy(const QString& folder) {
        port_ = freeSmallPort();
        const QString config = folder + QStringLiteral("/tinyproxy.conf");
        QFile file(config);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("Port " + QByteArray::number(port_) +
                   "\nListen 127.0.0.1\nAllow 127.0.0.1\nTimeout 30\nMaxClients 20\n"
                   "User nobody\nGroup nogroup\n");
        file.close();
        process_.setProgram(QStringLiteral("/usr/bin/tinyproxy"));
        process_.setArguments({QStringLiteral("-d"), QStringLiteral("-c"), config});
        process_.setProcessChannelMode(QProcess::MergedChannels);
        process_.start();
        started_ = process_.waitForStarted(5000) && waitUntilListening();
    }
    ~Tinyproxy() {
        process_.terminate();
        if (!process_.waitForFinished(5000)) {
            process_.kill();
            process_.waitForFinished(2000);
        }
    }
    bool started() const { return started_; }
    quint16 port() const { return port_; }
    QByteArray output() { return process_.readAll(); }

  private:
    bool waitUntilListening() {
        for (int attempt = 0; attempt < 100; ++attempt) {
            QTcpSocket probe;
            probe.connectToHost(QHostAddress::LocalHost, port_);
            if (probe.waitForConnected(100)) {
                return true;
            }
            QThread::msleep(50);
        }
        return false;
    }
    QProcess process_;
    quint16 port_ = 0;
    bool started_ = false;
};

class DownloadProxyTest : public SiteProgramTest {};

TEST_F(DownloadProxyTest, ThroughTinyproxyTheDatabaseEqualsTheTruth) {
    ASSERT_TRUE(QFile::exists(QStringLiteral("/usr/bin/tinyproxy")))
        << "tinyproxy is missing: scripts/deps.sh installs it";
    startSite({3, 30, 10, 13});
    Tinyproxy proxy(dir_.path());
    ASSERT_TRUE(proxy.started()) << proxy.output().toStdString();
    const QString tag = site().featuredGamertags()[1];
    prepareProgram({tag}, tag,
                   {QStringLiteral("Use_Proxy=1"), QStringLiteral("Proxy_Address=127.0.0.1"),
                    QStringLiteral("Proxy_Port=") + QString::number(proxy.port())});
    load();
    pressDownload();
    EXPECT_TRUE(prompter_->calls().empty()) << proxy.output().toStdString();
    expectTablesEqualTruth({tag});
    // Every request reached the site through the proxy, with the site's paths.
    const QList<QByteArray> log = site().requestLog();
    ASSERT_FALSE(log.isEmpty());
    EXPECT_TRUE(log.front().startsWith("/stats/player.aspx?tag=")) << log.front().constData();
    const QByteArray proxyLog = proxy.output();
    EXPECT_TRUE(proxyLog.contains("GET http://127.0.0.1:" + QByteArray::number(sitePort()) +
                                  "/stats/player.aspx?tag="))
        << proxyLog.left(2000).constData();
}

}  // namespace
}  // namespace tw::testing
