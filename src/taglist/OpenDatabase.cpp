#include "taglist/OpenDatabase.h"

#include "core/EndProgram.h"
#include "core/Session.h"
#include "db/Database.h"

namespace tw {

void OpenDatabase(Session& state) {
    // The previous connection holds the file exclusively: it must let go
    // before the file can be opened again.
    CloseDatabaseObjects(state);
    state.Db = Database::Open(state.DbPath);
    Database& db = *state.Db;
    state.rsGame = db.OpenRecordset(QStringLiteral("Game"));
    state.rsPlayer = db.OpenRecordset(QStringLiteral("Player"));
    state.rsGamePlayer = db.OpenRecordset(QStringLiteral("Game_Player"));
    state.rsGamePlayerMedal = db.OpenRecordset(QStringLiteral("Game_Player_Medal"));
    state.rsPlayerPlaylist = db.OpenRecordset(QStringLiteral("Player_Playlist"));
    state.rsLoadPanel1 = db.OpenRecordset(QStringLiteral("zLoad_Panel_1"));
    state.rsLoadPanel2 = db.OpenRecordset(QStringLiteral("zLoad_Panel_2"));
    state.rsLoadPanel4 = db.OpenRecordset(QStringLiteral("zLoad_Panel_4"));
    state.rsLoadPanel5 = db.OpenRecordset(QStringLiteral("zLoad_Panel_5"));
}

}  // namespace tw
