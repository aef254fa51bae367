#include "statsite/Site.h"

#include "statsite/ContentFaults.h"
#include "statsite/PageFrame.h"
#include "statsite/Truth.h"
#include "statsite/WorldBuilder.h"

namespace tw::statsite {

QByteArray requestTarget(const QByteArray& requestHead) {
    const qsizetype lineEnd = requestHead.indexOf('\n');
    const QList<QByteArray> parts =
        requestHead.left(lineEnd < 0 ? requestHead.size() : lineEnd).trimmed().split(' ');
    if (parts.size() < 2 || parts[0] != "GET" || parts[1].isEmpty()) {
        return {};
    }
    QByteArray target = parts[1];
    // A proxy passes the absolute form, and settings written for a proxy may put
    // "host:port" before the path; the host part plays no role here.
    if (target.toLower().startsWith("http://")) {
        target.remove(0, 7);
    }
    if (!target.startsWith('/')) {
        const qsizetype slash = target.indexOf('/');
        target = slash < 0 ? QByteArray("/") : target.mid(slash);
    }
    return target;
}

QByteArray escapedLine(const QByteArray& line) {
    QByteArray text;
    for (char c : line) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\r') {
            text += "\\r";
        } else if (c == '\n') {
            text += "\\n";
        } else if (c == '\\') {
            text += "\\\\";
        } else if (byte < 0x20 || byte >= 0x7F) {
            text += "\\x" + QByteArray::number(byte, 16).toUpper().rightJustified(2, '0');
        } else {
            text += c;
        }
    }
    return text;
}

Site::Site(const SiteConfig& config)
    : config_(config), world_(std::make_unique<World>(WorldBuilder::build(config.world))) {}

Site::~Site() = default;

SiteOutcome Site::handle(const QByteArray& requestHead) {
    QMutexLocker lock(&mutex_);
    const QByteArray target = requestTarget(requestHead);
    requestLog_.append(target);
    SiteOutcome outcome;
    if (target.isEmpty()) {
        const HttpAnswer refusal = HttpAnswer::page(
            400, "<html><head>" + pageframe::charsetMeta() +
                     "<title>400 Bad Request</title></head><body><h1>Bad Request</h1>"
                     "<p>Only GET requests are served.</p></body></html>\r\n");
        outcome.wire = shapeWire(refusal.wire(), FaultPlan{});
        return outcome;
    }
    if (target.startsWith("/control/")) {
        outcome.wire = shapeWire(control(target).wire(), FaultPlan{});
        return outcome;
    }
    const FaultPlan& plan = config_.faults;
    if (plan.stopAfterRequests > 0 && answers_ >= plan.stopAfterRequests) {
        // The site is down; a connection it had accepted before gets no answer.
        outcome.wire.reset = true;
        return outcome;
    }
    ++answers_;
    ++served_;
    outcome.stopListening = plan.stopAfterRequests > 0 && answers_ >= plan.stopAfterRequests;
    const bool matches = plan.match.isEmpty() || target.contains(plan.match);
    if (matches && plan.redirectFirst > 0 && redirectsSent_.value(target) < plan.redirectFirst) {
        ++redirectsSent_[target];
        outcome.wire = shapeWire(HttpAnswer::redirect(target).wire(), FaultPlan{});
        return outcome;
    }
    const HttpAnswer answer = route(target);
    if (matches && (plan.times <= 0 || faultedAnswers_ < plan.times)) {
        // A fault counts against the times only where it changes the answer: a
        // game's panel fault lets every other page pass.
        HttpAnswer faulted = answer;
        const bool changed = applyContentFaults(faulted, config_.roots, target, plan);
        if (changed || plan.anyWriteFault()) {
            ++faultedAnswers_;
            outcome.wire = faultedWire(faulted, plan);
            return outcome;
        }
    }
    outcome.wire = shapeWire(answer.wire(), FaultPlan{});
    return outcome;
}

HttpAnswer Site::answerFor(const QByteArray& target) {
    QMutexLocker lock(&mutex_);
    return target.startsWith("/control/") ? control(target) : route(target);
}

void Site::setFaults(const FaultPlan& plan) {
    QMutexLocker lock(&mutex_);
    config_.faults = plan;
    redirectsSent_.clear();
    faultedAnswers_ = 0;
    answers_ = 0;
}

FaultPlan Site::faults() const {
    QMutexLocker lock(&mutex_);
    return config_.faults;
}

QList<qint32> Site::grow(const QString& gamertag, int games) {
    QMutexLocker lock(&mutex_);
    return WorldBuilder::grow(*world_, gamertag, games);
}

QByteArray Site::truth(const QStringList& tags) const {
    QMutexLocker lock(&mutex_);
    return truthText(*world_, tags.isEmpty() ? world_->featuredGamertags() : tags);
}

QStringList Site::featuredGamertags() const {
    QMutexLocker lock(&mutex_);
    return world_->featuredGamertags();
}

QStringList Site::unknownGamertags() const {
    QMutexLocker lock(&mutex_);
    return world_->unknownGamertags();
}

QList<QByteArray> Site::requestLog() const {
    QMutexLocker lock(&mutex_);
    return requestLog_;
}

void Site::recordRequestLines(const QList<QByteArray>& lines) {
    QMutexLocker lock(&mutex_);
    requestLines_ += lines;
}

QList<QByteArray> Site::requestLines() const {
    QMutexLocker lock(&mutex_);
    return requestLines_;
}

void Site::clearRequestLines() {
    QMutexLocker lock(&mutex_);
    requestLines_.clear();
}

int Site::answersServed() const {
    QMutexLocker lock(&mutex_);
    return served_;
}

World Site::worldSnapshot() const {
    QMutexLocker lock(&mutex_);
    return *world_;
}

}  // namespace tw::statsite
