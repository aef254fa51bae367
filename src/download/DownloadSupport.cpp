#include "app/ProgramState.h"
#include "app/SqlText.h"
#include "download/Cleanup.h"
#include "download/DownloadContext.h"
#include "ui/frmMain.h"

namespace tw {

void RunSql(ProgramState& state, const QString& sql) {
    state.CurrentSQL = sql;
    try {
        state.Db->ExecuteInBatch(sql);
    } catch (const AppError& error) {
        if (error.number() != err::kDuplicateKey) {
            throw;
        }
    }
}

void SaveRow(Recordset& recordset) {
    try {
        recordset.Update();
    } catch (const AppError& error) {
        if (error.number() != err::kDuplicateKey) {
            throw;
        }
    }
}

QString Quoted(const QString& value) {
    return QLatin1Char('\'') + SqlText(value) + QLatin1Char('\'');
}

bool StoppedDuringFetch(DownloadContext& context, int32_t lastDone) {
    if (!context.state.StopRequested) {
        return false;
    }
    Cleanup(context, lastDone);
    context.window.ShowStage(context.state, StageState::Reset);
    return true;
}

}  // namespace tw
