#include "statsite/Truth.h"

#include <QMap>
#include <QSet>
#include <algorithm>

namespace tw::statsite {

namespace {

const QByteArray kNull = "\\N";

struct PlayerRow {
    QByteArray name;
    QString clan;  // empty: Null
    QByteArray primary = kNull;
    QByteArray secondary = kNull;
    qint32 lastGameId = 0;
    bool downloaded = false;
    bool selectable = false;
    bool guest = false;
};

// Everything the download leaves, keyed as the tables are, so the output is sorted.
struct Tables {
    QMap<qint32, QByteArray> games;
    QMap<QPair<qint32, QByteArray>, QByteArray> gamePlayers;
    QMap<QByteArray, QByteArray> medals;  // key: id, tag, medal joined by tabs
    QMap<QByteArray, QByteArray> playlists;
    QMap<QByteArray, PlayerRow> players;  // keys are lower case: gamertag keys ignore case
    QSet<QByteArray> clans;
};

QByteArray line(const QList<QByteArray>& fields) {
    return fields.join('\t') + '\n';
}

QByteArray isoDate(const QDateTime& when) {
    return when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toLatin1();
}

// The name the detail panels give an entry: a guest carries its row number.
QByteArray shownName(const Game& game, int index) {
    const GameEntry& entry = game.entries[index];
    QByteArray name = entry.gamertag.toUtf8();
    if (entry.gamertag.contains(QStringLiteral("(G)"))) {
        name += " x" + QByteArray::number(index + 2);
    }
    return name;
}

void storeGame(Tables& tables, const Game& game) {
    tables.games.insert(
        game.id, line({QByteArray::number(game.id), game.type.toUtf8(), isoDate(game.played),
                       game.map.toUtf8(), game.playlist.toUtf8(), game.partiallyPurged ? "Y" : "N",
                       game.partiallyPurged ? kNull : QByteArray::number(game.durationSeconds)}));
    for (int i = 0; i < game.entries.size(); ++i) {
        const GameEntry& entry = game.entries[i];
        const QByteArray name = shownName(game, i);
        auto shots = [&](int value) {
            return game.partiallyPurged ? kNull : QByteArray::number(value);
        };
        tables.gamePlayers.insert(
            {game.id, name},
            line({QByteArray::number(game.id), name, QByteArray::number(entry.place),
                  entry.team.toUpper().toUtf8(), QByteArray::number(entry.score),
                  QByteArray::number(entry.kills), QByteArray::number(entry.assists),
                  QByteArray::number(entry.deaths), shots(entry.shotsFired), shots(entry.shotsHit),
                  shots(entry.shotsToHead)}));
        // A gamertag met again keeps its row and flags (the insert is a duplicate).
        if (!tables.players.contains(name.toLower())) {
            PlayerRow row;
            row.name = name;
            row.guest = name.contains("(G)");
            tables.players.insert(name.toLower(), row);
        }
        for (const EarnedMedal& medal : entry.medals) {
            if (game.partiallyPurged) {
                break;
            }
            const QByteArray key =
                QByteArray::number(game.id) + '\t' + name + '\t' + medal.name.toUtf8();
            tables.medals.insert(key, line({key, QByteArray::number(medal.count)}));
        }
    }
}

void downloadPlayer(const World& world, Tables& tables, const QByteArray& tag) {
    const SitePlayer* player = world.findPlayer(QString::fromUtf8(tag));
    if (player == nullptr) {
        tables.players.remove(tag.toLower());  // unknown to the site: the row is deleted
        return;
    }
    PlayerRow& row = tables.players[tag.toLower()];
    row.primary = QByteArray::number(player->emblem.primary);
    row.secondary = QByteArray::number(player->emblem.secondary);
    if (!player->clan.isEmpty()) {
        row.clan = player->clan;
        tables.clans.insert(player->clan.toUtf8());
    }
    for (const PlaylistLevel& level : world.levelsOf(*player)) {
        tables.playlists.insert(tag + '\t' + level.playlist.toUtf8(),
                                line({tag, level.playlist.toUtf8(), QByteArray::number(level.level),
                                      QByteArray::number(level.barWidth * 2)}));
    }
    qint32 newest = 0;
    for (int index : player->games) {
        const Game& game = world.games()[index];
        if (!tables.games.contains(game.id)) {
            newest = qMax(newest, game.id);
            storeGame(tables, game);
        }
    }
    // Without new games the download ends before the clean-up records anything.
    PlayerRow& after = tables.players[tag.toLower()];
    if (newest > after.lastGameId) {
        after.lastGameId = newest;
        after.downloaded = true;
    }
}

QByteArray flag(bool on) {
    return on ? "Y" : "N";
}

QByteArray render(const Tables& tables) {
    QByteArray out = "[Game]\n" + line({"Game_ID", "Type", "Date_Time_Stamp", "Map", "Playlist",
                                        "Was_Partially_Purged", "Duration_Seconds"});
    for (const QByteArray& row : tables.games) {
        out += row;
    }
    out += "[Game_Player]\n" +
           line({"Game_ID", "Player_Gamertag", "Finished_Place", "Team_Color", "Score", "Kills",
                 "Assists", "Deaths", "Shots_Fired", "Shots_Hit", "Shots_to_Head"});
    for (const QByteArray& row : tables.gamePlayers) {
        out += row;
    }
    out += "[Game_Player_Medal]\n" +
           line({"Game_ID", "Player_Gamertag", "Medal_Name", "Count_Earned"});
    for (const QByteArray& row : tables.medals) {
        out += row;
    }
    out += "[Player_Playlist]\n" +
           line({"Player_Gamertag", "Playlist", "Experience_Level", "Next_Level_Progress"});
    for (const QByteArray& row : tables.playlists) {
        out += row;
    }
    out += "[Player]\n" +
           line({"Player_Gamertag", "Clan_Name", "Primary_Color_Code", "Secondary_Color_Code",
                 "Personal_Quote", "Last_Game_ID", "Last_Download", "Is_Selectable", "Is_Friend",
                 "Is_Clan", "Is_Jerk", "Is_Guest"});
    for (const PlayerRow& row : tables.players) {
        out += line({row.name, row.clan.isEmpty() ? kNull : row.clan.toUtf8(), row.primary,
                     row.secondary, kNull, QByteArray::number(row.lastGameId),
                     row.downloaded ? "*" : kNull, flag(row.selectable), "N", "N", "N",
                     flag(row.guest)});
    }
    out += "[Clan]\n" + line({"Clan_Name", "Website_URL", "Column_3", "Column_4", "Column_5"});
    QList<QByteArray> clans(tables.clans.begin(), tables.clans.end());
    std::sort(clans.begin(), clans.end());
    for (const QByteArray& clan : clans) {
        out += line({clan, "", "", "", ""});
    }
    return out;
}

}  // namespace

QByteArray truthText(const World& world, const QStringList& tags) {
    Tables tables;
    QStringList order;
    QSet<QString> seen;
    for (const QString& tag : tags) {
        if (!tag.trimmed().isEmpty() && !seen.contains(tag.toLower())) {
            seen.insert(tag.toLower());
            order.append(tag);
        }
    }
    for (const QString& tag : order) {
        PlayerRow row;
        row.name = tag.toUtf8();
        row.selectable = true;
        tables.players.insert(row.name.toLower(), row);
    }
    for (const QString& tag : order) {
        downloadPlayer(world, tables, tag.toUtf8());
    }
    const WorldOptions& options = world.options();
    QByteArray header = "# statsite ground truth\n# seed=" + QByteArray::number(options.seed) +
                        " players=" + QByteArray::number(options.players) +
                        " games=" + QByteArray::number(world.games().size()) +
                        " page-size=" + QByteArray::number(options.pageSize) +
                        (options.accents ? " accents" : "") +
                        "\n# tags=" + order.join(QLatin1Char('|')).toUtf8() + "\n";
    return header + render(tables);
}

QMap<QByteArray, TruthTable> parseTruth(const QByteArray& text) {
    QMap<QByteArray, TruthTable> tables;
    TruthTable* current = nullptr;
    bool columnLine = false;
    for (const QByteArray& row : text.split('\n')) {
        if (row.isEmpty() || row.startsWith('#')) {
            continue;
        }
        if (row.startsWith('[') && row.endsWith(']')) {
            current = &tables[row.mid(1, row.size() - 2)];
            columnLine = true;
        } else if (current != nullptr && columnLine) {
            current->columns = row.split('\t');
            columnLine = false;
        } else if (current != nullptr) {
            current->rows.append(row);
        }
    }
    for (TruthTable& table : tables) {
        std::sort(table.rows.begin(), table.rows.end());
    }
    return tables;
}

}  // namespace tw::statsite
