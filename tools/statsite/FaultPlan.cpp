#include "statsite/FaultPlan.h"

#include <climits>

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

// One line of the endless body; 1024 of them make one 64 KB write.
QByteArray endlessChunk() {
    QByteArray line = "<p class=\"More\">and the page goes on</p>";
    line += QByteArray(62 - line.size(), ' ') + "\r\n";
    return line.repeated(1024);
}

// The page as far as its closing tags, which never come.
QByteArray bodyWithoutEnd(const QByteArray& body) {
    const QByteArray lower = body.toLower();
    qsizetype end = lower.lastIndexOf("</body>");
    if (end < 0) {
        end = lower.lastIndexOf("</html>");
    }
    return end < 0 ? body : body.left(end);
}

}  // namespace

const QList<FaultOption>& faultOptions() {
    static const QList<FaultOption> options = {
        {"redirect", "K", "Answer \"302 Found\" to the first K requests of each target."},
        {"split", "N", "Send each answer in N writes."},
        {"split-pause", "MS", "Pause between those writes, in ms."},
        {"split-header", "", "End the first write inside the header's blank line."},
        {"no-content-length", "", "Leave out the Content-Length header."},
        {"upper-html", "", "Send </html> as </HTML>."},
        {"slow", "MS", "Wait MS milliseconds before answering."},
        {"reset-after", "N", "Reset the connection after N bytes of the answer."},
        {"close-after", "N", "Close the connection after N bytes of the answer."},
        {"stop-after", "N", "Stop listening after N answers (connections are then refused)."},
        {"endless", "", "Answers without Content-Length whose body never ends."},
        {"body-302", "", "\"302 Found\" near the top of the body of a 200 page."},
        {"bad-number", "ID", "The kills panel of game ID shows kills past the 32-bit range."},
        {"negative-number", "ID", "The kills panel of game ID shows kills of -3."},
        {"no-page-param", "", "The game list's last-page link has no &page=N."},
        {"no-game-length", "ID", "The stats panel of game ID has no \"Game Length:\"."},
        {"emblem-crlf", "", "The player page's emblem address holds CR LF and a second request."},
        {"fault-match", "TEXT", "Faults only for targets containing TEXT."},
        {"fault-times", "N",
         "Faults (other than redirects) only for the first N matching requests."},
    };
    return options;
}

bool FaultPlan::anyWriteFault() const {
    return splitWrites > 1 || splitHeaderBlank || noContentLength || upperCaseHtmlEnd ||
           slowMs > 0 || resetAfterBytes >= 0 || closeAfterBytes >= 0 || endless;
}

bool FaultPlan::any() const {
    return redirectFirst > 0 || stopAfterRequests > 0 || anyWriteFault() || body302 ||
           badNumberGame != 0 || negativeNumberGame != 0 || noPageParam || noGameLengthGame != 0 ||
           emblemCrlf;
}

FaultPlan FaultPlan::fromQuery(const QUrlQuery& query) {
    // A count too large for an int means "always": "redirect=99999999999" is a
    // site that always redirects, not one that never does.
    auto number = [&](const char* key, int fallback) {
        bool ok = false;
        const qlonglong value = query.queryItemValue(QLatin1String(key)).toLongLong(&ok);
        return ok ? static_cast<int>(qBound(qlonglong{INT_MIN}, value, qlonglong{INT_MAX}))
                  : fallback;
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
    plan.endless = flag("endless");
    plan.body302 = flag("body-302");
    plan.badNumberGame = number("bad-number", 0);
    plan.negativeNumberGame = number("negative-number", 0);
    plan.noPageParam = flag("no-page-param");
    plan.noGameLengthGame = number("no-game-length", 0);
    plan.emblemCrlf = flag("emblem-crlf");
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
    auto game = [](const char* key, qint32 id) { return key + ('=' + QByteArray::number(id)); };
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
    add(endless, "endless");
    add(body302, "body-302");
    add(badNumberGame != 0, game("bad-number", badNumberGame));
    add(negativeNumberGame != 0, game("negative-number", negativeNumberGame));
    add(noPageParam, "no-page-param");
    add(noGameLengthGame != 0, game("no-game-length", noGameLengthGame));
    add(emblemCrlf, "emblem-crlf");
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

WirePlan faultedWire(HttpAnswer answer, const FaultPlan& plan) {
    if (plan.upperCaseHtmlEnd) {
        answer.body.replace("</html>", "</HTML>");
    }
    if (!plan.endless) {
        return shapeWire(answer.wire(!plan.noContentLength), plan);
    }
    answer.body = bodyWithoutEnd(answer.body);
    QByteArray wire = answer.wire(false);
    const QByteArray chunk = endlessChunk();
    const int cutAfter = plan.resetAfterBytes >= 0 ? plan.resetAfterBytes : plan.closeAfterBytes;
    if (cutAfter >= 0) {
        // Cut short anyway: the endless body only needs to reach the cut.
        while (wire.size() < cutAfter) {
            wire += chunk;
        }
        return shapeWire(wire, plan);
    }
    WirePlan result = shapeWire(wire, plan);
    result.endlessChunk = chunk;
    return result;
}

}  // namespace tw::statsite
