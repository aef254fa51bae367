#include "BenchSite.h"

#include <QCoreApplication>
#include <QTcpServer>
#include <QTcpSocket>

namespace tw::bench {
namespace {

quint16 freeSmallPort() {
    for (int port = 23000 + static_cast<int>(QCoreApplication::applicationPid() % 4000);
         port < 32700; ++port) {
        QTcpServer probe;
        if (probe.listen(QHostAddress::LocalHost, static_cast<quint16>(port))) {
            return static_cast<quint16>(port);
        }
    }
    return 0;
}

}  // namespace

bool SiteProcess::start(const QStringList& worldOptions) {
    port_ = freeSmallPort();
    process_.setProgram(QStringLiteral(STATSITE_EXE));
    process_.setArguments(QStringList{QStringLiteral("--port"), QString::number(port_)} +
                          worldOptions);
    process_.start();
    if (!process_.waitForStarted(5000)) {
        return false;
    }
    while (process_.waitForReadyRead(20000)) {
        if (process_.readAll().contains("listening")) {
            return true;
        }
    }
    return false;
}

SiteProcess::~SiteProcess() {
    process_.terminate();
    if (!process_.waitForFinished(5000)) {
        process_.kill();
        process_.waitForFinished(2000);
    }
}

QByteArray plainFetch(quint16 port, const QByteArray& target) {
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    if (!socket.waitForConnected(10000)) {
        return {};
    }
    socket.write("GET " + target + " HTTP/1.0\r\nHost: 127.0.0.1\r\nConnection: Keep-Alive\r\n" +
                 "Accept: */*\r\n\r\n");
    socket.waitForBytesWritten(10000);
    QByteArray answer;
    while (socket.state() == QAbstractSocket::ConnectedState && socket.waitForReadyRead(10000)) {
        answer += socket.readAll();
    }
    answer += socket.readAll();
    return answer;
}

BenchPlayer busiestPlayer(quint16 port) {
    const QByteArray answer = plainFetch(port, "/control/world");
    BenchPlayer best;
    for (const QByteArray& line : answer.mid(answer.indexOf("\r\n\r\n") + 4).split('\n')) {
        const QList<QByteArray> fields = line.split('\t');
        if (line.startsWith('#') || fields.size() < 4 || fields[3] != "yes") {
            continue;
        }
        if (fields[1].toInt() > best.games) {
            best = {QString::fromUtf8(fields[0]), fields[1].toInt()};
        }
    }
    return best;
}

}  // namespace tw::bench
