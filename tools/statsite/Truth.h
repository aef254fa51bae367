// Ground truth: the rows a correct download must leave in the tables Game,
// Game_Player, Game_Player_Medal, Player_Playlist, Player and Clan, when the
// given gamertags are the tag list of a fresh database and each is downloaded
// once, in the given order, with the delivered settings (no experience-only
// download, no scan of all game lists). The format is described in README.md.
#pragma once

#include <QByteArray>
#include <QMap>
#include <QStringList>

#include "statsite/World.h"

namespace tw::statsite {

QByteArray truthText(const World& world, const QStringList& tags);

// A truth text read back, for comparing a database with it: per table the column
// names and the rows (fields joined by tabs, "\\N" for Null), rows sorted.
struct TruthTable {
    QList<QByteArray> columns;
    QList<QByteArray> rows;
};
QMap<QByteArray, TruthTable> parseTruth(const QByteArray& text);

}  // namespace tw::statsite
