#pragma once
// Program-wide state: one object owned by main() and passed to whoever needs
// it. No globals. Tests build one over a temporary program folder.

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>

#include "core/Settings.h"
#include "db/Database.h"
#include "db/Recordset.h"

namespace tw {

class Prompter;

struct Session {
    // Paths ("program directory" = the executable's folder unless a test or
    // the batch mode's --dir says otherwise). Directories end with "/".
    QString ProgramDir;  // without trailing separator
    QString IniPath;     // ProgramDir + "/tallywick110.ini"
    QString DbPath;      // ProgramDir + "/tallywick110.mdb"
    QString AvatarDir;   // ProgramDir + "/avatar/"
    QString TpsDir;      // ProgramDir + "/tps/"

    std::unique_ptr<Database> Db;
    std::unique_ptr<Recordset> rsWork;
    // The nine table recordsets, reopened by every summary refresh.
    std::unique_ptr<Recordset> rsGame, rsPlayer, rsGamePlayer, rsGamePlayerMedal, rsPlayerPlaylist,
        rsLoadPanel1, rsLoadPanel2, rsLoadPanel4, rsLoadPanel5;

    QString CurrentGamertag;
    QString CurrentSQL;
    int16_t CurrentStage = 0;
    QByteArray PageData;
    QString WorkText;
    Settings settings;

    // Saved queries, indexes 0 to 100; entry n is item n of queryList.
    std::array<QString, 101> QueryNames;
    std::array<QString, 101> QuerySQL;

    int32_t LastGameID = 0;
    QString TagToInsert;
    bool DownloadInProgress = false;
    bool StopRequested = false;
    bool TagListRefreshing = false;

    Prompter* prompter = nullptr;  // never null once the program runs
    // The stage display's pause; tests and benchmarks make it a no-op.
    std::function<void(int milliseconds)> sleep;

    // The local date and time for the diagnostic log; tests fix it. Unset:
    // the system clock.
    std::function<QDateTime()> clock;

    // ShowPlayerSummary on the main window, for the parts that refresh it
    // without knowing the window (the download's clean-up, import, purge).
    // Installed at start-up by the wiring (taglist/MainWindowLifecycle.h).
    std::function<void()> refreshSummary;

    // Ending the program "at once" (fatal start-up messages, exit). EndProgram()
    // (app/EndProgram.h) sets EndRequested and ExitCode, then calls
    // endProgram, which main() makes a real exit; tests leave it unset and
    // look at the flag.
    bool EndRequested = false;
    int ExitCode = 0;
    std::function<void(int exitCode)> endProgram;
};

}  // namespace tw
