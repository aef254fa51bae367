#include "query/QueryRunner.h"

#include <QApplication>
#include <QChartView>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>

#include "core/DebugLog.h"
#include "core/Prompter.h"
#include "core/Session.h"
#include "db/Format.h"
#include "query/ChartFill.h"
#include "query/GridFill.h"
#include "query/QueryFilters.h"
#include "gui/FlexGrid.h"
#include "gui/MainWindow.h"

namespace tw {
namespace {

void EmptyResultArea(MainWindow& window, QueryPanel& panel) {
    window.resultGrid->Clear();
    window.resultGrid->SetRows(0);
    window.resultGrid->SetCols(0);
    window.recordCount->setText(QString());
    panel.SortState.clear();
    window.resultChart->hide();
    window.repaint();
}

// Runs the statement into the grid or the chart; returns the record count.
int64_t FillResult(Session& state, MainWindow& window, const QueryPanel& panel, int index) {
    state.rsWork = state.Db->OpenRecordset(state.CurrentSQL);
    Recordset& rows = *state.rsWork;
    if (rows.IsEOF() && rows.IsBOF()) {
        return 0;
    }
    if (panel.ChartGraphQueries && state.QueryNames[static_cast<size_t>(index)].contains(
                                       QLatin1String("Graph"), Qt::CaseInsensitive)) {
        const ChartTable table = ReadChartTable(rows);
        ShowChart(*window.resultChart, table);
        return static_cast<int64_t>(table.categories.size());
    }
    GridFillOptions options;
    options.programDir = state.ProgramDir;
    options.highlight = state.settings.Auto_Grid_Highlight;
    options.gamertag = state.CurrentGamertag;
    FillGrid(*window.resultGrid, rows, options);
    return rows.RecordCount();
}

void CloseWork(Session& state) {
    // Errors are ignored from here on.
    if (state.rsWork) {
        try {
            state.rsWork->Close();
        } catch (const AppError&) {
        }
        state.rsWork.reset();
    }
}

}  // namespace

QString RecordCountText(int64_t records, int64_t elapsedMilliseconds) {
    return QString::number(records) + QStringLiteral(" records   ") +
           Format(Variant(static_cast<double>(elapsedMilliseconds) / 1000.0),
                  QStringLiteral("0.00 secs"));
}

void runQueryClicked(Session& state, MainWindow& window, QueryPanel& panel) {
    QElapsedTimer ticks;
    ticks.start();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    EmptyResultArea(window, panel);
    const int index = window.queryList->currentIndex();
    if (index <= 0 || index >= static_cast<int>(state.QuerySQL.size())) {
        state.prompter->Message(QString::fromLatin1(kSelectQueryToRun), MsgButtons::Ok,
                               MsgIcon::Information, QStringLiteral("Error"));
    } else {
        try {
            state.CurrentSQL = ApplyQueryFilters(state.QuerySQL[static_cast<size_t>(index)],
                                                 SelectedPlayerFilter(window),
                                                 SelectedGameFilter(window), state.CurrentGamertag);
            const int64_t records = FillResult(state, window, panel, index);
            window.recordCount->setText(RecordCountText(records, ticks.elapsed()));
        } catch (const AppError& error) {
            WriteDebugLog(state, QString::fromLatin1(kRunQueryStage), error);
        }
    }
    // Drawing comes back also after a failed fill, or the grid would stay frozen.
    window.resultGrid->SetRedraw(true);
    window.resultGrid->repaint();
    CloseWork(state);
    QApplication::restoreOverrideCursor();
    window.repaint();
    QApplication::processEvents();
}

}  // namespace tw
