// A blocking client on a plain POSIX socket, so tests see exactly what arrives on
// the wire: the bytes, how they were cut into arrivals, and how the connection
// ended (orderly close, reset, refused).
#pragma once

#include <QByteArray>
#include <QList>

namespace statsite_test {

// StillOpen: the client stopped reading (enough bytes) while the site went on.
enum class WireEnd { Closed, Reset, Refused, TimedOut, StillOpen };

struct WireResult {
    QByteArray bytes;
    QList<QByteArray> arrivals;
    WireEnd end = WireEnd::Closed;
    qint64 firstByteMs = -1;  // from sending the request
    qint64 totalMs = 0;

    QByteArray header() const;  // up to and including the blank line
    QByteArray body() const;
};

// The program's request: GET, Host, Connection: Keep-Alive, Accept: */*.
QByteArray programRequest(const QByteArray& target);
WireResult fetchRaw(quint16 port, const QByteArray& request, int timeoutMs = 10000);
// Reads until at least `enough` bytes have come (then closes: StillOpen), the site
// ends the connection, or the time is up.
WireResult fetchSome(quint16 port, const QByteArray& target, qsizetype enough,
                     int timeoutMs = 10000);

// A connection made before its request is sent, so a test can hold several
// accepted connections at once, or stop reading and keep the connection open.
// It is closed when it goes out of scope.
class WireConnection {
  public:
    explicit WireConnection(quint16 port);
    ~WireConnection();
    WireConnection(const WireConnection&) = delete;
    WireConnection& operator=(const WireConnection&) = delete;

    bool connected() const { return fd_ >= 0; }
    WireResult exchange(const QByteArray& request, qsizetype enough = -1, int timeoutMs = 10000);
    void close();

  private:
    int fd_ = -1;
    bool refused_ = false;
};
WireResult fetch(quint16 port, const QByteArray& target);
// The body of a page that must be answered 200; fails the calling test otherwise.
QByteArray fetchBody(quint16 port, const QByteArray& target);

}  // namespace statsite_test
