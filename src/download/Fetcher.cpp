#include "download/Fetcher.h"

#include <QCoreApplication>
#include <QNetworkProxy>
#include <QTcpSocket>
#include <QTimer>

#include "core/Prompter.h"
#include "core/Session.h"
#include "download/PageCharset.h"

namespace tw {
namespace {

const QByteArray kCrLf = "\r\n";

// How often a wait wakes up at the latest to look at its clock.
constexpr int kHeartbeatMs = 25;

}  // namespace

QString connectionFailureMessage(const QString& siteName) {
    const QString quoted = QLatin1Char('"') + siteName + QLatin1Char('"');
    return QStringLiteral("A connection to ") + quoted +
           QStringLiteral(" could not be established.\r\n") +
           QStringLiteral("Either your internet connection is having trouble, \r\n") +
           QStringLiteral("or the stats pages on ") + quoted + QStringLiteral(" are unavailable.");
}

QByteArray requestTarget(const QString& path) {
    static const char kHex[] = "0123456789ABCDEF";
    QByteArray bytes;
    if (!toWindows1252(path, &bytes)) {
        bytes = path.toUtf8();
    }
    // Text cut from a page (the emblem address) must not reach the wire as
    // it stands: a line break there would end the request line and start
    // another request.
    QByteArray target;
    target.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto c = static_cast<unsigned char>(byte);
        if (c <= 0x20 || c >= 0x7F) {
            target += '%';
            target += kHex[c >> 4];
            target += kHex[c & 15];
        } else {
            target += byte;
        }
    }
    return target;
}

QByteArray requestText(const Settings& settings, const QString& path) {
    QByteArray requestLine;
    QByteArray host;
    const QByteArray target = requestTarget(path);
    if (!settings.useProxy) {
        requestLine = "GET " + target + " HTTP/1.0";
        host = settings.urlBaseDomain.toUtf8();
    } else if (path.startsWith(QLatin1Char('/'))) {
        // The absolute form a real proxy forwards: it names the site.
        QByteArray site = settings.urlBaseDomain.toUtf8();
        if (settings.directPort != 80) {
            site += ':' + QByteArray::number(settings.directPort);
        }
        requestLine = "GET http://" + site + target + " HTTP/1.0";
        host = site;
    } else {
        // A path setting that names the site itself is sent as it stands.
        requestLine = "GET http://" + target + " HTTP/1.0";
        host = "http://" + settings.proxyAddress.toUtf8();
    }
    // Appended in place: one allocation per request rather than one per piece.
    QByteArray text;
    text.reserve(requestLine.size() + host.size() + 64);
    text.append(requestLine).append(kCrLf).append("Host: ").append(host).append(kCrLf);
    text.append("Connection: Keep-Alive").append(kCrLf).append("Accept: */*").append(kCrLf);
    return text.append(kCrLf);
}

Fetcher::Fetcher(Session& state, Prompter& prompter, QObject* parent)
    : QObject(parent), state_(state), prompter_(prompter) {
    socket = new QTcpSocket(this);
    socket->setObjectName(QStringLiteral("Winsock1"));
    // The fetcher speaks to a configured proxy itself; no proxy of the
    // platform may stand in between.
    socket->setProxy(QNetworkProxy::NoProxy);
    heartbeat_ = new QTimer(this);
    heartbeat_->setInterval(kHeartbeatMs);
    connect(socket, &QTcpSocket::connected, this, &Fetcher::onConnected);
    connect(socket, &QTcpSocket::disconnected, this, &Fetcher::onDisconnected);
    connect(socket, &QTcpSocket::bytesWritten, this, &Fetcher::onSendComplete);
    connect(socket, &QTcpSocket::readyRead, this, &Fetcher::onDataArrival);
    connect(socket, &QTcpSocket::errorOccurred, this,
            [this](QAbstractSocket::SocketError error) { socketErrorOccurred(error); });
}

Fetcher::~Fetcher() {
    closeSocket();
}

QString Fetcher::siteDisplayName() const {
    return state_.settings.urlBaseDomain;
}

void Fetcher::closeSocket() {
    // The state goes to 0 first, so the socket's own disconnect report does
    // not read as the site closing its end.
    winsockState_ = winsock::kClosed;
    socket->abort();
    ahead_ = {};
}

void Fetcher::downloadPage(const QString& path, int16_t mode) {
    heartbeat_->start();
    failure_ = FetchFailure::None;
    failureShown_ = false;
    failureError_ = AppError(0, QString(), QString());
    redirects_ = 0;
    resends_ = 0;
    lastSocketError_ = AppError(0, QString(), QString());
    try {
        pictureMode = mode == kPictureMode;
        bool first = true;
        for (;;) {
            bool requestWritten = false;
            const bool tookOver = first && takeOverAhead(path, &requestWritten);
            first = false;
            if (!tookOver && !startAttempt(path, &requestWritten)) {
                break;
            }
            Wait wait = waitForConnection();
            if (wait == Wait::Done) {
                wait = sendRequest(path, requestWritten);
            }
            if (wait == Wait::Done) {
                wait = waitForAnswer();
            }
            if (wait != Wait::Retry || !mayRetry()) {
                break;
            }
        }
    } catch (const AppError& error) {
        fail(FetchFailure::Connection, error);
    }
    heartbeat_->stop();
    conclude();
}

void Fetcher::fail(FetchFailure kind, const AppError& error) {
    if (failure_ != FetchFailure::None) {
        return;  // the first reason is the one that counts
    }
    failure_ = kind;
    failureError_ = error;
    closeSocket();
}

// A redirect or a broken connection sends the request again, a few times.
bool Fetcher::mayRetry() {
    if (failure_ != FetchFailure::None) {
        return false;
    }
    const RetryReason reason = retryReason_;
    retryReason_ = RetryReason::User;
    if (reason == RetryReason::Redirect && ++redirects_ > kRedirectLimit) {
        fail(FetchFailure::Answer,
             AppError(err::kUnusableAnswer, QStringLiteral("Tallywick"),
                      QStringLiteral("the site redirected the request more than %1 times")
                          .arg(kRedirectLimit)));
        return false;
    }
    if (reason == RetryReason::Broken && ++resends_ > kResendLimit) {
        const QString why = lastSocketError_.number() != 0
                                ? QStringLiteral(" (%1)").arg(lastSocketError_.description())
                                : QString();
        fail(FetchFailure::Connection,
             AppError(winsock::kConnectionReset, QStringLiteral("Winsock1"),
                      QStringLiteral("the connection broke off %1 times before the answer was "
                                     "complete")
                              .arg(kResendLimit + 1) +
                          why));
        return false;
    }
    return true;
}

void Fetcher::requestAgain(RetryReason reason) {
    retryRequested = true;
    retryReason_ = reason;
}

// What the caller learns: a stop, a failure with its reason, or a whole
// answer (a page then as UTF-8 text).
void Fetcher::conclude() {
    if (failure_ != FetchFailure::None || stopRequested()) {
        return;
    }
    if (connectFailed) {
        failureShown_ = lastSocketError_.number() == 0;  // the no-proxy message
        const AppError reason =
            lastSocketError_.number() != 0
                ? lastSocketError_
                : AppError(winsock::kConnectionRefused, QStringLiteral("Tallywick"),
                           QStringLiteral("no proxy address and port are set"));
        fail(FetchFailure::Connection, reason);
        return;
    }
    if (!complete_) {
        const AppError reason =
            lastSocketError_.number() != 0
                ? lastSocketError_
                : AppError(winsock::kConnectionAborted, QStringLiteral("Winsock1"),
                           QStringLiteral("the connection ended before the answer was complete"));
        fail(FetchFailure::Connection, reason);
        return;
    }
    if (!pictureMode) {
        page_ = pageAsUtf8(page_);
    }
}

// A fresh attempt: connects; the request follows once connected. False when
// no peer can be chosen.
bool Fetcher::startAttempt(const QString& path, bool* requestWritten) {
    resetAttempt();
    QString host;
    quint16 port = 0;
    if (!choosePeer(&host, &port)) {
        return false;
    }
    closeSocket();
    peerText_ = host + QLatin1Char(':') + QString::number(port);
    emit requesting(path);
    winsockState_ = winsock::kConnecting;
    socket->connectToHost(host, port);
    t0_.start();
    *requestWritten = false;
    return true;
}

void Fetcher::resetAttempt() {
    headerDone = false;
    requestSent = false;
    connectFailed = false;
    contentLength = 0;
    bodyBytes = 0;
    headerLength = 0;
    page_.clear();
    retryRequested = false;
    pendingError_ = 0;
    htmlEndSeen_ = false;
    complete_ = false;
    statusCode_ = 0;
}

bool peerOf(const Settings& settings, QString* host, quint16* port) {
    if (!settings.useProxy) {
        *host = settings.urlBaseDomain;
        *port = static_cast<quint16>(settings.directPort);
        return true;
    }
    if (settings.proxyAddress.isEmpty() || settings.proxyPort < 1) {
        return false;
    }
    *host = settings.proxyAddress;
    *port = static_cast<quint16>(settings.proxyPort);
    return true;
}

bool Fetcher::choosePeer(QString* host, quint16* port) {
    const int directPort = state_.settings.directPort;
    if (!state_.settings.useProxy && (directPort < 1 || directPort > 65535)) {
        // Start-up has said so already; no connection to port 0 is tried.
        lastSocketError_ =
            AppError(10049, QStringLiteral("Tallywick"),
                     QStringLiteral("Direct_Port is not set to a TCP port (1 to 65535)"));
        connectFailed = true;
        return false;
    }
    if (!peerOf(state_.settings, host, port)) {
        prompter_.message(QString::fromLatin1(kNoProxyMessage), MsgButtons::Ok, MsgIcon::Critical,
                          QStringLiteral("Error"));
        connectFailed = true;
        return false;
    }
    return true;
}

Fetcher::Wait Fetcher::waitForConnection() {
    while (winsockState_ != winsock::kConnected) {
        if (expired()) {
            return timedOut();
        }
        pump();
        if (stopRequested() || connectFailed || failure_ != FetchFailure::None) {
            return Wait::Leave;
        }
    }
    return Wait::Done;
}

void Fetcher::writeRequest(const QString& path) {
    socket->write(requestText(state_.settings, path));
    // Hand the request to the system now rather than on the next pump; when
    // all of it went, the send is complete at once.
    socket->flush();
    if (socket->bytesToWrite() == 0) {
        requestSent = true;
    }
}

Fetcher::Wait Fetcher::sendRequest(const QString& path, bool alreadyWritten) {
    if (!alreadyWritten) {
        writeRequest(path);
    }
    // The wait for the send-complete report has the same bound as the others.
    t0_.start();
    while (!requestSent) {
        if (expired()) {
            return timedOut();
        }
        pump();
        if (retryRequested) {
            return Wait::Retry;
        }
        if (stopRequested() || failure_ != FetchFailure::None) {
            return Wait::Leave;
        }
        if (winsockState_ == winsock::kClosed) {
            return Wait::Done;  // an error event closed it: the caller reads what came
        }
    }
    // An answer may arrive in the same pump as the send-complete report; what
    // came is kept (the counters were reset when the attempt began).
    t0_.start();
    return Wait::Done;
}

// The whole answer must arrive within the time limit, not only its first
// byte. A site that closes its end before the answer is complete broke the
// connection: the request goes again.
Fetcher::Wait Fetcher::waitForAnswer() {
    while (winsockState_ != winsock::kClosed) {
        if (expired()) {
            return timedOut();
        }
        pump();
        if (retryRequested) {
            return Wait::Retry;
        }
        if (stopRequested() || failure_ != FetchFailure::None) {
            return Wait::Leave;
        }
        if (winsockState_ == winsock::kClosing && socket->bytesAvailable() == 0) {
            requestAgain(RetryReason::Broken);
            return Wait::Retry;
        }
    }
    return Wait::Done;
}

// The connection-failure box: Retry starts over; Cancel gives up this
// request, a failure the download reports (it is no stop by the user).
Fetcher::Wait Fetcher::timedOut() {
    const MsgResult answer =
        prompter_.message(connectionFailureMessage(siteDisplayName()), MsgButtons::RetryCancel,
                          MsgIcon::Critical, QStringLiteral("Error"));
    if (answer == MsgResult::Retry) {
        retryReason_ = RetryReason::User;
        return Wait::Retry;
    }
    const int ms = state_.settings.connectionTimeout;
    failureShown_ = true;
    fail(FetchFailure::Connection,
         AppError(winsock::kTimedOut, QStringLiteral("Winsock1"),
                  QStringLiteral("the site gave no whole answer within %1 ms (Connection_Timeout)")
                      .arg(ms)));
    return Wait::Leave;
}

bool Fetcher::expired() const {
    return t0_.elapsed() >= state_.settings.connectionTimeout;
}

// The waits process the events of the fetcher's own thread: its socket's and
// its heartbeat's. That thread is never the window's (the window runs the
// download on a worker thread; the command line has no window), and the only
// other event ever posted to it is the request to start a run, which the
// window sends once per run: nothing re-enters the download from here, and
// the fetcher keeps the event-driven handling (and its reset watch) its tests
// pin down.
void Fetcher::pump() {
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

}  // namespace tw
