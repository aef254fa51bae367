// bench_engine [--rebuild]: times the report's statements for the heavy
// player of a large database, read row by row through the engine layer
// (Database::OpenRecordset, every field of every row) and through the SQLite
// C API with the same translated SQL, side by side in one run.

#include <sqlite3.h>

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "BenchData.h"
#include "MergeBench.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "db/jet/Translator.h"
#include "report/ReportStatements.h"

namespace tw::bench {
namespace {

constexpr int kRounds = 5;

struct Statement {
    const char* name;
    QString jetSql;
};

std::vector<Statement> Statements(const QString& gamertag) {
    return {{"header", HeaderStatement(gamertag)},         {"career", CareerStatement(gamertag)},
            {"quits", QuitsStatement(gamertag)},           {"egr", EgrStatement(gamertag)},
            {"crosstab", MatrixStatement(gamertag, true)}, {"trophy", TrophyStatement(gamertag)}};
}

// Reads every value as the engine hands it back; returns the row count.
int64_t ReadThroughLayer(Database& db, const QString& jetSql) {
    auto rows = db.OpenRecordset(jetSql);
    int64_t count = 0;
    for (; !rows->IsEOF(); rows->MoveNext(), ++count) {
        for (int i = 0; i < rows->FieldCount(); ++i) {
            rows->Field(i);
        }
    }
    return count;
}

int64_t StepRaw(sqlite3* db, const QString& sql) {
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &statement, nullptr);
    int64_t count = 0;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        for (int i = 0; i < sqlite3_column_count(statement); ++i) {
            sqlite3_column_text(statement, i);
        }
        ++count;
    }
    sqlite3_finalize(statement);
    return count;
}

// The same translated SQL straight through SQLite (a crosstab runs its two steps).
int64_t ReadRaw(Database& db, const QString& jetSql) {
    jet::Translation translation = jet::Translate(jetSql, db.catalog());
    if (translation.kind == jet::Translation::Kind::Transform) {
        std::vector<QString> values;
        sqlite3_stmt* pivot = nullptr;
        sqlite3_prepare_v2(db.handle(), translation.pivotValuesSql.toUtf8().constData(), -1, &pivot,
                           nullptr);
        while (sqlite3_step(pivot) == SQLITE_ROW) {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(pivot, 0));
            values.push_back(text ? QString::fromUtf8(text) : QString());
        }
        sqlite3_finalize(pivot);
        translation = translation.finalSql(values);
    }
    return StepRaw(db.handle(), translation.sql);
}

struct Timing {
    double engine = 1e9;  // best of kRounds, seconds
    double raw = 1e9;
    int64_t engineRows = 0;
    int64_t rawRows = 0;
};

double Seconds(const std::function<int64_t()>& run, int64_t* rows) {
    QElapsedTimer timer;
    timer.start();
    *rows = run();
    return static_cast<double>(timer.nsecsElapsed()) / 1e9;
}

// The two ways take turns, so both meet the same cache and machine load.
Timing TimeBoth(Database& db, const QString& jetSql) {
    Timing t;
    for (int round = 0; round < kRounds; ++round) {
        t.raw = std::min(t.raw, Seconds([&] { return ReadRaw(db, jetSql); }, &t.rawRows));
        t.engine = std::min(t.engine,
                            Seconds([&] { return ReadThroughLayer(db, jetSql); }, &t.engineRows));
    }
    return t;
}

int Run(bool rebuild) {
    const QString path = QStringLiteral(BENCH_DATA_DIR "/bench_engine.mdb");
    if (rebuild) {
        QFile::remove(path);
    }
    if (!QFileInfo::exists(path)) {
        std::printf("building %s ...\n", qPrintable(path));
        std::fflush(stdout);
        QElapsedTimer timer;
        timer.start();
        BuildBenchDatabase(path, BenchSize());
        std::printf("built in %.1f s\n", static_cast<double>(timer.elapsed()) / 1000.0);
    }
    auto db = Database::Open(path);
    std::printf("%-10s %6s %12s %12s %7s\n", "statement", "rows", "engine [s]", "sqlite [s]",
                "ratio");
    double engineTotal = 0;
    double rawTotal = 0;
    bool allFast = true;
    for (const Statement& s : Statements(kHeavyPlayer)) {
        const Timing t = TimeBoth(*db, s.jetSql);
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

    const MergeTiming merge = TimeMergeLoop(QStringLiteral(BENCH_DATA_DIR), 2500, 8);
    std::printf("\nmerge loop, %d rows: engine %.4f s (%.1f us/row), sqlite %.4f s, ratio %.3f\n",
                merge.rows, merge.engine, merge.engine * 1e6 / merge.rows, merge.raw,
                merge.engine / merge.raw);
    return 0;
}

}  // namespace
}  // namespace tw::bench

int main(int argc, char** argv) {
    const bool rebuild = argc > 1 && QString::fromLocal8Bit(argv[1]) == QStringLiteral("--rebuild");
    try {
        return tw::bench::Run(rebuild);
    } catch (const tw::AppError& error) {
        std::fprintf(stderr, "Error %d: %s\n", error.number(), qPrintable(error.description()));
        return 1;
    }
}
