#include "statsite/ContentFaults.h"

namespace tw::statsite {

namespace {

// As a page that echoes a searched-for gamertag "302 Found" would show it: at the
// top of the body, so it arrives together with the header.
bool echo302(QByteArray& body) {
    const qsizetype open = body.toLower().indexOf("<body");
    qsizetype at = open < 0 ? 0 : body.indexOf('>', open) + 1;
    if (body.mid(at, 2) == "\r\n") {
        at += 2;
    }
    body.insert(at, "<div class=\"Search\">Last search: 302 Found</div>\r\n");
    return true;
}

// The kills cell follows the player cell of its row.
bool replaceKills(QByteArray& body, qsizetype row, const QByteArray& value) {
    static const QByteArray cell = "<td class=\"Num\"><span class=\"ContentText\">";
    const qsizetype start = row < 0 ? -1 : body.indexOf(cell, row);
    const qsizetype end = start < 0 ? -1 : body.indexOf("</span>", start);
    if (end < 0) {
        return false;
    }
    body.replace(start + cell.size(), end - start - cell.size(), value);
    return true;
}

bool dropGameLength(QByteArray& body) {
    const qsizetype label = body.indexOf("Game Length:");
    if (label < 0) {
        return false;
    }
    const qsizetype open = body.lastIndexOf("<td>", label);
    const qsizetype close = body.indexOf("</td>", label);
    if (open < 0 || close < 0) {
        body.remove(label, 12);
    } else {
        body.remove(open, close + 5 - open);
    }
    return true;
}

bool dropPageParameter(QByteArray& body) {
    const qsizetype link = body.indexOf("class=\"IBBPagerLastPage\"");
    const qsizetype tagEnd = link < 0 ? -1 : body.indexOf('>', link);
    const qsizetype param = link < 0 ? -1 : body.indexOf("&page=", link);
    if (param < 0 || param > tagEnd) {
        return false;
    }
    qsizetype end = param + 6;
    while (end < body.size() && body[end] >= '0' && body[end] <= '9') {
        ++end;
    }
    body.remove(param, end - param);
    return true;
}

bool injectIntoEmblem(QByteArray& body) {
    const qsizetype image = body.indexOf("id=\"imgEmblem\"");
    const qsizetype src = image < 0 ? -1 : body.indexOf("src=\"", image);
    const qsizetype end = src < 0 ? -1 : body.indexOf('"', src + 5);
    if (end < 0) {
        return false;
    }
    body.insert(end, kEmblemInjection);
    return true;
}

}  // namespace

bool applyContentFaults(HttpAnswer& answer, const SiteRoots& roots, const QByteArray& target,
                        const FaultPlan& plan) {
    if (!answer.contentType.startsWith("text/html") || answer.status != 200) {
        return false;
    }
    QByteArray& body = answer.body;
    bool changed = false;
    if (const auto detail = detailRequestOf(roots, target)) {
        const qint32 id = detail->id.toInt();
        const QString panel = detail->panel.isEmpty() ? QStringLiteral("stats") : detail->panel;
        if (panel == QLatin1String("kills") && id != 0) {
            // One player's row each: the first for the number too large, the last
            // for the negative one.
            if (id == plan.badNumberGame) {
                changed |= replaceKills(body, body.indexOf("grdkills__ctl"), kBadNumber);
            }
            if (id == plan.negativeNumberGame) {
                changed |= replaceKills(body, body.lastIndexOf("grdkills__ctl"), kNegativeNumber);
            }
        }
        if (panel == QLatin1String("stats") && id != 0 && id == plan.noGameLengthGame) {
            changed |= dropGameLength(body);
        }
    }
    if (plan.noPageParam) {
        changed |= dropPageParameter(body);
    }
    if (plan.emblemCrlf) {
        changed |= injectIntoEmblem(body);
    }
    if (plan.body302) {
        changed |= echo302(body);
    }
    return changed;
}

}  // namespace tw::statsite
