#pragma once
// The simulated site as its own process, and a plain HTTP/1.0 client that
// fetches targets one connection at a time: the raw work the download is
// measured against.

#include <QByteArray>
#include <QProcess>
#include <QStringList>

namespace tw::bench {

class SiteProcess {
  public:
    // Starts statsite on a free loopback port below 32768 (the port setting
    // is 16-bit signed). False when it does not come up.
    bool start(const QStringList& worldOptions);
    ~SiteProcess();
    quint16 port() const { return port_; }

  private:
    QProcess process_;
    quint16 port_ = 0;
};

// One GET over a fresh connection, read until the site closes. Returns the
// answer's bytes (empty on failure).
QByteArray plainFetch(quint16 port, const QByteArray& target);

// The featured player with the most games, and that number, from the site's
// world summary.
struct BenchPlayer {
    QString gamertag;
    int games = 0;
};
BenchPlayer busiestPlayer(quint16 port);

}  // namespace tw::bench
