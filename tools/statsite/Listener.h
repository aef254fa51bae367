// Lives on the server thread: owns the listening socket and the connections.
#pragma once

#include <QObject>
#include <QTcpServer>
#include <memory>

#include "statsite/Site.h"

namespace tw::statsite {

class Listener : public QObject {
    Q_OBJECT

  public:
    explicit Listener(std::shared_ptr<Site> site);

    // Both run on the server thread.
    quint16 listen(const QHostAddress& address, quint16 port, QString* error);
    void closeAll();
    bool isListening() const { return server_.isListening(); }
    int connectionCount() const;

  private:
    void accept();

    std::shared_ptr<Site> site_;
    QTcpServer server_;
};

}  // namespace tw::statsite
