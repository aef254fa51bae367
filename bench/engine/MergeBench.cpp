#include "MergeBench.h"

#include <sqlite3.h>

#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <functional>

#include "db/Database.h"
#include "db/Recordset.h"
#include "db/SqliteSchemaBuilder.h"
#include "db/SqliteStatement.h"

namespace tw::bench {

namespace {

constexpr int kMergeRounds = 3;
const QString kSource = QStringLiteral("bench");

void stage(Database& db, int games, int playersPerGame) {
    sqlite3* h = db.handle();
    sqlite::exec(h, "BEGIN", kSource);
    sqlite::Statement p1(h, QStringLiteral("INSERT INTO zLoad_Panel_1 VALUES (?,?,?,'RED',?)"),
                         kSource);
    sqlite::Statement p2(h, QStringLiteral("INSERT INTO zLoad_Panel_2 VALUES (?,?,?,?,?)"),
                         kSource);
    sqlite::Statement p5(h, QStringLiteral("INSERT INTO zLoad_Panel_5 VALUES (?,?,?,?,?)"),
                         kSource);
    for (int game = 1; game <= games; ++game) {
        for (int seat = 0; seat < playersPerGame; ++seat) {
            const Variant id(game);
            const Variant tag(
                QStringLiteral("Player %1").arg((game * 7 + seat * 13) % 5000 + seat * 5000));
            p1.bind(1, id), p1.bind(2, tag), p1.bind(3, Variant(seat + 1)),
                p1.bind(4, Variant(seat * 10));
            p1.step(), p1.reset();
            p2.bind(1, id), p2.bind(2, tag), p2.bind(3, Variant(seat)), p2.bind(4, Variant(2)),
                p2.bind(5, Variant(7));
            p2.step(), p2.reset();
            if (game % 10 != 0) {  // every tenth game partially purged: no hits panel
                p5.bind(1, id), p5.bind(2, tag), p5.bind(3, Variant(30)), p5.bind(4, Variant(90)),
                    p5.bind(5, Variant(4));
                p5.step(), p5.reset();
            }
        }
    }
    sqlite::exec(h, "COMMIT", kSource);
}

int copyThroughLayer(Database& db) {
    auto target = db.openRecordset(QStringLiteral("Game_Player"));
    auto merge = db.openRecordset(QStringLiteral("q_zLoad_Merge"));
    int rows = 0;
    for (; !merge->isEof(); merge->moveNext(), ++rows) {
        target->addNew();
        for (int i = 0; i < merge->fieldCount(); ++i) {
            const QString name = merge->fieldName(i);
            target->setField(name, merge->field(name));
        }
        target->update();
    }
    merge->close();
    target->close();
    return rows;
}

int copyRaw(sqlite3* h) {
    sqlite::exec(h, "BEGIN", kSource);
    sqlite::Statement merge(h, QStringLiteral("SELECT * FROM q_zLoad_Merge"), kSource);
    sqlite::Statement insert(
        h, QStringLiteral("INSERT INTO Game_Player VALUES (?,?,?,?,?,?,?,?,?,?,?)"), kSource);
    int rows = 0;
    while (merge.step()) {
        for (int i = 0; i < 11; ++i) {
            sqlite3_bind_value(insert.get(), i + 1, sqlite3_column_value(merge.get(), i));
        }
        insert.step();
        insert.reset();
        ++rows;
    }
    sqlite::exec(h, "COMMIT", kSource);
    return rows;
}

double seconds(const std::function<int()>& run, int* rows) {
    QElapsedTimer timer;
    timer.start();
    *rows = run();
    return static_cast<double>(timer.nsecsElapsed()) / 1e9;
}

}  // namespace

MergeTiming timeMergeLoop(const QString& folder, int games, int playersPerGame) {
    const QString path = folder + QStringLiteral("/bench_merge.mdb");
    QFile::remove(path);
    sqlite::createStatisticsDatabase(path, QStringLiteral(TALLYWICK_SOURCE_DIR "/src/db"));
    auto db = Database::open(path);
    stage(*db, games, playersPerGame);
    MergeTiming timing{0, 1e9, 1e9};
    for (int round = 0; round < kMergeRounds; ++round) {
        db->execute(QStringLiteral("delete * from Game_Player"));
        timing.raw =
            std::min(timing.raw, seconds([&] { return copyRaw(db->handle()); }, &timing.rows));
        db->execute(QStringLiteral("delete * from Game_Player"));
        timing.engine =
            std::min(timing.engine, seconds([&] { return copyThroughLayer(*db); }, &timing.rows));
    }
    db->close();
    QFile::remove(path);
    return timing;
}

}  // namespace tw::bench
