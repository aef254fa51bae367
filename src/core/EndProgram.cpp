#include "core/EndProgram.h"

#include <exception>

#include "core/Session.h"

namespace tw {

void endProgram(Session& state, int exitCode) {
    state.endRequested = true;
    state.exitCode = exitCode;
    if (state.endProgram) {
        state.endProgram(exitCode);
    }
}

void closeDatabaseObjects(Session& state) {
    if (state.db) {
        try {
            state.db->close();
        } catch (const std::exception&) {
            // closing must go on whatever the engine reports
        }
    }
    state.db.reset();
}

}  // namespace tw
