// One accepted connection: reads the request head, asks the site for the answer
// and writes it out as the wire plan says (pauses, several writes, a reset or
// an orderly close), then closes: HTTP/1.0, one answer per connection.
#pragma once

#include <QObject>
#include <QTcpSocket>
#include <QTimer>
#include <memory>

#include "statsite/Site.h"

namespace tw::statsite {

class Connection : public QObject {
    Q_OBJECT

  public:
    Connection(QTcpSocket* socket, std::shared_ptr<Site> site, QObject* parent);

    void abort();

  signals:
    void stopListeningRequested();

  private:
    void readHead();
    void sendNext();
    void writeStep(const QByteArray& bytes);
    void onBytesWritten();
    void finish();
    void resetConnection();

    QTcpSocket* socket_;
    std::shared_ptr<Site> site_;
    QByteArray head_;
    WirePlan plan_;
    qsizetype next_ = 0;
    bool answering_ = false;
    bool draining_ = false;
    QTimer idle_;
};

}  // namespace tw::statsite
