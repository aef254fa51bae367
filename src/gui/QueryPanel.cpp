#include "gui/QueryPanel.h"

#include <QAction>
#include <QApplication>
#include <QChartView>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <array>

#include "core/Prompter.h"
#include "core/Session.h"
#include "gui/MainWindow.h"
#include "gui/ResultChart.h"
#include "gui/ResultGrid.h"
#include "gui/ResultGridFill.h"
#include "gui/ResultGridSort.h"
#include "query/DatabaseExport.h"
#include "query/QueryExport.h"
#include "query/QueryRunner.h"

namespace tw {
namespace {

// VB's Trim: spaces only.
QString trimSpaces(const QString& text) {
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text[start] == QLatin1Char(' ')) {
        ++start;
    }
    while (end > start && text[end - 1] == QLatin1Char(' ')) {
        --end;
    }
    return text.mid(start, end - start);
}

// The index of the checked option of a filter group, -1 for none.
int checkedOption(const std::array<QRadioButton*, 3>& options) {
    for (size_t i = 0; i < options.size(); ++i) {
        if (options[i]->isChecked()) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

}  // namespace

QString exportToolTip(int format) {
    static const std::array<const char*, 4> kNames = {"Excel", "CSV", "HTML", "XML"};
    if (format < 1 || format > static_cast<int>(kNames.size())) {
        return QStringLiteral("Export query results: no export format is chosen in Options");
    }
    return QStringLiteral("Export query results to ") +
           QString::fromLatin1(kNames.at(static_cast<size_t>(format - 1)));
}

QueryPanel::QueryPanel(Session& state, MainWindow& window)
    : QObject(&window), state_(state), window_(window), exportButton_(window.exportButton) {
    connect(window.runQueryButton, &QPushButton::clicked, this, &QueryPanel::runQuery);
    connect(window.exportButton, &QPushButton::clicked, this, &QueryPanel::exportResult);
    exportButton_->installEventFilter(this);
    connect(window.resultGrid, &ResultGrid::mouseDown, this,
            [this](int button, int, int, int) { gridMousePressed(button); });
    connect(window.resultGrid, &ResultGrid::mouseUp, this, [this](int button, int, int x, int y) {
        gridMouseReleased(button, window_.resultGrid->viewport()->mapToGlobal(QPoint(x, y)));
    });
    connect(window.exportExcelAction, &QAction::triggered, this,
            [this] { exportExcelClicked(state_); });
    connect(window.exportCsvAction, &QAction::triggered, this,
            [this] { exportCsvClicked(state_); });
    connect(window.exportXmlAction, &QAction::triggered, this,
            [this] { exportXmlClicked(state_); });
}

bool QueryPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == exportButton_ &&
        (event->type() == QEvent::ToolTip || event->type() == QEvent::FocusIn)) {
        exportButton_->setToolTip(exportToolTip(state_.settings.queryExportFormat));
    }
    return QObject::eventFilter(watched, event);
}

void QueryPanel::runQuery() {
    QElapsedTimer ticks;
    ticks.start();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    emptyResultArea();
    const int index = window_.queryList->currentIndex();
    if (index <= 0 || index >= static_cast<int>(state_.querySql.size())) {
        state_.prompter->message(QString::fromLatin1(kSelectQueryToRun), MsgButtons::Ok,
                                 MsgIcon::Information, QStringLiteral("Error"));
    } else {
        QueryResult result = tw::runQuery(
            state_, savedQueryRequest(state_, index, selectedPlayerFilter(), selectedGameFilter()));
        lastStatement_ = result.statement;
        const bool failed = result.error.has_value();
        const int64_t records = result.records;
        if (result.chart) {
            showResultChart(*window_.resultChart, *result.chart);
        } else {
            fillResultGrid(*window_.resultGrid, result);
        }
        reportQueryFailure(state_, result);
        if (!failed) {
            window_.recordCount->setText(recordCountText(records, ticks.elapsed()));
        }
    }
    // Drawing comes back also after a failed fill, or the grid would stay frozen.
    window_.resultGrid->setRedraw(true);
    window_.resultGrid->repaint();
    QApplication::restoreOverrideCursor();
    window_.repaint();
}

void QueryPanel::emptyResultArea() {
    ResultGrid& grid = *window_.resultGrid;
    grid.clear();
    grid.setRows(0);
    grid.setCols(0);
    window_.recordCount->setText(QString());
    sortState_.clear();
    window_.resultChart->hide();
    window_.repaint();
}

PlayerFilter QueryPanel::selectedPlayerFilter() const {
    switch (checkedOption(window_.playerFilterOptions)) {
        case 1:
            return PlayerFilter::TagList;
        case 2:
            return PlayerFilter::Me;
        default:
            return PlayerFilter::All;
    }
}

GameFilter QueryPanel::selectedGameFilter() const {
    switch (checkedOption(window_.gameFilterOptions)) {
        case 1:
            return GameFilter::Ranked;
        case 2:
            return GameFilter::Unranked;
        default:
            return GameFilter::All;
    }
}

void QueryPanel::exportResult() {
    const int index = window_.queryList->currentIndex();
    QueryExportRequest request;
    request.index = index;
    if (index >= 1 && index < static_cast<int>(state_.querySql.size())) {
        request.savedSql = state_.querySql[static_cast<size_t>(index)];
    }
    request.gamertag = state_.currentGamertag;
    request.rows = gridTexts(*window_.resultGrid);
    request.rowsStatement = lastStatement_;
    exportQuery(state_, request);
}

void QueryPanel::gridMousePressed(int button) {
    ResultGrid& grid = *window_.resultGrid;
    if (button != 1 || grid.mouseRow() != 0 || grid.rows() < 1 || grid.mouseCol() < 0) {
        return;
    }
    const SortArrows arrows{window_.ascendingIcon->pixmap(), window_.descendingIcon->pixmap()};
    sortByHeader(grid, grid.mouseCol(), sortState_, arrows);
}

void QueryPanel::gridMouseReleased(int button, const QPoint& globalPosition) {
    const ResultGrid& grid = *window_.resultGrid;
    const int row = grid.mouseRow();
    const int col = grid.mouseCol();
    if (button != 2 || row < 1 || col < 0 ||
        !grid.textMatrix(0, col).contains(QLatin1String("Gamertag"), Qt::CaseSensitive)) {
        return;
    }
    const QString text = grid.textMatrix(row, col);
    window_.insertIntoTagListAction->setText(QStringLiteral("Add \"") + text +
                                             QStringLiteral("\" to Tag List"));
    // The tag list's add handler, run by the pop-up's entry, takes it from here.
    window_.insertIntoTagListAction->setData(trimSpaces(text));
    window_.gridMenu->popup(globalPosition);
}

}  // namespace tw
