// The four detail panels of a game: page text in, rows out; a page that
// lacks what it must hold is PageFailure. The first byte picks the panel.

#include "FuzzCheck.h"
#include "download/GamePanels.h"
#include "download/PageReading.h"

using namespace tw;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) {
        return 0;
    }
    const QByteArray page = fuzz::inputBytes(data + 1, size - 1);
    GameRows rows;
    try {
        switch (data[0] % 4) {
            case 0:
                readStatsPanel(page, rows);
                fuzz::require(!rows.stats.isEmpty(), "a read stats panel has rows");
                fuzz::require(rows.durationSeconds >= 0, "a game length is not negative");
                break;
            case 1:
                readKillsPanel(page, rows);
                for (const KillsRow& row : rows.kills) {
                    fuzz::require(row.kills >= 0 && row.assists >= 0 && row.deaths >= 0,
                                  "kill counts are not negative");
                }
                fuzz::require(!rows.kills.isEmpty(), "a read kills panel has rows");
                break;
            case 2:
                readMedalsPanel(page, rows);
                for (const MedalRow& row : rows.medals) {
                    fuzz::require(row.count >= 0, "a medal count is not negative");
                }
                break;
            default:
                readHitsPanel(page, rows);
                for (const HitsRow& row : rows.hits) {
                    fuzz::require(row.hit >= 0 && row.fired >= 0 && row.toHead >= 0,
                                  "shot counts are not negative");
                }
                fuzz::require(!rows.hits.isEmpty(), "a read hits panel has rows");
                break;
        }
    } catch (const PageFailure&) {
        // The documented answer to a page that cannot be read.
    }
    return 0;
}
