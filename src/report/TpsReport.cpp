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

QDateTime Now(const Session& state) {
    return state.clock ? state.clock() : QDateTime::currentDateTime();
}

void OfferToOpen(Session& state, const QString& path) {
    const MsgResult answer =
        state.prompter->Message(QString::fromLatin1(kReportCreatedMessage), MsgButtons::YesNo,
                                MsgIcon::Question, QStringLiteral("Confirm View"));
    if (answer == MsgResult::Yes) {
        state.prompter->OpenDocument(path);  // a failure to open is not reported
    }
}

// Runs after success and after every error; nothing here may fail the run.
void CloseQuietly(ReportRun& run) {
    try {
        if (run.rs) {
            run.rs->Close();
        }
    } catch (const AppError&) {
    }
    run.rs.reset();
}

}  // namespace

ReportRun NewReportRun(Session& state, const QString& gamertag) {
    ReportRun run;
    run.db = state.Db.get();
    run.gamertag = gamertag;
    run.useKApD = state.settings.TPS_Use_KApD;
    return run;
}

QByteArray FillReport(ReportRun& run, const QByteArray& templateText, const QDateTime& now) {
    ReportPage page(templateText);
    HeaderSection(run, page);
    CareerSection(run, page);
    EgrSection(run, page);
    MatrixSection(run, page);
    TrophySection(run, page);
    QuitsSection(run, page);
    page.Fill("?TOTAL_RANKED_QUITS?", QStringLiteral("0"));
    page.Fill("?TOTAL_CUSTOM_QUITS?", QStringLiteral("0"));
    page.Fill("?CREATE_DATE?",
              Format(Variant::FromDate(now), QStringLiteral("Mmm d, yyyy h:m:s AMPM")));
    return page.Render();
}

bool CreateTpsReport(Session& state, const QString& gamertag) {
    if (gamertag.isEmpty()) {
        state.prompter->Message(QString::fromLatin1(kNoGamertagMessage), MsgButtons::Ok,
                                MsgIcon::Critical, QStringLiteral("Error"));
        return false;
    }
    ReportRun run = NewReportRun(state, gamertag);
    bool written = false;
    try {
        const QByteArray reportText = FillReport(run, ReadTemplate(state), Now(state));
        CloseQuietly(run);
        const QString path = ReportOutputPath(state, gamertag);
        WriteReportFile(path, reportText);
        written = true;
        OfferToOpen(state, path);
    } catch (const AppError& error) {
        CloseQuietly(run);
        WriteDebugLog(state, QString::fromLatin1(kReportStage), error, run.statement);
    }
    return written;
}

}  // namespace tw
