#pragma once
// The tables one player's download adds rows to, opened for adding when the
// player's download begins and closed before the clean-up compacts the file.

#include <memory>

#include "db/Recordset.h"

namespace tw {

class Database;

struct DownloadTables {
    std::unique_ptr<Recordset> game;
    std::unique_ptr<Recordset> player;
    std::unique_ptr<Recordset> playerPlaylist;
    // The staging tables of the four game panels.
    std::unique_ptr<Recordset> panel1;
    std::unique_ptr<Recordset> panel2;
    std::unique_ptr<Recordset> panel4;
    std::unique_ptr<Recordset> panel5;

    static DownloadTables open(Database& db);
    // Closes every table, ignoring errors: closing must go on whatever one
    // table reports.
    void close();
};

}  // namespace tw
