#include "report/TpsReport.h"

#include "core/DebugLog.h"
#include "core/Prompter.h"
#include "core/Session.h"
#include "db/Format.h"
#include "report/ReportFiles.h"
#include "report/ReportSection.h"
#include "report/ReportSections.h"
#include "report/ReportTokens.h"

namespace tw {

namespace {

QDateTime now(const Session& state) {
    return state.clock ? state.clock() : QDateTime::currentDateTime();
}

void offerToOpen(Session& state, const QString& path) {
    const MsgResult answer =
        state.prompter->message(QString::fromLatin1(kReportCreatedMessage), MsgButtons::YesNo,
                                MsgIcon::Question, QStringLiteral("Confirm View"));
    if (answer == MsgResult::Yes) {
        state.prompter->openDocument(path);  // a failure to open is not reported
    }
}

// Runs after success and after every error; nothing here may fail the run.
void closeQuietly(ReportRun& run) {
    try {
        if (run.rs) {
            run.rs->close();
        }
    } catch (const AppError&) {
    }
    run.rs.reset();
}

}  // namespace

ReportRun newReportRun(Session& state, const QString& gamertag) {
    ReportRun run;
    run.db = state.db.get();
    run.gamertag = gamertag;
    run.useKApD = state.settings.tpsUseKApD;
    return run;
}

QByteArray fillReport(ReportRun& run, const QByteArray& templateText, const QDateTime& now) {
    ReportPage page(templateText);
    headerSection(run, page);
    careerSection(run, page);
    egrSection(run, page);
    matrixSection(run, page);
    trophySection(run, page);
    quitsSection(run, page);
    page.fill("?TOTAL_RANKED_QUITS?", QStringLiteral("0"));
    page.fill("?TOTAL_CUSTOM_QUITS?", QStringLiteral("0"));
    page.fill("?CREATE_DATE?",
              format(Variant::fromDate(now), QStringLiteral("Mmm d, yyyy h:m:s AMPM")));
    return page.render();
}

bool createTpsReport(Session& state, const QString& gamertag) {
    if (gamertag.isEmpty()) {
        state.prompter->message(QString::fromLatin1(kNoGamertagMessage), MsgButtons::Ok,
                                MsgIcon::Critical, QStringLiteral("Error"));
        return false;
    }
    ReportRun run = newReportRun(state, gamertag);
    bool written = false;
    try {
        const QByteArray reportText = fillReport(run, readTemplate(state), now(state));
        closeQuietly(run);
        const QString path = reportOutputPath(state, gamertag);
        writeReportFile(path, reportText);
        written = true;
        offerToOpen(state, path);
    } catch (const AppError& error) {
        closeQuietly(run);
        writeDebugLog(state, QString::fromLatin1(kReportStage), error, run.statement);
    }
    return written;
}

}  // namespace tw
