#include <chrono>
#include <thread>

#include "core/DebugLog.h"
#include "core/EndProgram.h"
#include "core/Session.h"
#include "core/SqlText.h"
#include "download/Cleanup.h"
#include "download/DownloadContext.h"
#include "download/Fetcher.h"
#include "download/PageReading.h"
#include "download/ProgressDisplay.h"

namespace tw {

bool DownloadContext::stopRequested() const {
    return fetcher.stopRequested();
}

void runSql(DownloadContext& context, const QString& sql) {
    context.sql = sql;
    try {
        context.state.db->executeInBatch(sql);
    } catch (const AppError& error) {
        if (error.number() != err::kDuplicateKey) {
            throw;
        }
    }
}

void saveRow(Recordset& recordset) {
    try {
        recordset.update();
    } catch (const AppError& error) {
        if (error.number() != err::kDuplicateKey) {
            throw;
        }
    }
}

QString quoted(const QString& value) {
    return QLatin1Char('\'') + sqlText(value) + QLatin1Char('\'');
}

void requireAnswer(DownloadContext& context, const QString& what, bool notFoundStatusToo) {
    const Fetcher& fetcher = context.fetcher;
    const QString prefix = what + QStringLiteral(": ");
    switch (fetcher.failure()) {
        case FetchFailure::Connection: {
            const AppError& reason = fetcher.failureError();
            throw ConnectionFailure(
                AppError(reason.number(), reason.source(), prefix + reason.description()));
        }
        case FetchFailure::Answer:
            throw PageFailure(prefix + fetcher.failureError().description(),
                              fetcher.failureError().number());
        case FetchFailure::None:
            break;
    }
    const int status = fetcher.statusCode();
    if (status != 200 && !(notFoundStatusToo && status == 400)) {
        throw PageFailure(
            prefix + (status > 0 ? QStringLiteral("the site answered with status %1").arg(status)
                                 : QStringLiteral("the answer is no HTTP answer")));
    }
}

void showStage(DownloadContext& context, DownloadSession::StageChange change,
               const QString& caption) {
    using Change = DownloadSession::StageChange;
    const int row = context.stage;
    QString text = caption;
    if (change == Change::Advance) {
        // The pause lets the user follow the rows; it runs on the download's
        // own thread, so the window goes on painting meanwhile.
        if (context.state.sleep) {
            context.state.sleep(1000);
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(1000));
        }
        if (text.isEmpty() && row > 1) {
            text = completedStageCaption(row - 1);
        }
    } else if (change == Change::Complete && text.isEmpty()) {
        text = completedStageCaption(row);
    } else if (change == Change::Info && text.isEmpty()) {
        text = QString::fromLatin1(kNoNewGamesCaption);
    }
    emit context.session.stageChanged(row, change, text);
}

void showFailedStage(DownloadContext& context, const QString& caption) {
    context.stage = std::clamp(context.stage, 1, 5);
    showStage(context, DownloadSession::StageChange::Failed, caption);
}

bool stoppedDuringFetch(DownloadContext& context, int32_t lastDone) {
    if (!context.stopRequested()) {
        return false;
    }
    cleanup(context, lastDone);
    showStage(context, DownloadSession::StageChange::Reset);
    return true;
}

bool logDownloadFailure(const DownloadContext& context, const QString& stage,
                        const AppError& error) {
    LogContext record;
    record.gamertag = context.gamertag;
    record.stage = context.stage;
    record.statement = context.sql;
    record.page = context.fetcher.page();
    return appendDebugLogRecord(context.state, stage, error, record);
}

void reopenDatabase(Session& state) {
    closeDatabaseObjects(state);
    state.db = Database::open(state.dbPath);
}

int32_t lastGameIdOf(DownloadContext& context) {
    context.sql = QStringLiteral("select Last_Game_ID from Player where Player_Gamertag=") +
                  quoted(context.gamertag);
    auto rows = context.state.db->openRecordset(context.sql);
    const int32_t id = rows->isEof() ? 0 : static_cast<int32_t>(rows->field(0).toLong());
    rows->close();
    return id;
}

}  // namespace tw
