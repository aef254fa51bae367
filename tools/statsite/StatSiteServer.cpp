#include "statsite/StatSiteServer.h"

#include "statsite/Listener.h"

namespace tw::statsite {

StatSiteServer::StatSiteServer(const SiteConfig& config) : site_(std::make_shared<Site>(config)) {}

StatSiteServer::~StatSiteServer() {
    stop();
}

quint16 StatSiteServer::start(quint16 port, const QHostAddress& address) {
    stop();
    thread_.start();
    listener_ = new Listener(site_);
    listener_->moveToThread(&thread_);
    QString error;
    quint16 bound = 0;
    QMetaObject::invokeMethod(
        listener_, [&] { bound = listener_->listen(address, port, &error); },
        Qt::BlockingQueuedConnection);
    port_ = bound;
    error_ = error;
    if (bound == 0) {
        stop();
    }
    return bound;
}

void StatSiteServer::stop() {
    if (listener_ != nullptr) {
        Listener* listener = listener_;
        QMetaObject::invokeMethod(
            listener,
            [listener] {
                listener->closeAll();
                delete listener;
            },
            Qt::BlockingQueuedConnection);
        listener_ = nullptr;
    }
    if (thread_.isRunning()) {
        thread_.quit();
        thread_.wait();
    }
}

bool StatSiteServer::isListening() const {
    if (listener_ == nullptr) {
        return false;
    }
    bool listening = false;
    QMetaObject::invokeMethod(
        listener_, [&] { listening = listener_->isListening(); }, Qt::BlockingQueuedConnection);
    return listening;
}

int StatSiteServer::openConnections() const {
    if (listener_ == nullptr) {
        return 0;
    }
    int count = 0;
    QMetaObject::invokeMethod(
        listener_, [&] { count = listener_->connectionCount(); }, Qt::BlockingQueuedConnection);
    return count;
}

}  // namespace tw::statsite
