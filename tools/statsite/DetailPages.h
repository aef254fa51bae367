// The four panels of a game's detail page: "stats" (place, team colour, score),
// "kills" (kills, assists, deaths), "medals" (total and a box of medal pictures)
// and "hits" (shots hit, fired, to the head). Player rows appear in the same order
// with the same row numbers ("_ctl" + n) on every panel, so a guest keeps its
// number from panel to panel.
#pragma once

#include "statsite/PlayerPage.h"

namespace tw::statsite {

enum class Panel { Stats, Kills, Medals, Hits };

// "stats", "kills", "medals", "hits"; false for any other text.
bool panelNamed(const QString& name, Panel& panel);
PageAnswer detailPage(const World& world, const SiteRoots& roots, const Game& game, Panel panel);
PageAnswer unknownGamePage(const QString& id);
// The row number a game's entry shows: its position plus 2 (row 1 is the header).
inline int rowNumber(int entryIndex) {
    return entryIndex + 2;
}

}  // namespace tw::statsite
