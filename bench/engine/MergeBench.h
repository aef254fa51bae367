#pragma once
// The merge's copy loop: every row of q_zLoad_Merge added to Game_Player
// through a table recordset (addNew, eleven fields by name, Update), against
// a prepared INSERT fed from the same query in one transaction.

#include <QString>

namespace tw::bench {

struct MergeTiming {
    int rows = 0;
    double engine = 0;  // seconds, best of the rounds
    double raw = 0;
};

MergeTiming timeMergeLoop(const QString& folder, int games, int playersPerGame);

}  // namespace tw::bench
