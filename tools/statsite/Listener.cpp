#include "statsite/Listener.h"

#include "statsite/Connection.h"

namespace tw::statsite {

Listener::Listener(std::shared_ptr<Site> site) : site_(std::move(site)), server_(this) {
    connect(&server_, &QTcpServer::newConnection, this, &Listener::accept);
}

quint16 Listener::listen(const QHostAddress& address, quint16 port, QString* error) {
    if (!server_.listen(address, port)) {
        *error = server_.errorString();
        return 0;
    }
    return server_.serverPort();
}

void Listener::closeAll() {
    server_.close();
    for (Connection* connection : findChildren<Connection*>(Qt::FindDirectChildrenOnly)) {
        connection->abort();
    }
}

int Listener::connectionCount() const {
    return static_cast<int>(findChildren<Connection*>(Qt::FindDirectChildrenOnly).size());
}

void Listener::accept() {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        auto* connection = new Connection(socket, site_, this);
        // After the last allowed answer the site is "down": new connections are refused.
        connect(connection, &Connection::stopListeningRequested, this, [this] { server_.close(); });
    }
}

}  // namespace tw::statsite
