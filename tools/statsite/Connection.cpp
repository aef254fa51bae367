#include "statsite/Connection.h"

#include <sys/socket.h>

namespace tw::statsite {

namespace {

constexpr qsizetype kMaxHead = 64 * 1024;
constexpr qsizetype kMaxRecorded = 64 * 1024;  // per connection
constexpr int kIdleMs = 30000;

bool isControl(const QByteArray& head) {
    return requestTarget(head).startsWith("/control/");
}

}  // namespace

Connection::Connection(QTcpSocket* socket, std::shared_ptr<Site> site, QObject* parent)
    : QObject(parent), socket_(socket), site_(std::move(site)) {
    socket_->setParent(this);
    // Each write must leave at once, so a split answer really arrives in pieces.
    socket_->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    connect(socket_, &QTcpSocket::readyRead, this, &Connection::readHead);
    connect(socket_, &QTcpSocket::bytesWritten, this, &Connection::onBytesWritten);
    connect(socket_, &QTcpSocket::disconnected, this, &QObject::deleteLater);
    // A peer that goes away in the middle of an answer ends it: a failed write
    // leaves the socket unconnected, and no further write may follow.
    connect(socket_, &QTcpSocket::stateChanged, this, [this](QAbstractSocket::SocketState state) {
        if (state == QAbstractSocket::UnconnectedState) {
            deleteLater();
        }
    });
    idle_.setSingleShot(true);
    connect(&idle_, &QTimer::timeout, this, &Connection::abort);
    idle_.start(kIdleMs);
}

Connection::~Connection() {
    if (!answering_) {
        recorded_ = !isControl(head_);
    }
    recordLines(true);
}

void Connection::abort() {
    socket_->abort();
    deleteLater();
}

void Connection::readHead() {
    const QByteArray bytes = socket_->readAll();
    receive(bytes);
    if (answering_) {
        return;  // HTTP/1.0 GET has no body; anything more is only recorded
    }
    head_ += bytes;
    const bool complete = head_.contains("\r\n\r\n") || head_.contains("\n\n");
    if (!complete && head_.size() < kMaxHead) {
        return;
    }
    answering_ = true;
    idle_.stop();
    recorded_ = !isControl(head_);
    // The head's lines are recorded before the answer, so a control request
    // made after the answer has arrived finds them.
    recordLines(false);
    const SiteOutcome outcome = site_->handle(head_);
    plan_ = outcome.wire;
    if (outcome.stopListening) {
        emit stopListeningRequested();
    }
    sendNext();
}

void Connection::receive(const QByteArray& bytes) {
    const qsizetype room = qMax<qsizetype>(0, kMaxRecorded - received_);
    unrecorded_ += bytes.left(room);
    received_ += bytes.size();
    if (answering_) {
        recordLines(false);
    }
}

void Connection::recordLines(bool evenUnfinished) {
    if (!recorded_) {
        unrecorded_.clear();
        return;
    }
    const qsizetype end = evenUnfinished ? unrecorded_.size() : unrecorded_.lastIndexOf('\n') + 1;
    if (end <= 0) {
        return;
    }
    QList<QByteArray> lines;
    for (qsizetype from = 0; from < end;) {
        const qsizetype lineEnd = unrecorded_.indexOf('\n', from);
        const qsizetype next = lineEnd < 0 || lineEnd >= end ? end : lineEnd + 1;
        lines.append(unrecorded_.mid(from, next - from));
        from = next;
    }
    unrecorded_.remove(0, end);
    site_->recordRequestLines(lines);
}

void Connection::sendNext() {
    if (next_ >= plan_.steps.size()) {
        if (!plan_.endlessChunk.isEmpty()) {
            writeStep(plan_.endlessChunk);  // the next one when this one has left
            return;
        }
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
    // Bytes that came after the head (a request within the request) are recorded
    // even when they arrived while the answer went out.
    receive(socket_->readAll());
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
