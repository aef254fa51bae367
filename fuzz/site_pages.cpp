// The player page and game list readers: the unknown-gamertag test, the
// player's clan, levels and emblem, the game list's rows and page count, and
// the page's charset and its turning into UTF-8, which every scraper reads
// from.

#include <QString>
#include <cmath>

#include "FuzzCheck.h"
#include "download/GameList.h"
#include "download/PageCharset.h"
#include "download/PageReading.h"
#include "download/PlayerPage.h"

using namespace tw;

namespace {

void readPlayer(const QByteArray& page) {
    try {
        const PlayerPageFacts facts = readPlayerFacts(page);
        for (const PlaylistLevel& level : facts.levels) {
            fuzz::require(level.experienceLevel >= 0, "an experience level is not negative");
            fuzz::require(!std::isnan(level.nextLevelProgress), "a level progress is a number");
        }
        smallEmblemQuery(facts.emblemQuery);
    } catch (const PageFailure&) {
        // A player page without a part the site always shows.
    }
}

void readGameList(const QByteArray& page) {
    try {
        const GameListRows all = readGameListRows(page, std::nullopt);
        fuzz::require(!all.reachedStopGame, "no stop game, no stop");
        for (const ListedGame& game : all.games) {
            fuzz::require(game.id > 0, "a listed game id is positive");
        }
        if (all.games.isEmpty()) {
            return;
        }
        // Stopping at a listed game gives exactly the games before its first
        // appearance.
        const int32_t stop = all.games.back().id;
        const GameListRows upTo = readGameListRows(page, stop);
        fuzz::require(upTo.reachedStopGame, "the stop game is met");
        qsizetype first = 0;
        while (all.games[first].id != stop) {
            ++first;
        }
        fuzz::require(upTo.games.size() == first, "the games before the stop game are kept");
    } catch (const PageFailure&) {
        // A row without its cells.
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray raw = fuzz::inputBytes(data, size);
    const QByteArray charset = declaredCharset(raw);
    fuzz::require(charset == charset.toLower(), "a declared charset is lower case");

    const QByteArray page = pageAsUtf8(raw);
    // A page that declares UTF-8 is taken at its word, stray bytes and all;
    // any other comes out as valid UTF-8.
    if (charset == "utf-8" || charset == "utf8") {
        fuzz::require(page == raw, "a page declared UTF-8 is kept as it is");
    } else {
        fuzz::require(QString::fromUtf8(page).toUtf8() == page, "a page becomes valid UTF-8");
    }
    bool ascii = true;
    for (const char c : raw) {
        ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    }
    fuzz::require(!ascii || page == raw, "plain ASCII is unchanged");

    QByteArray back;
    fuzz::require(toWindows1252(fromWindows1252(raw), &back) && back == raw,
                  "every windows-1252 byte keeps a character of its own");

    if (!isUnknownGamertagPage(page)) {
        readPlayer(page);
    }
    readGameList(page);
    try {
        const int16_t pages = gameListPageCount(page);
        fuzz::require(pages >= 1, "a game list has at least one page");
    } catch (const PageFailure&) {
        // A pager without a usable count.
    }
    return 0;
}
