#pragma once
// The session: what the whole program shares while it runs, owned by main()
// and passed to whoever needs it. No globals; working values of an operation
// (a statement, a recordset, a page) are its locals and arguments. Tests build
// one over a temporary program folder.

#include <QDateTime>
#include <QString>
#include <array>
#include <functional>
#include <memory>

#include "core/Settings.h"
#include "db/Database.h"

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

    Settings settings;
    std::unique_ptr<Database> Db;
    // The player the window shows and the settings remember.
    QString CurrentGamertag;

    // Saved queries, indexes 0 to 100; entry n is item n of the query list.
    std::array<QString, 101> QueryNames;
    std::array<QString, 101> QuerySQL;

    // A download is running: the window may not close.
    bool DownloadInProgress = false;

    Prompter* prompter = nullptr;  // never null once the program runs
    // The download display's pause between rows; tests and benchmarks make
    // it a no-op.
    std::function<void(int milliseconds)> sleep;

    // The local date and time for the diagnostic log; tests fix it. Unset:
    // the system clock.
    std::function<QDateTime()> clock;

    // Ending the program "at once" (fatal start-up messages, exit). EndProgram()
    // (core/EndProgram.h) sets EndRequested and ExitCode, then calls
    // endProgram, which main() makes a real exit; tests leave it unset and
    // look at the flag.
    bool EndRequested = false;
    int ExitCode = 0;
    std::function<void(int exitCode)> endProgram;
};

}  // namespace tw
