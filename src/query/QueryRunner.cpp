#include "query/QueryRunner.h"

#include <QElapsedTimer>
#include <memory>

#include "core/DebugLog.h"
#include "core/Session.h"
#include "db/Database.h"
#include "db/Format.h"
#include "db/Recordset.h"
#include "query/ResultReader.h"

namespace tw {
namespace {

// Reads the opened statement into `result`.
void readResult(Session& state, const QueryRequest& request, Recordset& rows, QueryResult& result) {
    if (rows.isEof() && rows.isBof()) {
        return;
    }
    if (request.chartGraphQueries && isGraphQuery(request.name)) {
        result.chart = readChartTable(rows);
        result.records = static_cast<int64_t>(result.chart->categories.size());
        return;
    }
    GridReadOptions options;
    options.programDir = state.programDir;
    options.highlight = state.settings.autoGridHighlight;
    options.gamertag = request.gamertag;
    readGridResult(rows, options, result);
    result.records = rows.recordCount();
}

void closeIgnoringErrors(std::unique_ptr<Recordset>& rows) {
    if (rows) {
        try {
            rows->close();
        } catch (const AppError&) {
        }
        rows.reset();
    }
}

}  // namespace

QueryRequest savedQueryRequest(const Session& state, int index, PlayerFilter player,
                               GameFilter game) {
    QueryRequest request;
    request.name = state.queryNames[static_cast<size_t>(index)];
    request.savedSql = state.querySql[static_cast<size_t>(index)];
    request.player = player;
    request.game = game;
    request.gamertag = state.currentGamertag;
    return request;
}

bool isGraphQuery(const QString& name) {
    return name.contains(QLatin1String("Graph"), Qt::CaseInsensitive);
}

QueryResult runQuery(Session& state, const QueryRequest& request) {
    QElapsedTimer ticks;
    ticks.start();
    QueryResult result;
    result.ran = true;
    result.statement =
        applyQueryFilters(request.savedSql, request.player, request.game, request.gamertag);
    std::unique_ptr<Recordset> rows;
    try {
        rows = state.db->openRecordset(result.statement);
        readResult(state, request, *rows, result);
    } catch (const AppError& error) {
        result.error = error;
    }
    // Errors are ignored from here on.
    closeIgnoringErrors(rows);
    result.elapsedMilliseconds = ticks.elapsed();
    return result;
}

void reportQueryFailure(Session& state, const QueryResult& result) {
    if (result.error) {
        writeDebugLog(state, QString::fromLatin1(kRunQueryStage), *result.error, result.statement);
    }
}

QString recordCountText(int64_t records, int64_t elapsedMilliseconds) {
    return QString::number(records) + QStringLiteral(" records   ") +
           format(Variant(static_cast<double>(elapsedMilliseconds) / 1000.0),
                  QStringLiteral("0.00 secs"));
}

}  // namespace tw
