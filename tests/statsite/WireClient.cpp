#include "statsite/WireClient.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <cerrno>

namespace statsite_test {

QByteArray WireResult::header() const {
    const qsizetype blank = bytes.indexOf("\r\n\r\n");
    return blank < 0 ? bytes : bytes.left(blank + 4);
}

QByteArray WireResult::body() const {
    const qsizetype blank = bytes.indexOf("\r\n\r\n");
    return blank < 0 ? QByteArray() : bytes.mid(blank + 4);
}

QByteArray programRequest(const QByteArray& target) {
    return "GET " + target +
           " HTTP/1.0\r\nHost: 127.0.0.1\r\nConnection: Keep-Alive\r\n"
           "Accept: */*\r\n\r\n";
}

WireConnection::WireConnection(quint16 port) {
    fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        refused_ = errno == ECONNREFUSED;
        close();
    }
}

WireConnection::~WireConnection() {
    close();
}

void WireConnection::close() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

WireResult WireConnection::exchange(const QByteArray& request, qsizetype enough, int timeoutMs) {
    WireResult result;
    if (fd_ < 0) {
        result.end = refused_ ? WireEnd::Refused : WireEnd::TimedOut;
        return result;
    }
    ::send(fd_, request.constData(), request.size(), MSG_NOSIGNAL);
    QElapsedTimer clock;
    clock.start();
    char buffer[65536];
    for (;;) {
        if (enough >= 0 && result.bytes.size() >= enough) {
            result.end = WireEnd::StillOpen;
            break;
        }
        pollfd waiting{fd_, POLLIN, 0};
        const int remaining = timeoutMs - static_cast<int>(clock.elapsed());
        if (remaining <= 0 || ::poll(&waiting, 1, remaining) <= 0) {
            result.end = WireEnd::TimedOut;
            break;
        }
        const ssize_t n = ::recv(fd_, buffer, sizeof buffer, 0);
        if (n > 0) {
            if (result.firstByteMs < 0) {
                result.firstByteMs = clock.elapsed();
            }
            result.arrivals.append(QByteArray(buffer, n));
            result.bytes.append(buffer, n);
            continue;
        }
        result.end =
            n == 0 ? WireEnd::Closed : (errno == ECONNRESET ? WireEnd::Reset : WireEnd::TimedOut);
        break;
    }
    result.totalMs = clock.elapsed();
    return result;
}

WireResult fetchRaw(quint16 port, const QByteArray& request, int timeoutMs) {
    return WireConnection(port).exchange(request, -1, timeoutMs);
}

WireResult fetchSome(quint16 port, const QByteArray& target, qsizetype enough, int timeoutMs) {
    return WireConnection(port).exchange(programRequest(target), enough, timeoutMs);
}

WireResult fetch(quint16 port, const QByteArray& target) {
    return fetchRaw(port, programRequest(target));
}

QByteArray fetchBody(quint16 port, const QByteArray& target) {
    const WireResult result = fetch(port, target);
    EXPECT_TRUE(result.bytes.startsWith("HTTP/1.0 200 OK\r\n")) << target.constData();
    EXPECT_EQ(result.end, WireEnd::Closed) << target.constData();
    return result.body();
}

}  // namespace statsite_test
