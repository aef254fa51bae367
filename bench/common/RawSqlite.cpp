#include "RawSqlite.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <vector>

#include "BenchData.h"
#include "db/jet/Translator.h"

namespace tw::bench {

int64_t stepAllRows(sqlite3* db, const QString& sql) {
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

int64_t runTranslatedRaw(Database& db, const QString& jetSql) {
    jet::Translation translation = jet::translate(jetSql, db.catalog());
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
    return stepAllRows(db.handle(), translation.sql);
}

QString benchDatabasePath(bool rebuild) {
    QString path = QStringLiteral(BENCH_SHARED_DATA_DIR "/bench_data.mdb");
    if (rebuild) {
        QFile::remove(path);
    }
    if (!QFileInfo::exists(path)) {
        std::printf("building %s ...\n", qPrintable(path));
        std::fflush(stdout);
        QElapsedTimer timer;
        timer.start();
        buildBenchDatabase(path, BenchSize());
        std::printf("built in %.1f s\n", static_cast<double>(timer.elapsed()) / 1000.0);
    }
    return path;
}

double secondsOf(const std::function<void()>& run) {
    QElapsedTimer timer;
    timer.start();
    run();
    return static_cast<double>(timer.nsecsElapsed()) / 1e9;
}

int runBenchmark(int argc, char** argv, const std::function<int(bool rebuild)>& run) {
    const bool rebuild = argc > 1 && QString::fromLocal8Bit(argv[1]) == QStringLiteral("--rebuild");
    try {
        return run(rebuild);
    } catch (const AppError& error) {
        std::fprintf(stderr, "Error %d: %s\n", error.number(), qPrintable(error.description()));
        return 1;
    }
}

}  // namespace tw::bench
