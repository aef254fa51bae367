#include "statsite/FaultPlan.h"

namespace tw::statsite {

namespace {

QList<qsizetype> cutPoints(const QByteArray& wire, const FaultPlan& plan) {
    QList<qsizetype> cuts;
    qsizetype from = 0;
    if (plan.splitHeaderBlank) {
        const qsizetype blank = wire.indexOf("\r\n\r\n");
        if (blank >= 0) {
            from = blank + 2;  // the first CR LF arrives, the second one later
            cuts.append(from);
        }
    }
    const int pieces = qMax(1, plan.splitWrites - static_cast<int>(cuts.size()));
    const qsizetype rest = wire.size() - from;
    for (int i = 1; i < pieces; ++i) {
        const qsizetype cut = from + rest * i / pieces;
        if (cut > from && cut < wire.size() && (cuts.isEmpty() || cut > cuts.last())) {
            cuts.append(cut);
        }
    }
    return cuts;
}

}  // namespace

bool FaultPlan::any() const {
    return redirectFirst > 0 || splitWrites > 1 || splitHeaderBlank || noContentLength ||
           upperCaseHtmlEnd || slowMs > 0 || resetAfterBytes >= 0 || closeAfterBytes >= 0 ||
           stopAfterRequests > 0;
}

FaultPlan FaultPlan::fromQuery(const QUrlQuery& query) {
    auto number = [&](const char* key, int fallback) {
        bool ok = false;
        const int value = query.queryItemValue(QLatin1String(key)).toInt(&ok);
        return ok ? value : fallback;
    };
    auto flag = [&](const char* key) { return query.hasQueryItem(QLatin1String(key)); };
    FaultPlan plan;
    plan.redirectFirst = number("redirect", 0);
    plan.splitWrites = number("split", 0);
    plan.splitPauseMs = number("split-pause", 0);
    plan.splitHeaderBlank = flag("split-header");
    plan.noContentLength = flag("no-content-length");
    plan.upperCaseHtmlEnd = flag("upper-html");
    plan.slowMs = number("slow", 0);
    plan.resetAfterBytes = number("reset-after", -1);
    plan.closeAfterBytes = number("close-after", -1);
    plan.stopAfterRequests = number("stop-after", 0);
    plan.match = query.queryItemValue(QStringLiteral("fault-match"), QUrl::FullyDecoded).toUtf8();
    plan.times = number("fault-times", 0);
    return plan;
}

QByteArray FaultPlan::describe() const {
    if (!any()) {
        return "no faults";
    }
    QByteArray text;
    auto add = [&](bool on, const QByteArray& what) {
        if (on) {
            text += (text.isEmpty() ? "" : ", ") + what;
        }
    };
    add(redirectFirst > 0, "redirect=" + QByteArray::number(redirectFirst));
    add(splitWrites > 1, "split=" + QByteArray::number(splitWrites));
    add(splitPauseMs > 0, "split-pause=" + QByteArray::number(splitPauseMs));
    add(splitHeaderBlank, "split-header");
    add(noContentLength, "no-content-length");
    add(upperCaseHtmlEnd, "upper-html");
    add(slowMs > 0, "slow=" + QByteArray::number(slowMs));
    add(resetAfterBytes >= 0, "reset-after=" + QByteArray::number(resetAfterBytes));
    add(closeAfterBytes >= 0, "close-after=" + QByteArray::number(closeAfterBytes));
    add(stopAfterRequests > 0, "stop-after=" + QByteArray::number(stopAfterRequests));
    add(!match.isEmpty(), "fault-match=" + match);
    add(times > 0, "fault-times=" + QByteArray::number(times));
    return text;
}

WirePlan shapeWire(const QByteArray& wire, const FaultPlan& plan) {
    QByteArray bytes = wire;
    WirePlan result;
    if (plan.resetAfterBytes >= 0) {
        bytes.truncate(plan.resetAfterBytes);
        result.reset = true;
    } else if (plan.closeAfterBytes >= 0) {
        bytes.truncate(plan.closeAfterBytes);
    }
    qsizetype from = 0;
    for (qsizetype cut : cutPoints(bytes, plan)) {
        result.steps.append({bytes.mid(from, cut - from),
                             result.steps.isEmpty() ? plan.slowMs : plan.splitPauseMs});
        from = cut;
    }
    result.steps.append(
        {bytes.mid(from), result.steps.isEmpty() ? plan.slowMs : plan.splitPauseMs});
    return result;
}

}  // namespace tw::statsite
