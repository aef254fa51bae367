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

WireResult fetchRaw(quint16 port, const QByteArray& request, int timeoutMs) {
    WireResult result;
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        result.end = errno == ECONNREFUSED ? WireEnd::Refused : WireEnd::TimedOut;
        ::close(fd);
        return result;
    }
    ::send(fd, request.constData(), request.size(), MSG_NOSIGNAL);
    QElapsedTimer clock;
    clock.start();
    char buffer[65536];
    for (;;) {
        pollfd waiting{fd, POLLIN, 0};
        const int remaining = timeoutMs - static_cast<int>(clock.elapsed());
        if (remaining <= 0 || ::poll(&waiting, 1, remaining) <= 0) {
            result.end = WireEnd::TimedOut;
            break;
        }
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
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
    ::close(fd);
    return result;
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
