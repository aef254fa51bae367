// Control requests: grow the world, read the ground truth, change the faults, list
// the world, show the received request lines and count the answers, all as plain
// text under "/control/". They are never faulted.
#include "statsite/PageText.h"
#include "statsite/Site.h"
#include "statsite/Truth.h"
#include "statsite/WorldBuilder.h"

namespace tw::statsite {

HttpAnswer Site::control(const QByteArray& target) {
    const qsizetype question = target.indexOf('?');
    const QByteArray path = question < 0 ? target : target.left(question);
    const QByteArray query = question < 0 ? QByteArray() : target.mid(question + 1);
    if (path == "/control/grow") {
        const QString tag = pagetext::queryValue(query, "tag");
        bool ok = false;
        const int count = pagetext::queryValue(query, "games").toInt(&ok);
        if (world_->findPlayer(tag) == nullptr || !ok || count < 1 || count > 100000) {
            return HttpAnswer::text(400, "grow needs tag=<known gamertag>&games=<1..100000>\n");
        }
        QByteArray ids;
        for (qint32 id : WorldBuilder::grow(*world_, tag, count)) {
            ids += ' ' + QByteArray::number(id);
        }
        return HttpAnswer::text(200, "added" + ids + "\n");
    }
    if (path == "/control/truth") {
        const QStringList tags = pagetext::queryValues(query, "tag");
        return HttpAnswer::text(
            200, truthText(*world_, tags.isEmpty() ? world_->featuredGamertags() : tags));
    }
    if (path == "/control/faults") {
        config_.faults = FaultPlan::fromQuery(QUrlQuery(QString::fromUtf8(query)));
        redirectsSent_.clear();
        faultedAnswers_ = 0;
        answers_ = 0;
        return HttpAnswer::text(200, config_.faults.describe() + "\n");
    }
    if (path == "/control/world") {
        return HttpAnswer::text(200, worldSummary());
    }
    if (path == "/control/requests") {
        QByteArray text;
        for (const QByteArray& line : requestLines_) {
            text += escapedLine(line) + '\n';
        }
        if (QUrlQuery(QString::fromLatin1(query)).hasQueryItem(QStringLiteral("clear"))) {
            requestLines_.clear();
            return HttpAnswer::text(200, "cleared\n");
        }
        return HttpAnswer::text(200, text);
    }
    if (path == "/control/served") {
        const QByteArray count = QByteArray::number(served_) + '\n';
        if (QUrlQuery(QString::fromLatin1(query)).hasQueryItem(QStringLiteral("clear"))) {
            served_ = 0;
        }
        return HttpAnswer::text(200, count);
    }
    return HttpAnswer::text(404, "unknown control request\n");
}

QByteArray Site::worldSummary() const {
    QByteArray text = "# gamertag\tgames\tpages\tfeatured\tclan\n";
    for (const SitePlayer& player : world_->players()) {
        text += player.gamertag.toUtf8() + '\t' + QByteArray::number(player.games.size()) + '\t' +
                QByteArray::number(world_->pageCount(player)) + '\t' +
                (player.featured ? "yes" : "no") + '\t' + player.clan.toUtf8() + '\n';
    }
    const QStringList unknown = world_->unknownGamertags();
    const char* signalTexts[] = {"400 Bad Request", "don't have stats", "1/01/0001 12:00 AM",
                                 "default_avatar.gif", "no Last Active"};
    for (int i = 0; i < unknown.size(); ++i) {
        text += "# unknown\t" + unknown[i].toUtf8() + '\t' + signalTexts[i] + '\n';
    }
    return text;
}

}  // namespace tw::statsite
