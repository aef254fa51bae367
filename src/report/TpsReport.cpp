#include "report/TpsReport.h"

#include <QAction>

#include "core/DebugLog.h"
#include "core/Prompter.h"
#include "core/Session.h"
#include "db/Format.h"
#include "report/ReportFiles.h"
#include "report/ReportSections.h"
#include "report/ReportTokens.h"
#include "gui/MainWindow.h"

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
void CleanUp(Session& state) {
    try {
        if (state.rsWork) {
            state.rsWork->Close();
        }
    } catch (const AppError&) {
    }
    state.rsWork.reset();
    state.WorkText.clear();
}

}  // namespace

QByteArray FillReport(Session& state, const QByteArray& templateText) {
    ReportPage page(templateText);
    HeaderSection(state, page);
    CareerSection(state, page);
    EgrSection(state, page);
    MatrixSection(state, page);
    TrophySection(state, page);
    QuitsSection(state, page);
    page.Fill("?TOTAL_RANKED_QUITS?", QStringLiteral("0"));
    page.Fill("?TOTAL_CUSTOM_QUITS?", QStringLiteral("0"));
    page.Fill("?CREATE_DATE?",
              Format(Variant::FromDate(Now(state)), QStringLiteral("Mmm d, yyyy h:m:s AMPM")));
    return page.Render();
}

void tpsReportClicked(Session& state) {
    if (state.CurrentGamertag.isEmpty()) {
        state.prompter->Message(QString::fromLatin1(kNoGamertagMessage), MsgButtons::Ok,
                               MsgIcon::Critical, QStringLiteral("Error"));
        return;
    }
    try {
        const QByteArray reportText = FillReport(state, ReadTemplate(state));
        state.WorkText = ReportOutputPath(state, state.CurrentGamertag);
        WriteReportFile(state.WorkText, reportText);
        OfferToOpen(state, state.WorkText);
    } catch (const AppError& error) {
        WriteDebugLog(state, QString::fromLatin1(kReportStage), error);
    }
    CleanUp(state);
}

void ConnectTpsReport(Session& state, MainWindow& window) {
    QObject::connect(window.tpsReportAction, &QAction::triggered, &window,
                     [&state] { tpsReportClicked(state); });
}

}  // namespace tw
