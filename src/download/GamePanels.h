#pragma once
// The four detail panels of a game read into plain rows: page text in, rows
// out, nothing stored. A game reaches the staging tables only once all of
// its panels have been read this way (GameDetail.cpp), so a panel that fails
// leaves nothing of its game behind.

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdint>

namespace tw {

struct StatsRow {
    QString gamertag;
    double place = 0;
    QString teamColor;
    bool timeScore = false;  // the score is a time, in seconds
    int32_t score = 0;
};

struct KillsRow {
    QString gamertag;
    int32_t kills = 0;
    int32_t assists = 0;
    int32_t deaths = 0;
};

struct MedalRow {
    QString gamertag;
    QString medal;
    int32_t count = 0;
};

struct HitsRow {
    QString gamertag;
    int32_t hit = 0;
    int32_t fired = 0;
    int32_t toHead = 0;
};

struct GameRows {
    int32_t id = 0;
    bool partlyPurged = false;
    int32_t durationSeconds = 0;  // only when not partly purged
    QList<StatsRow> stats;
    QList<KillsRow> kills;
    QList<MedalRow> medals;
    QList<HitsRow> hits;
};

// Each reads one panel's page (UTF-8) into `rows`; a page without the rows
// or markers it must hold throws PageFailure.
void readStatsPanel(const QByteArray& page, GameRows& rows);
void readKillsPanel(const QByteArray& page, GameRows& rows);
void readMedalsPanel(const QByteArray& page, GameRows& rows);
void readHitsPanel(const QByteArray& page, GameRows& rows);

}  // namespace tw
