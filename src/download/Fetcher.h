#pragma once
// The page fetcher: one HTTP/1.0 request at a time over the socket socket,
// straight to the site or through a proxy. DownloadPage blocks until the
// answer is complete, the user stops, or no connection can be made, pumping
// its own thread's event queue meanwhile so the socket's handlers run (the
// download runs on a thread of its own: the window's event loop is never
// entered from here). The socket keeps a Winsock-style state number: 0 closed,
// 6 connecting, 7 connected, 8 closing (the site closed its end, which is not
// the end of the answer: only the program closes in the normal course).

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <atomic>
#include <cstdint>

#include "db/AppError.h"

class QSocketNotifier;
class QTcpSocket;
class QTimer;

namespace tw {

struct Session;
struct Settings;
class Prompter;

namespace winsock {
inline constexpr int kClosed = 0;
inline constexpr int kConnecting = 6;
inline constexpr int kConnected = 7;
inline constexpr int kClosing = 8;

inline constexpr int kConnectionAborted = 10053;
inline constexpr int kConnectionReset = 10054;
inline constexpr int kTimedOut = 10060;
inline constexpr int kConnectionRefused = 10061;
inline constexpr int kHostNotFound = 11001;
}  // namespace winsock

inline constexpr int16_t kPictureMode = 2;

// Bounds on one answer: a page or picture larger than this is refused, and a
// request is sent again at most this often after a redirect or a broken
// connection (the connection-failure box's Retry is the user's and unbounded).
inline constexpr qsizetype kPageLimitBytes = qsizetype(32) << 20;
inline constexpr qsizetype kPictureLimitBytes = qsizetype(8) << 20;
inline constexpr int kRedirectLimit = 5;
inline constexpr int kResendLimit = 5;

// Why a fetch brought no whole answer.
enum class FetchFailure {
    None,
    Connection,  // the site could not be reached, went away or gave no answer in time
    Answer,      // the site answered, but with nothing a page can be read from
};

namespace err {
inline constexpr int kUnusableAnswer = 31001;  // the site's answer cannot be used
inline constexpr int kUnreadablePage = 31002;  // a page lacks what it must hold
}  // namespace err
inline constexpr const char* kNoProxyMessage =
    "Please specify the proxy address and port.\r\n"
    "Use the 'Options' dialog under 'Tools' menu.";

// The connection-failure box's prompt for the site's display name.
QString connectionFailureMessage(const QString& siteName);

// A path as it goes on the request line: in the pages' encoding, with blanks,
// control characters and bytes beyond ASCII percent-encoded.
QByteArray requestTarget(const QString& path);

// The request's bytes for a path under the given settings (direct or proxy).
QByteArray requestText(const Settings& settings, const QString& path);

// Where requests go under the settings: the site itself, or the proxy. False
// when the proxy is to be used but its address or port is missing.
bool peerOf(const Settings& settings, QString* host, quint16* port);

class Fetcher : public QObject {
    Q_OBJECT
  public:
    // Settings come from `state`; the no-proxy message and the
    // connection-failure question go to `prompter`.
    Fetcher(Session& state, Prompter& prompter, QObject* parent = nullptr);
    ~Fetcher() override;

    // Fetches `path` (the request target as it goes on the request line);
    // mode 2 keeps only a picture's body. Afterwards page() holds the
    // answer (a page as UTF-8 text); stopRequested() tells that the user
    // stopped, Failure() that no whole answer came (connectFailed: because
    // no connection could be made).
    void downloadPage(const QString& path, int16_t mode);

    // The last answer (what has come of it so far while a fetch runs).
    const QByteArray& page() const { return page_; }

    // Thread-safe: the fetch under way ends at its next look (within one
    // heartbeat), and none is sent ahead until clearStop().
    void requestStop() { stop_.store(true); }
    void clearStop() { stop_.store(false); }
    bool stopRequested() const { return stop_.load(); }

    // The count of received bytes bytesReceived reports starts again at 0.
    void resetBytesShown() { bytesShown_ = 0; }

    FetchFailure failure() const { return failure_; }
    // The failure as an error for the diagnostic log; its description is
    // what the user is told.
    const AppError& failureError() const { return failureError_; }
    // The user has been told of the failure already (the no-proxy message,
    // the connection-failure box answered Cancel).
    bool failureShown() const { return failureShown_; }
    // The status code of the last answer's status line; 0 when none came.
    int statusCode() const { return statusCode_; }

    // Sends the request for `path` now, while the caller still works on the
    // page just read, so the site prepares the next page meanwhile. The
    // socket is left alone until the next DownloadPage: if that asks for the
    // same path it takes this attempt over (Requesting is emitted then, so
    // the program sees the same sequence as without it); any other call or
    // closeSocket drops it. Nothing is sent when a stop is pending or the
    // peer would need the no-proxy message.
    void requestAhead(const QString& path);

    // The name the connection-failure box gives the site: the host of the
    // settings (URL_Base_Domain).
    QString siteDisplayName() const;

    int winsockState() const { return winsockState_; }
    void closeSocket();
    QTcpSocket* socket = nullptr;

    bool headerDone = false;
    bool requestSent = false;
    bool connectFailed = false;
    bool retryRequested = false;
    bool pictureMode = false;
    int32_t contentLength = 0;
    int32_t bodyBytes = 0;
    int32_t headerLength = 0;

  signals:
    // A request is about to go out (every attempt, retries included).
    void requesting(const QString& path);
    // Bytes received since resetBytesShown(), after each arrival.
    void bytesReceived(double total);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    enum class Wait { Done, Retry, Leave };
    enum class RetryReason { User, Redirect, Broken };

    // What an attempt started ahead had reached when it was put aside.
    struct AheadAttempt {
        QString path;
        bool written = false;  // the request went to the socket
        bool sent = false;     // ... and all of it to the system
        QList<QPointer<QSocketNotifier>> parked;
    };

    void resetAttempt();
    void fail(FetchFailure kind, const AppError& error);
    bool mayRetry();
    void conclude();
    void readStatusLine();
    void refuseOversize(qsizetype limit);
    void requestAgain(RetryReason reason);
    bool choosePeer(QString* host, quint16* port);
    bool startAttempt(const QString& path, bool* requestWritten);
    bool takeOverAhead(const QString& path, bool* requestWritten);
    void sendAhead();
    void parkSocket();
    Wait waitForConnection();
    // Writes the request and flushes it; requestSent when all of it went.
    void writeRequest(const QString& path);
    Wait sendRequest(const QString& path, bool alreadyWritten);
    Wait waitForAnswer();
    Wait timedOut();
    void pump();
    bool expired() const;

    void onConnected();
    void onDisconnected();
    void onSendComplete(qint64 bytes);
    void onDataArrival();
    void onSocketError(int number, const QString& description);
    void socketErrorOccurred(int qtError);
    void acceptArrival(const QByteArray& bytes);
    void readHeaderBlock();
    void judgeCompletion(qsizetype arrived);
    void watchForReset();
    void noteResetOnSocket();

    Session& state_;
    Prompter& prompter_;
    QByteArray page_;
    std::atomic<bool> stop_{false};
    float bytesShown_ = 0;
    int winsockState_ = winsock::kClosed;
    int pendingError_ = 0;  // an error the kernel reported before Qt read it
    bool htmlEndSeen_ = false;
    bool complete_ = false;  // the completion rules closed the socket
    int statusCode_ = 0;
    QString peerText_;  // host:port of the attempt, for the reasons given
    RetryReason retryReason_ = RetryReason::User;
    int redirects_ = 0;
    int resends_ = 0;
    AppError lastSocketError_{0, QString(), QString()};
    FetchFailure failure_ = FetchFailure::None;
    bool failureShown_ = false;
    AppError failureError_{0, QString(), QString()};
    QElapsedTimer t0_;
    QTimer* heartbeat_ = nullptr;  // a child, so it moves with the fetcher's thread
    AheadAttempt ahead_;
};

}  // namespace tw
