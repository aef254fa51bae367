#include "download/DownloadTables.h"

#include <QString>
#include <exception>

#include "db/Database.h"

namespace tw {

DownloadTables DownloadTables::open(Database& db) {
    DownloadTables tables;
    tables.game = db.openRecordset(QStringLiteral("Game"));
    tables.player = db.openRecordset(QStringLiteral("Player"));
    tables.playerPlaylist = db.openRecordset(QStringLiteral("Player_Playlist"));
    tables.panel1 = db.openRecordset(QStringLiteral("zLoad_Panel_1"));
    tables.panel2 = db.openRecordset(QStringLiteral("zLoad_Panel_2"));
    tables.panel4 = db.openRecordset(QStringLiteral("zLoad_Panel_4"));
    tables.panel5 = db.openRecordset(QStringLiteral("zLoad_Panel_5"));
    return tables;
}

void DownloadTables::close() {
    for (auto* table : {&panel5, &panel4, &panel2, &panel1, &playerPlaylist, &player, &game}) {
        if (*table) {
            try {
                (*table)->close();
            } catch (const std::exception&) {
            }
            table->reset();
        }
    }
}

}  // namespace tw
