#include "gui/SingleInstance.h"

#include <unistd.h>

#include <QCryptographicHash>
#include <QFileInfo>
#include <QLocalSocket>
#include <QWidget>

namespace tw {
namespace {

// A running window answers a connection at once; one that does not within
// this time is taken as gone.
constexpr int kConnectWaitMs = 2000;
constexpr int kNameHashChars = 32;

QString canonicalFolder(const QString& programDir) {
    const QFileInfo folder(programDir);
    const QString canonical = folder.canonicalFilePath();
    return canonical.isEmpty() ? folder.absoluteFilePath() : canonical;
}

}  // namespace

SingleInstance::SingleInstance(const QString& programDir, QObject* parent)
    : QObject(parent), name_(serverName(programDir)) {
    // Only this user's own starts may bring the window forward.
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
}

SingleInstance::~SingleInstance() {
    close();
}

QString SingleInstance::serverName(const QString& programDir) {
    const QByteArray key = QByteArray::number(static_cast<qulonglong>(::getuid())) + '\n' +
                           canonicalFolder(programDir).toUtf8();
    const QByteArray hash = QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex();
    return QStringLiteral("tallywick-") + QString::fromLatin1(hash.left(kNameHashChars));
}

bool SingleInstance::forwardToRunning() {
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (!socket.waitForConnected(kConnectWaitMs)) {
        return false;
    }
    // The connection itself is the request; the running window answers it.
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState) {
        socket.waitForDisconnected(kConnectWaitMs);
    }
    return true;
}

bool SingleInstance::listen() {
    if (server_.listen(name_)) {
        return true;
    }
    // Nothing answered on the name (forwardToRunning came first), so a socket
    // file in its place was left by a window that was killed.
    if (server_.serverError() == QAbstractSocket::AddressInUseError) {
        QLocalServer::removeServer(name_);
        return server_.listen(name_);
    }
    return false;
}

void SingleInstance::close() {
    if (server_.isListening()) {
        server_.close();
    }
}

void SingleInstance::bringForward(QWidget& window) {
    if (window.isMinimized()) {
        window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    }
    window.show();
    window.raise();
    window.activateWindow();
}

void SingleInstance::acceptConnections() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        socket->disconnectFromServer();
        emit activationRequested();
    }
}

}  // namespace tw
