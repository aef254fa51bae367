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
    QList<QByteArray> requestLog() const;
    // A copy of the world as it stands, for checks against the pages.
    World worldSnapshot() const;

  private:
    HttpAnswer route(const QByteArray& target);
    HttpAnswer worldAnswer(const QByteArray& target);
    std::optional<HttpAnswer> browseAnswer(const QByteArray& target);
    HttpAnswer control(const QByteArray& target);
    QByteArray worldSummary() const;
    bool faultApplies(const QByteArray& target);

    SiteConfig config_;
    std::unique_ptr<World> world_;
    mutable QMutex mutex_;
    QHash<QByteArray, int> redirectsSent_;
    int faultedAnswers_ = 0;
    int answers_ = 0;
    QList<QByteArray> requestLog_;
};

// The request target of a request head, with an absolute "http://host" form
// reduced to its path; empty when the head is no GET request.
QByteArray requestTarget(const QByteArray& requestHead);

}  // namespace tw::statsite
