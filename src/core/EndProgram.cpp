#include "core/EndProgram.h"

#include <exception>

#include "core/Session.h"

namespace tw {
namespace {

template <typename Closable>
void CloseIgnoringErrors(Closable& object) {
    if (!object) {
        return;
    }
    try {
        object->Close();
    } catch (const std::exception&) {
        // closing must go on whatever one object reports
    }
}

}  // namespace

void EndProgram(Session& state, int exitCode) {
    state.EndRequested = true;
    state.ExitCode = exitCode;
    if (state.endProgram) {
        state.endProgram(exitCode);
    }
}

void CloseDatabaseObjects(Session& state) {
    CloseIgnoringErrors(state.rsWork);
    for (auto* rs : {&state.rsLoadPanel5, &state.rsLoadPanel4, &state.rsLoadPanel2,
                     &state.rsLoadPanel1, &state.rsPlayerPlaylist, &state.rsGamePlayerMedal,
                     &state.rsGamePlayer, &state.rsPlayer, &state.rsGame}) {
        CloseIgnoringErrors(*rs);
    }
    CloseIgnoringErrors(state.Db);
    state.rsWork.reset();
    for (auto* rs : {&state.rsLoadPanel5, &state.rsLoadPanel4, &state.rsLoadPanel2,
                     &state.rsLoadPanel1, &state.rsPlayerPlaylist, &state.rsGamePlayerMedal,
                     &state.rsGamePlayer, &state.rsPlayer, &state.rsGame}) {
        rs->reset();
    }
    state.Db.reset();
}

}  // namespace tw
