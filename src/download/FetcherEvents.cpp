// The socket's event handlers: connected, closed by the site, send-complete,
// data arrival with its completion rules, and errors by Winsock number.

#include <netinet/in.h>
#include <sys/socket.h>

#include <QEvent>
#include <QSocketNotifier>
#include <QTcpSocket>
#include <cerrno>
#include <limits>

#include "core/Session.h"
#include "download/AnswerHeader.h"
#include "download/Fetcher.h"
#include "download/TextRoutines.h"

namespace tw {
namespace {

int winsockNumber(QAbstractSocket::SocketError error) {
    switch (error) {
        case QAbstractSocket::ConnectionRefusedError:
            return winsock::kConnectionRefused;
        case QAbstractSocket::HostNotFoundError:
            return winsock::kHostNotFound;
        case QAbstractSocket::SocketTimeoutError:
            return winsock::kTimedOut;
        case QAbstractSocket::NetworkError:
            return winsock::kConnectionAborted;
        case QAbstractSocket::SocketAccessError:
            return 10013;
        case QAbstractSocket::SocketResourceError:
            return 10055;
        case QAbstractSocket::DatagramTooLargeError:
            return 10040;
        case QAbstractSocket::AddressInUseError:
            return 10048;
        case QAbstractSocket::SocketAddressNotAvailableError:
            return 10049;
        case QAbstractSocket::UnsupportedSocketOperationError:
            return 10045;
        default:
            return 10050;  // the network is down: nothing more specific is known
    }
}

int winsockNumberOfErrno(int error) {
    switch (error) {
        case ETIMEDOUT:
            return winsock::kTimedOut;
        case ECONNABORTED:
            return winsock::kConnectionAborted;
        default:
            return winsock::kConnectionReset;
    }
}

bool isRetryError(int number) {
    return number == winsock::kConnectionAborted || number == winsock::kConnectionReset ||
           number == winsock::kTimedOut;
}

}  // namespace

void Fetcher::onConnected() {
    winsockState_ = winsock::kConnected;
    watchForReset();
}

void Fetcher::onDisconnected() {
    if (winsockState_ == winsock::kConnected) {
        winsockState_ = winsock::kClosing;
    }
}

void Fetcher::onSendComplete(qint64) {
    if (socket->bytesToWrite() == 0) {
        requestSent = true;
    }
}

void Fetcher::socketErrorOccurred(int qtError) {
    const auto error = static_cast<QAbstractSocket::SocketError>(qtError);
    if (error == QAbstractSocket::RemoteHostClosedError) {
        if (pendingError_ != 0) {
            onSocketError(pendingError_, QStringLiteral("Connection is reset by remote side"));
        } else if (winsockState_ == winsock::kConnected) {
            // An orderly close by the site is no error event: the socket is
            // left closing and the answer ends by its completion rules.
            winsockState_ = winsock::kClosing;
        }
        return;
    }
    onSocketError(winsockNumber(error), socket->errorString());
}

void Fetcher::onSocketError(int number, const QString& description) {
    if (number == winsock::kConnectionRefused) {
        lastSocketError_ =
            AppError(number, QStringLiteral("Winsock1"),
                     QStringLiteral("the connection to %1 was refused").arg(peerText_));
        connectFailed = true;
    } else if (number == winsock::kHostNotFound) {
        lastSocketError_ = AppError(number, QStringLiteral("Winsock1"),
                                    QStringLiteral("the host of %1 was not found").arg(peerText_));
        connectFailed = true;
    } else if (isRetryError(number)) {
        lastSocketError_ = AppError(number, QStringLiteral("Winsock1"), description);
        requestAgain(RetryReason::Broken);
    } else {
        fail(FetchFailure::Connection,
             AppError(number, QStringLiteral("Winsock1"),
                      QStringLiteral("network error %1: %2").arg(number).arg(description)));
    }
    closeSocket();
}

// Qt reads a reset like an orderly close. The kernel still tells them apart
// until the first read after the reset, so the socket's read notifications
// are watched and a pending error is noted before Qt reads.
void Fetcher::watchForReset() {
    for (QSocketNotifier* notifier : socket->findChildren<QSocketNotifier*>()) {
        notifier->installEventFilter(this);
    }
}

bool Fetcher::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::SockAct && winsockState_ == winsock::kConnected) {
        const auto* notifier = qobject_cast<QSocketNotifier*>(watched);
        if (notifier != nullptr && notifier->type() == QSocketNotifier::Read) {
            noteResetOnSocket();
        }
    }
    return QObject::eventFilter(watched, event);
}

void Fetcher::noteResetOnSocket() {
    const qintptr fd = socket->socketDescriptor();
    if (fd < 0 || pendingError_ != 0) {
        return;
    }
    int error = 0;
    socklen_t length = sizeof error;
    if (getsockopt(static_cast<int>(fd), SOL_SOCKET, SO_ERROR, &error, &length) == 0 &&
        error != 0) {
        pendingError_ = winsockNumberOfErrno(error);
    }
}

void Fetcher::onDataArrival() {
    watchForReset();
    // Data the site sent before closing its end is read as well.
    const QByteArray bytes = socket->readAll();
    if (bytes.isEmpty()) {
        return;
    }
    try {
        acceptArrival(bytes);
    } catch (const AppError& error) {
        if (isRetryError(error.number())) {
            requestAgain(RetryReason::Broken);
            return;
        }
        fail(FetchFailure::Answer,
             AppError(error.number(), error.source(),
                      QStringLiteral("unreadable answer: ") + error.description()));
    }
}

void Fetcher::acceptArrival(const QByteArray& bytes) {
    const qsizetype n = bytes.size();
    const qsizetype limit = pictureMode ? kPictureLimitBytes : kPageLimitBytes;
    if (page_.size() + n > limit) {
        refuseOversize(limit);
        return;
    }
    page_ += bytes;
    const int64_t counted = static_cast<int64_t>(bodyBytes) + n;
    if (counted > std::numeric_limits<int32_t>::max()) {
        throw AppError(err::kOverflow, QStringLiteral("Tallywick"), QStringLiteral("Overflow"));
    }
    bodyBytes = static_cast<int32_t>(counted);
    bytesShown_ += static_cast<float>(n);
    if (!headerDone) {
        if (statusCode_ == 0) {
            readStatusLine();
        }
        // Only the status line says "redirected"; a page may mention the words.
        if (statusCode_ == 302) {
            requestAgain(RetryReason::Redirect);
            return;
        }
        readHeaderBlock();
        if (headerDone && contentLength > limit) {
            refuseOversize(limit);
            return;
        }
    }
    emit bytesReceived(static_cast<double>(bytesShown_));
    judgeCompletion(n);
}

void Fetcher::refuseOversize(qsizetype limit) {
    fail(FetchFailure::Answer,
         AppError(err::kUnusableAnswer, QStringLiteral("Tallywick"),
                  QStringLiteral("the answer is larger than %1 MB").arg(limit >> 20)));
}

void Fetcher::readStatusLine() {
    statusCode_ = statusLineCode(page_);
}

void Fetcher::readHeaderBlock() {
    const std::optional<AnswerHeader> header = readAnswerHeader(page_);
    if (!header) {
        return;
    }
    headerDone = true;
    headerLength = header->headerLength;
    bodyBytes -= headerLength;
    contentLength = header->contentLength;
}

void Fetcher::judgeCompletion(qsizetype arrived) {
    QByteArray& page = page_;
    if (!htmlEndSeen_) {
        // Only the new bytes (and the marker's length before them) can hold it.
        const qsizetype from = std::max<qsizetype>(1, page.size() - arrived - 6);
        htmlEndSeen_ = endsWithin(from, page, "</html>");
    }
    if (bodyBytes >= contentLength && htmlEndSeen_) {
        complete_ = true;
        closeSocket();
    }
    // A picture is judged only once its header block has ended.
    if (pictureMode && headerDone && bodyBytes >= contentLength) {
        page = pictureBody(page, contentLength);
        complete_ = true;
        closeSocket();
    }
}

}  // namespace tw
