// The request sent ahead: the next page is asked for before the page just
// read is stored, so the site prepares it meanwhile. The attempt is put
// aside with its socket's notifiers switched off, so no event of it runs
// (and nothing of its answer reaches the page) until DownloadPage takes it
// over; from there on it is an ordinary attempt.

#include <poll.h>

#include <QSocketNotifier>
#include <QTcpSocket>

#include "core/Session.h"
#include "download/Fetcher.h"

namespace tw {
namespace {

// A connect that has finished one way or the other (the socket is writable
// or in error) can be completed without waiting for the site.
bool connectSettled(qintptr descriptor) {
    pollfd entry{static_cast<int>(descriptor), POLLOUT, 0};
    return poll(&entry, 1, 0) == 1 && (entry.revents & (POLLOUT | POLLERR | POLLHUP)) != 0;
}

// Bounds the completion of a settled connect; it does not wait for the site.
constexpr int kSettledConnectMs = 1000;

}  // namespace

void Fetcher::requestAhead(const QString& path) {
    QString host;
    quint16 port = 0;
    if (path.isEmpty() || stopRequested() || !peerOf(state_.settings, &host, &port)) {
        return;
    }
    closeSocket();
    // The attempt's handlers may set these; the caller still sees the values
    // of the page it is storing.
    const bool sent = requestSent;
    const bool failed = connectFailed;
    const bool retry = retryRequested;
    const FetchFailure failure = failure_;
    const AppError failureError = failureError_;
    const AppError socketError = lastSocketError_;
    requestSent = false;
    winsockState_ = winsock::kConnecting;
    socket->connectToHost(host, port);
    ahead_.path = path;
    sendAhead();
    const bool healthy = winsockState_ != winsock::kClosed && !connectFailed && !retryRequested &&
                         socket->state() != QAbstractSocket::UnconnectedState;
    ahead_.sent = requestSent;
    requestSent = sent;
    connectFailed = failed;
    retryRequested = retry;
    const bool failedAhead = failure_ != FetchFailure::None;
    failure_ = failure;
    failureError_ = failureError;
    lastSocketError_ = socketError;
    if (!healthy || failedAhead) {
        // DownloadPage makes its own attempt, with its own reports.
        closeSocket();
        return;
    }
    parkSocket();
}

void Fetcher::sendAhead() {
    // The socket reports no descriptor before it is connected; its notifier
    // watches the one being connected.
    qintptr descriptor = -1;
    for (const QSocketNotifier* notifier : socket->findChildren<QSocketNotifier*>()) {
        if (notifier->type() == QSocketNotifier::Write) {
            descriptor = notifier->socket();
        }
    }
    if (winsockState_ == winsock::kConnecting && descriptor >= 0 && connectSettled(descriptor)) {
        socket->waitForConnected(kSettledConnectMs);
    }
    if (winsockState_ != winsock::kConnected) {
        return;  // still connecting: the request goes once DownloadPage sees the connection
    }
    writeRequest(ahead_.path);
    ahead_.written = true;
}

bool Fetcher::takeOverAhead(const QString& path, bool* requestWritten) {
    if (ahead_.path.isEmpty()) {
        return false;
    }
    if (ahead_.path != path) {
        closeSocket();
        return false;
    }
    const AheadAttempt ahead = ahead_;
    ahead_ = {};
    resetAttempt();
    requestSent = ahead.sent;
    *requestWritten = ahead.written;
    for (const QPointer<QSocketNotifier>& notifier : ahead.parked) {
        if (notifier) {
            notifier->setEnabled(true);
        }
    }
    emit requesting(path);
    t0_.start();
    return true;
}

void Fetcher::parkSocket() {
    for (QSocketNotifier* notifier : socket->findChildren<QSocketNotifier*>()) {
        if (notifier->isEnabled()) {
            notifier->setEnabled(false);
            ahead_.parked << notifier;
        }
    }
}

}  // namespace tw
