#include "statsite/Connection.h"

#include <sys/socket.h>

namespace tw::statsite {

namespace {

constexpr qsizetype kMaxHead = 64 * 1024;
constexpr int kIdleMs = 30000;

}  // namespace

Connection::Connection(QTcpSocket* socket, std::shared_ptr<Site> site, QObject* parent)
    : QObject(parent), socket_(socket), site_(std::move(site)) {
    socket_->setParent(this);
    // Each write must leave at once, so a split answer really arrives in pieces.
    socket_->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    connect(socket_, &QTcpSocket::readyRead, this, &Connection::readHead);
    connect(socket_, &QTcpSocket::bytesWritten, this, &Connection::onBytesWritten);
    connect(socket_, &QTcpSocket::disconnected, this, &QObject::deleteLater);
    idle_.setSingleShot(true);
    connect(&idle_, &QTimer::timeout, this, &Connection::abort);
    idle_.start(kIdleMs);
}

void Connection::abort() {
    socket_->abort();
    deleteLater();
}

void Connection::readHead() {
    if (answering_) {
        socket_->readAll();  // HTTP/1.0 GET has no body; anything more is ignored
        return;
    }
    head_ += socket_->readAll();
    const bool complete = head_.contains("\r\n\r\n") || head_.contains("\n\n");
    if (!complete && head_.size() < kMaxHead) {
        return;
    }
    answering_ = true;
    idle_.stop();
    const SiteOutcome outcome = site_->handle(head_);
    plan_ = outcome.wire;
    if (outcome.stopListening) {
        emit stopListeningRequested();
    }
    sendNext();
}

void Connection::sendNext() {
    if (next_ >= plan_.steps.size()) {
        finish();
        return;
    }
    const WireStep step = plan_.steps[next_++];
    if (step.pauseBeforeMs > 0) {
        QTimer::singleShot(step.pauseBeforeMs, this, [this, step] { writeStep(step.bytes); });
    } else {
        writeStep(step.bytes);
    }
}

void Connection::writeStep(const QByteArray& bytes) {
    if (socket_->state() != QAbstractSocket::ConnectedState) {
        deleteLater();
        return;
    }
    if (bytes.isEmpty()) {
        sendNext();
        return;
    }
    socket_->write(bytes);
    draining_ = true;  // the next step waits until these bytes have left
}

void Connection::onBytesWritten() {
    if (draining_ && socket_->bytesToWrite() == 0) {
        draining_ = false;
        sendNext();
    }
}

void Connection::finish() {
    if (plan_.reset) {
        // Give the bytes already written time to reach the peer before the reset.
        QTimer::singleShot(100, this, &Connection::resetConnection);
        return;
    }
    socket_->disconnectFromHost();
}

void Connection::resetConnection() {
    // A zero linger time makes close() send a reset instead of an orderly end.
    const linger hard{1, 0};
    ::setsockopt(static_cast<int>(socket_->socketDescriptor()), SOL_SOCKET, SO_LINGER, &hard,
                 sizeof hard);
    abort();
}

}  // namespace tw::statsite
