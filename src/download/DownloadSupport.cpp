#include "core/Session.h"
#include "core/SqlText.h"
#include "download/Cleanup.h"
#include "download/DownloadContext.h"
#include "download/Fetcher.h"
#include "download/PageReading.h"
#include "gui/MainWindow.h"

namespace tw {

void RunSql(Session& state, const QString& sql) {
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

void RequireAnswer(DownloadContext& context, const QString& what, bool notFoundStatusToo) {
    const Fetcher& fetcher = context.fetcher;
    const QString prefix = what + QStringLiteral(": ");
    switch (fetcher.Failure()) {
        case FetchFailure::Connection: {
            const AppError& reason = fetcher.FailureError();
            throw ConnectionFailure(
                AppError(reason.number(), reason.source(), prefix + reason.description()));
        }
        case FetchFailure::Answer:
            throw PageFailure(prefix + fetcher.FailureError().description(),
                              fetcher.FailureError().number());
        case FetchFailure::None:
            break;
    }
    const int status = fetcher.StatusCode();
    if (status != 200 && !(notFoundStatusToo && status == 400)) {
        throw PageFailure(
            prefix + (status > 0 ? QStringLiteral("the site answered with status %1").arg(status)
                                 : QStringLiteral("the answer is no HTTP answer")));
    }
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
