// One accepted connection: reads the request head, asks the site for the answer
// and writes it out as the wire plan says (pauses, several writes, a reset, an
// orderly close, or a body without end), then closes: HTTP/1.0, one answer per
// connection. Every line it receives goes to the site's request record.
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
    ~Connection() override;

    void abort();

  signals:
    void stopListeningRequested();

  private:
    void readHead();
    void receive(const QByteArray& bytes);
    void recordLines(bool evenUnfinished);
    void sendNext();
    void writeStep(const QByteArray& bytes);
    void onBytesWritten();
    void finish();
    void resetConnection();

    QTcpSocket* socket_;
    std::shared_ptr<Site> site_;
    QByteArray head_;
    QByteArray unrecorded_;  // received bytes not yet in the site's record
    qsizetype received_ = 0;
    bool recorded_ = true;  // false for control requests, which the record leaves out
    WirePlan plan_;
    qsizetype next_ = 0;
    bool answering_ = false;
    bool draining_ = false;
    QTimer idle_;
};

}  // namespace tw::statsite
