// The simulated statistics site as a server object: runs on its own thread with
// its own event loop, so a caller may block on sockets (tests) or pump its own
// event loop (the program) while the site answers.
//
//   StatSiteServer server(config);
//   quint16 port = server.start();   // 0: any free port on 127.0.0.1
//   ... server.site().setFaults(plan); server.site().grow(tag, 3); ...
//   server.stop();                   // connections are refused afterwards
#pragma once

#include <QHostAddress>
#include <QThread>
#include <memory>

#include "statsite/Site.h"

namespace tw::statsite {

class Listener;

class StatSiteServer {
  public:
    explicit StatSiteServer(const SiteConfig& config);
    ~StatSiteServer();
    StatSiteServer(const StatSiteServer&) = delete;
    StatSiteServer& operator=(const StatSiteServer&) = delete;

    // Returns the bound port, or 0 when the port cannot be had (see errorString).
    quint16 start(quint16 port = 0, const QHostAddress& address = QHostAddress::LocalHost);
    void stop();
    bool isListening() const;
    // Connections accepted and not yet closed: an answer that goes on after its
    // peer has left would stay here.
    int openConnections() const;
    quint16 port() const { return port_; }
    QString errorString() const { return error_; }
    Site& site() { return *site_; }

  private:
    std::shared_ptr<Site> site_;
    QThread thread_;
    Listener* listener_ = nullptr;
    quint16 port_ = 0;
    QString error_;
};

}  // namespace tw::statsite
