// A blocking client on a plain POSIX socket, so tests see exactly what arrives on
// the wire: the bytes, how they were cut into arrivals, and how the connection
// ended (orderly close, reset, refused).
#pragma once

#include <QByteArray>
#include <QList>

namespace statsite_test {

enum class WireEnd { Closed, Reset, Refused, TimedOut };

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
WireResult fetch(quint16 port, const QByteArray& target);
// The body of a page that must be answered 200; fails the calling test otherwise.
QByteArray fetchBody(quint16 port, const QByteArray& target);

}  // namespace statsite_test
