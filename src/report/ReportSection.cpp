#include "report/ReportSection.h"

#include "app/ProgramState.h"

namespace tw {

bool OpenSection(ProgramState& state, const QString& sql) {
    state.CurrentSQL = sql;
    if (!state.Db) {
        throw AppError(err::kEngineFailure, QStringLiteral("Tallywick"),
                       QStringLiteral("No database is open"));
    }
    state.rsWork = state.Db->OpenRecordset(sql);
    if (state.rsWork->IsBOF() && state.rsWork->IsEOF()) {
        return false;
    }
    state.rsWork->MoveFirst();
    return true;
}

void CloseSection(ProgramState& state) {
    if (state.rsWork) {
        state.rsWork->Close();
        state.rsWork.reset();
    }
    state.WorkText.clear();
}

}  // namespace tw
