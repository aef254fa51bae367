#include "statsite/MiniDownload.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <algorithm>

#include "statsite/Truth.h"
#include "statsite/WireClient.h"

namespace statsite_test {

namespace {

QByteArray line(const QList<QByteArray>& fields) {
    return fields.join('\t');
}

QByteArray isoFromUs(const QByteArray& text) {
    const QDateTime when =
        QDateTime::fromString(QString::fromLatin1(text), QStringLiteral("M/d/yyyy h:mm AP"));
    return when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toLatin1();
}

QByteArray wholeNumber(const QByteArray& text) {
    return QByteArray::number(static_cast<qlonglong>(std::llround(leadingNumber(text))));
}

QByteArray key(qint32 id, const QByteArray& name) {
    return QByteArray::number(id) + '\t' + name.toLower();
}

}  // namespace

QByteArray MiniDownload::page(const QByteArray& target) {
    const WireResult result = fetch(port_, target);
    EXPECT_EQ(result.end, WireEnd::Closed) << target.constData();
    return result.bytes;  // the program searches header and body alike
}

void MiniDownload::addTag(const QByteArray& tag) {
    PlayerRow row;
    row.name = tag;
    row.selectable = true;
    players_.insert(tag.toLower(), row);
}

void MiniDownload::download(const QByteArray& tag) {
    const ScrapedPlayer player = scrapePlayer(page(roots_.stats.toUtf8() + urlEncode(tag)));
    if (player.notFound) {
        players_.remove(tag.toLower());
        return;
    }
    readPlayerPage(tag, player);
    const QList<qint32> gameIds = readGameList(tag);
    if (gameIds.isEmpty()) {
        return;  // "No new games found": no clean-up
    }
    for (auto it = gameIds.crbegin(); it != gameIds.crend(); ++it) {
        readGame(*it);
    }
    cleanup(tag, gameIds.first());
}

void MiniDownload::readPlayerPage(const QByteArray& tag, const ScrapedPlayer& player) {
    PlayerRow* row = players_.contains(tag.toLower()) ? &players_[tag.toLower()] : nullptr;
    if (player.hasClan) {
        clans_.insert(player.clan);
        if (row != nullptr) {
            row->clan = player.clan;
        }
    }
    for (auto it = playlists_.begin(); it != playlists_.end();) {
        it = it.key().startsWith(tag.toLower() + '\t') ? playlists_.erase(it) : std::next(it);
    }
    for (const ScrapedLevel& level : player.levels) {
        const QByteArray rowKey = tag.toLower() + '\t' + level.playlist.toLower();
        if (!playlists_.contains(rowKey)) {
            playlists_.insert(rowKey, line({tag, level.playlist, wholeNumber(level.level),
                                            QByteArray::number(level.progress)}));
        }
    }
    if (row != nullptr) {
        row->primary = QByteArray::number(player.primary);
        row->secondary = QByteArray::number(player.secondary);
    }
    for (const QByteArray& query : {player.query, player.smallQuery}) {
        const WireResult picture = fetch(port_, roots_.image.toUtf8() + query);
        EXPECT_TRUE(picture.body().startsWith("\xFF\xD8")) << query.constData();
    }
}

QList<qint32> MiniDownload::readGameList(const QByteArray& tag) {
    const QByteArray root = roots_.games.toUtf8() + urlEncode(tag);
    QByteArray current = page(root + "&page=12");
    if (inStr(1, current, "class=\"IBBPagerLastPage\"") == 0) {
        current = page(root);
    }
    const int pages = scrapePageCount(current);
    const qint32 lastGameId = players_.value(tag.toLower()).lastGameId;
    bool reachedKnown = false;
    for (int n = 1; n <= pages && !reachedKnown; ++n) {
        for (const ScrapedGame& game :
             scrapeGameRows(page(root + "&page=" + QByteArray::number(n)))) {
            if (game.id == lastGameId) {
                reachedKnown = true;
                break;
            }
            if (!games_.contains(game.id)) {
                games_.insert(game.id,
                              GameRow{game.type, isoFromUs(game.date), game.map, game.playlist});
            }
        }
    }
    QList<qint32> newGames;
    for (auto it = games_.constBegin(); it != games_.constEnd(); ++it) {
        if (!gamesWithPlayers_.contains(it.key())) {
            newGames.prepend(it.key());  // descending ids
        }
    }
    return newGames;
}

void MiniDownload::readGame(qint32 id) {
    const QByteArray root = roots_.detail.toUtf8() + QByteArray::number(id);
    const ScrapedStats stats = scrapeStats(page(root + "&panel=stats"));
    GameRow& game = games_[id];
    game.purged = stats.purged ? "Y" : "N";
    if (!stats.purged) {
        game.duration = QByteArray::number(timeTextSeconds(stats.length));
    }
    for (const ScrapedEntry& entry : stats.entries) {
        const QByteArray score = entry.score.contains(':')
                                     ? QByteArray::number(timeTextSeconds(entry.score))
                                     : wholeNumber(entry.score);
        panel1_.append({id, entry.name, {QByteArray::number(entry.place), entry.color, score}});
    }
    for (const ScrapedEntry& entry : scrapeKills(page(root + "&panel=kills"))) {
        panel2_.append({id, entry.name, entry.values});
    }
    if (stats.purged) {
        return;
    }
    for (const ScrapedMedal& medal : scrapeMedals(page(root + "&panel=medals"))) {
        panel4_.append({id, medal.name, {medal.medal, QByteArray::number(medal.count)}});
    }
    for (const ScrapedEntry& entry : scrapeHits(page(root + "&panel=hits"))) {
        panel5_.append({id, entry.name, entry.values});
    }
}

void MiniDownload::cleanup(const QByteArray& tag, qint32 lastDone) {
    PlayerRow* owner = players_.contains(tag.toLower()) ? &players_[tag.toLower()] : nullptr;
    if (owner != nullptr && lastDone > owner->lastGameId) {
        owner->lastGameId = lastDone;
        owner->downloaded = true;
    }
    for (const Staged& row : panel1_) {
        if (!players_.contains(row.name.toLower())) {
            PlayerRow player;
            player.name = row.name;
            player.guest = row.name.contains("(G)");
            players_.insert(row.name.toLower(), player);
        }
    }
    for (const Staged& stats : panel1_) {
        const auto same = [&](const Staged& other) {
            return other.id == stats.id && other.name.toLower() == stats.name.toLower();
        };
        const auto kills = std::find_if(panel2_.cbegin(), panel2_.cend(), same);
        const auto hits = std::find_if(panel5_.cbegin(), panel5_.cend(), same);
        if (kills == panel2_.cend() || gamePlayers_.contains(key(stats.id, stats.name))) {
            continue;
        }
        const QList<QByteArray> shots =
            hits == panel5_.cend()
                ? QList<QByteArray>{"\\N", "\\N", "\\N"}
                : QList<QByteArray>{hits->values[1], hits->values[0], hits->values[2]};
        gamePlayers_.insert(key(stats.id, stats.name),
                            line({QByteArray::number(stats.id), stats.name}) + '\t' +
                                line(stats.values) + '\t' + line(kills->values) + '\t' +
                                line(shots));
        gamesWithPlayers_.insert(stats.id);
    }
    for (const Staged& medal : panel4_) {
        const QByteArray medalKey = key(medal.id, medal.name) + '\t' + medal.values[0].toLower();
        if (!medals_.contains(medalKey)) {
            medals_.insert(medalKey, line({QByteArray::number(medal.id), medal.name,
                                           medal.values[0], medal.values[1]}));
        }
    }
    panel1_.clear();
    panel2_.clear();
    panel4_.clear();
    panel5_.clear();
    for (auto it = games_.begin(); it != games_.end();) {
        it = gamesWithPlayers_.contains(it.key()) ? std::next(it) : games_.erase(it);
    }
}

QMap<QByteArray, QList<QByteArray>> MiniDownload::tables() const {
    QMap<QByteArray, QList<QByteArray>> out;
    for (const char* table :
         {"Game", "Game_Player", "Game_Player_Medal", "Player_Playlist", "Player", "Clan"}) {
        out[table];
    }
    for (auto it = games_.constBegin(); it != games_.constEnd(); ++it) {
        const GameRow& g = it.value();
        out["Game"].append(line({QByteArray::number(it.key()), g.type, g.date, g.map, g.playlist,
                                 g.purged, g.duration}));
    }
    out["Game_Player"] = gamePlayers_.values();
    out["Game_Player_Medal"] = medals_.values();
    out["Player_Playlist"] = playlists_.values();
    for (const PlayerRow& p : players_) {
        out["Player"].append(
            line({p.name, p.clan.isEmpty() ? "\\N" : p.clan, p.primary, p.secondary, "\\N",
                  QByteArray::number(p.lastGameId), p.downloaded ? "*" : "\\N",
                  p.selectable ? "Y" : "N", "N", "N", "N", p.guest ? "Y" : "N"}));
    }
    for (const QByteArray& clan : clans_) {
        out["Clan"].append(line({clan, "", "", "", ""}));
    }
    for (QList<QByteArray>& rows : out) {
        std::sort(rows.begin(), rows.end());
    }
    return out;
}

QMap<QByteArray, QList<QByteArray>> truthTables(const QByteArray& truth) {
    QMap<QByteArray, QList<QByteArray>> out;
    const auto tables = tw::statsite::parseTruth(truth);
    for (auto it = tables.constBegin(); it != tables.constEnd(); ++it) {
        out.insert(it.key(), it.value().rows);
    }
    return out;
}

}  // namespace statsite_test
