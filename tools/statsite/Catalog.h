// The fixed vocabulary of the site's world: playlists and what they allow, game
// types, maps, team colours, words for gamertags and clan names.
#pragma once

#include <QString>
#include <QStringList>

namespace tw::statsite {

inline const QString kArrangedGame = QStringLiteral("Arranged Game");

struct PlaylistRule {
    QString name;
    int minPlayers = 2;
    int maxPlayers = 2;
    int weight = 1;
    QStringList types;  // the game types it serves
};

namespace catalog {

// The five ranked playlists every player page lists, in ascending name order,
// then the custom games' "Arranged Game".
const QList<PlaylistRule>& playlists();
QStringList rankedPlaylistNames();
// Playlists some players also show on their page (after the five ranked ones).
QStringList extraPlaylistNames();
QStringList allGameTypes();
bool isTeamType(const QString& type);
// Game types whose scores are times (shown hh:mm:ss).
bool isTimedType(const QString& type);
const QStringList& maps();
const QStringList& teamColors();
const QStringList& clanNames();
const QStringList& nameWords();
const QStringList& nameAdjectives();

}  // namespace catalog
}  // namespace tw::statsite
