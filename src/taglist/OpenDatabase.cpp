#include "taglist/OpenDatabase.h"

#include "core/EndProgram.h"
#include "core/Session.h"
#include "db/Database.h"

namespace tw {

void openDatabase(Session& state) {
    // The previous connection holds the file exclusively: it must let go
    // before the file can be opened again.
    closeDatabaseObjects(state);
    state.db = Database::open(state.dbPath);
    // A file without one of the tables the program writes is no database of
    // its own: that is found here, at start-up, not in the middle of a
    // download.
    for (const char* table :
         {"Game", "Player", "Game_Player", "Game_Player_Medal", "Player_Playlist", "zLoad_Panel_1",
          "zLoad_Panel_2", "zLoad_Panel_4", "zLoad_Panel_5"}) {
        state.db->openRecordset(QString::fromLatin1(table))->close();
    }
}

}  // namespace tw
