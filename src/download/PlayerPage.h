#pragma once
// The player page phase: does the gamertag exist on the site; the player's
// clan, experience level per playlist, emblem colours and the two emblem
// pictures.

#include <QByteArray>

namespace tw {

struct DownloadContext;

enum class PlayerPageOutcome { NotFound, Stored };

// The texts by which the site says it does not know a gamertag.
bool isUnknownGamertagPage(const QByteArray& page);

// Reads the player page the fetcher holds. An unknown gamertag is removed
// from the database's tag list, and row 2 shows it failed.
PlayerPageOutcome readPlayerPage(DownloadContext& context);

}  // namespace tw
