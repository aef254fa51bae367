#include "core/EndProgram.h"

#include <exception>

#include "core/Session.h"

namespace tw {

void EndProgram(Session& state, int exitCode) {
    state.EndRequested = true;
    state.ExitCode = exitCode;
    if (state.endProgram) {
        state.endProgram(exitCode);
    }
}

void CloseDatabaseObjects(Session& state) {
    if (state.Db) {
        try {
            state.Db->Close();
        } catch (const std::exception&) {
            // closing must go on whatever the engine reports
        }
    }
    state.Db.reset();
}

}  // namespace tw
