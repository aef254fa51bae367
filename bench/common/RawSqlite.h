#pragma once
// What every benchmark measures the program against: the same translated SQL
// stepped straight through the SQLite C API, every column of every row read
// as text. Plus the shared large database and a timer.

#include <sqlite3.h>

#include <QString>
#include <cstdint>
#include <functional>

#include "db/Database.h"

namespace tw::bench {

// Steps `sql` to its end, reading every column; returns the row count.
int64_t stepAllRows(sqlite3* db, const QString& sql);

// Translates `jetSql` as the engine would and steps it raw (a crosstab runs
// its two steps: the pivot values, then the final statement).
int64_t runTranslatedRaw(Database& db, const QString& jetSql);

// The large benchmark database shared by the benchmarks (built once, about
// 90 s, kept in the build folder); `rebuild` throws the old one away first.
QString benchDatabasePath(bool rebuild);

// Wall-clock seconds taken by `run`.
double secondsOf(const std::function<void()>& run);

// A benchmark's main: `run` gets whether the first argument is "--rebuild";
// an engine error is printed as "Error N: description" and exits 1.
int runBenchmark(int argc, char** argv, const std::function<int(bool rebuild)>& run);

}  // namespace tw::bench
