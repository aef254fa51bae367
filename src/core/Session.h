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
    QString programDir;  // without trailing separator
    QString iniPath;     // programDir + "/tallywick110.ini"
    QString dbPath;      // programDir + "/tallywick110.mdb"
    QString avatarDir;   // programDir + "/avatar/"
    QString tpsDir;      // programDir + "/tps/"

    Settings settings;
    std::unique_ptr<Database> db;
    // The player the window shows and the settings remember.
    QString currentGamertag;

    // Saved queries, indexes 0 to 100; entry n is item n of the query list.
    std::array<QString, 101> queryNames;
    std::array<QString, 101> querySql;

    // A download is running: the window may not close.
    bool downloadInProgress = false;

    Prompter* prompter = nullptr;  // never null once the program runs
    // The download display's pause between rows; tests and benchmarks make
    // it a no-op.
    std::function<void(int milliseconds)> sleep;

    // The local date and time for the diagnostic log; tests fix it. Unset:
    // the system clock.
    std::function<QDateTime()> clock;

    // Ending the program "at once" (fatal start-up messages, exit). endProgram()
    // (core/EndProgram.h) sets endRequested and exitCode, then calls
    // endProgram, which main() makes a real exit; tests leave it unset and
    // look at the flag.
    bool endRequested = false;
    int exitCode = 0;
    std::function<void(int exitCode)> endProgram;
};

}  // namespace tw
