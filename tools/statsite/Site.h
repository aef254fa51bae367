// The site behind the socket: turns a request into the bytes to send, from the
// world or from a folder of saved pages, with the faults of the current plan.
// Thread-safe: the server thread answers while a test or a control request
// grows the world or changes the faults.
#pragma once

#include <QHash>
#include <QMutex>
#include <QStringList>
#include <memory>
#include <optional>

#include "statsite/FaultPlan.h"
#include "statsite/HttpAnswer.h"
#include "statsite/SiteRoots.h"
#include "statsite/World.h"

namespace tw::statsite {

struct SiteConfig {
    WorldOptions world;
    SiteRoots roots;
    QString pagesFolder;  // non-empty: saved-pages mode
    FaultPlan faults;
};

struct SiteOutcome {
    WirePlan wire;
    bool stopListening = false;
};

class Site {
  public:
    explicit Site(const SiteConfig& config);
    ~Site();

    // The answer to one request head (request line and headers).
    SiteOutcome handle(const QByteArray& requestHead);
    // The answer to a target (or control request) without faults.
    HttpAnswer answerFor(const QByteArray& target);

    void setFaults(const FaultPlan& plan);
    FaultPlan faults() const;
    QList<qint32> grow(const QString& gamertag, int games);
    QByteArray truth(const QStringList& tags) const;
    QStringList featuredGamertags() const;
    QStringList unknownGamertags() const;
    // Request targets in the order the requests came, control requests included.
    QList<QByteArray> requestLog() const;
    // Every line received on every connection but those of control requests, raw
    // and with its line end, bytes after a request's blank line included: what a
    // request smuggled into another one would show up in.
    void recordRequestLines(const QList<QByteArray>& lines);
    QList<QByteArray> requestLines() const;
    void clearRequestLines();
    // Answers given to requests other than control requests, since the start or
    // the last "/control/served?clear".
    int answersServed() const;
    // A copy of the world as it stands, for checks against the pages.
    World worldSnapshot() const;

  private:
    HttpAnswer route(const QByteArray& target);
    HttpAnswer worldAnswer(const QByteArray& target);
    std::optional<HttpAnswer> browseAnswer(const QByteArray& target);
    HttpAnswer control(const QByteArray& target);
    QByteArray worldSummary() const;

    SiteConfig config_;
    std::unique_ptr<World> world_;
    mutable QMutex mutex_;
    QHash<QByteArray, int> redirectsSent_;
    int faultedAnswers_ = 0;
    int answers_ = 0;  // since the fault plan was set, for the stop after N answers
    int served_ = 0;
    QList<QByteArray> requestLog_;
    QList<QByteArray> requestLines_;
};

// The request target of a request head, with an absolute "http://host" form
// reduced to its path; empty when the head is no GET request.
QByteArray requestTarget(const QByteArray& requestHead);
// A received line made readable: CR as "\r", LF as "\n", other control bytes and
// bytes from 0x7F as "\xHH", a backslash doubled.
QByteArray escapedLine(const QByteArray& line);

}  // namespace tw::statsite
