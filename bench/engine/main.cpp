// bench_engine [--rebuild]: times the report's statements for the heavy
// player of a large database, read row by row through the engine layer
// (Database::openRecordset, every field of every row) and through the SQLite
// C API with the same translated SQL, side by side in one run.

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "BenchData.h"
#include "MergeBench.h"
#include "RawSqlite.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "report/ReportStatements.h"

namespace tw::bench {
namespace {

constexpr int kRounds = 5;

struct Statement {
    const char* name;
    QString jetSql;
};

std::vector<Statement> statements(const QString& gamertag) {
    return {{"header", headerStatement(gamertag)},         {"career", careerStatement(gamertag)},
            {"quits", quitsStatement(gamertag)},           {"egr", egrStatement(gamertag)},
            {"crosstab", matrixStatement(gamertag, true)}, {"trophy", trophyStatement(gamertag)}};
}

// Reads every value as the engine hands it back; returns the row count.
int64_t readThroughLayer(Database& db, const QString& jetSql) {
    auto rows = db.openRecordset(jetSql);
    int64_t count = 0;
    for (; !rows->isEof(); rows->moveNext(), ++count) {
        for (int i = 0; i < rows->fieldCount(); ++i) {
            rows->field(i);
        }
    }
    return count;
}

struct Timing {
    double engine = 1e9;  // best of kRounds, seconds
    double raw = 1e9;
    int64_t engineRows = 0;
    int64_t rawRows = 0;
};

double seconds(const std::function<int64_t()>& run, int64_t* rows) {
    return secondsOf([&] { *rows = run(); });
}

// The two ways take turns, so both meet the same cache and machine load.
Timing timeBoth(Database& db, const QString& jetSql) {
    Timing t;
    for (int round = 0; round < kRounds; ++round) {
        t.raw = std::min(t.raw, seconds([&] { return runTranslatedRaw(db, jetSql); }, &t.rawRows));
        t.engine = std::min(t.engine,
                            seconds([&] { return readThroughLayer(db, jetSql); }, &t.engineRows));
    }
    return t;
}

int run(bool rebuild) {
    const QString path = benchDatabasePath(rebuild);
    auto db = Database::open(path);
    std::printf("%-10s %6s %12s %12s %7s\n", "statement", "rows", "engine [s]", "sqlite [s]",
                "ratio");
    double engineTotal = 0;
    double rawTotal = 0;
    bool allFast = true;
    for (const Statement& s : statements(kHeavyPlayer)) {
        const Timing t = timeBoth(*db, s.jetSql);
        engineTotal += t.engine;
        rawTotal += t.raw;
        allFast = allFast && t.engine < 0.5;
        std::printf("%-10s %6lld %12.4f %12.4f %7.3f%s\n", s.name,
                    static_cast<long long>(t.engineRows), t.engine, t.raw, t.engine / t.raw,
                    t.engineRows == t.rawRows ? "" : "  (row counts differ!)");
    }
    std::printf("%-10s %6s %12.4f %12.4f %7.3f\n", "total", "", engineTotal, rawTotal,
                engineTotal / rawTotal);
    std::printf("goal: ratio <= 1.1 (%s), every statement under 0.5 s (%s)\n",
                engineTotal / rawTotal <= 1.1 ? "met" : "NOT met", allFast ? "met" : "NOT met");

    const MergeTiming merge = timeMergeLoop(QStringLiteral(BENCH_DATA_DIR), 2500, 8);
    std::printf("\nmerge loop, %d rows: engine %.4f s (%.1f us/row), sqlite %.4f s, ratio %.3f\n",
                merge.rows, merge.engine, merge.engine * 1e6 / merge.rows, merge.raw,
                merge.engine / merge.raw);
    return 0;
}

}  // namespace
}  // namespace tw::bench

int main(int argc, char** argv) {
    return tw::bench::runBenchmark(argc, argv, tw::bench::run);
}
