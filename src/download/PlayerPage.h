#pragma once
// The player page phase: does the gamertag exist on the site; the player's
// clan, experience level per playlist, emblem colours and the two emblem
// pictures.

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdint>
#include <optional>

namespace tw {

struct DownloadContext;

enum class PlayerPageOutcome { NotFound, Stored };

// The texts by which the site says it does not know a gamertag.
bool isUnknownGamertagPage(const QByteArray& page);

// One playlist row of the player page.
struct PlaylistLevel {
    QString playlist;
    int32_t experienceLevel = 0;
    double nextLevelProgress = 0;  // percent
};

// What the player page says about the player.
struct PlayerPageFacts {
    std::optional<QString> clan;  // none when the page names no clan
    QList<PlaylistLevel> levels;
    QByteArray emblemQuery;  // the large emblem picture's query string
    int32_t primaryColourCode = 0;
    int32_t secondaryColourCode = 0;
};

// Reads a known player's page; PageFailure when a part the site always
// shows is missing or unreadable.
PlayerPageFacts readPlayerFacts(const QByteArray& page);

// The small black-and-white emblem's query, made from the large one's;
// PageFailure when the query lacks its colours or background.
QByteArray smallEmblemQuery(QByteArray query);

// Reads the player page the fetcher holds. An unknown gamertag is removed
// from the database's tag list, and row 2 shows it failed.
PlayerPageOutcome readPlayerPage(DownloadContext& context);

}  // namespace tw
