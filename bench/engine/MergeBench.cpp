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

constexpr int kRounds = 3;
const QString kSource = QStringLiteral("bench");

void Stage(Database& db, int games, int playersPerGame) {
    sqlite3* h = db.handle();
    sqlite::Exec(h, "BEGIN", kSource);
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
            p1.Bind(1, id), p1.Bind(2, tag), p1.Bind(3, Variant(seat + 1)),
                p1.Bind(4, Variant(seat * 10));
            p1.Step(), p1.Reset();
            p2.Bind(1, id), p2.Bind(2, tag), p2.Bind(3, Variant(seat)), p2.Bind(4, Variant(2)),
                p2.Bind(5, Variant(7));
            p2.Step(), p2.Reset();
            if (game % 10 != 0) {  // every tenth game partially purged: no hits panel
                p5.Bind(1, id), p5.Bind(2, tag), p5.Bind(3, Variant(30)), p5.Bind(4, Variant(90)),
                    p5.Bind(5, Variant(4));
                p5.Step(), p5.Reset();
            }
        }
    }
    sqlite::Exec(h, "COMMIT", kSource);
}

int CopyThroughLayer(Database& db) {
    auto target = db.OpenRecordset(QStringLiteral("Game_Player"));
    auto merge = db.OpenRecordset(QStringLiteral("q_zLoad_Merge"));
    int rows = 0;
    for (; !merge->IsEOF(); merge->MoveNext(), ++rows) {
        target->AddNew();
        for (int i = 0; i < merge->FieldCount(); ++i) {
            const QString name = merge->FieldName(i);
            target->SetField(name, merge->Field(name));
        }
        target->Update();
    }
    merge->Close();
    target->Close();
    return rows;
}

int CopyRaw(sqlite3* h) {
    sqlite::Exec(h, "BEGIN", kSource);
    sqlite::Statement merge(h, QStringLiteral("SELECT * FROM q_zLoad_Merge"), kSource);
    sqlite::Statement insert(
        h, QStringLiteral("INSERT INTO Game_Player VALUES (?,?,?,?,?,?,?,?,?,?,?)"), kSource);
    int rows = 0;
    while (merge.Step()) {
        for (int i = 0; i < 11; ++i) {
            sqlite3_bind_value(insert.get(), i + 1, sqlite3_column_value(merge.get(), i));
        }
        insert.Step();
        insert.Reset();
        ++rows;
    }
    sqlite::Exec(h, "COMMIT", kSource);
    return rows;
}

double Seconds(const std::function<int()>& run, int* rows) {
    QElapsedTimer timer;
    timer.start();
    *rows = run();
    return static_cast<double>(timer.nsecsElapsed()) / 1e9;
}

}  // namespace

MergeTiming TimeMergeLoop(const QString& folder, int games, int playersPerGame) {
    const QString path = folder + QStringLiteral("/bench_merge.mdb");
    QFile::remove(path);
    sqlite::CreateStatisticsDatabase(path, QStringLiteral(TALLYWICK_SOURCE_DIR "/src/db"));
    auto db = Database::Open(path);
    Stage(*db, games, playersPerGame);
    MergeTiming timing{0, 1e9, 1e9};
    for (int round = 0; round < kRounds; ++round) {
        db->Execute(QStringLiteral("delete * from Game_Player"));
        timing.raw =
            std::min(timing.raw, Seconds([&] { return CopyRaw(db->handle()); }, &timing.rows));
        db->Execute(QStringLiteral("delete * from Game_Player"));
        timing.engine =
            std::min(timing.engine, Seconds([&] { return CopyThroughLayer(*db); }, &timing.rows));
    }
    db->Close();
    QFile::remove(path);
    return timing;
}

}  // namespace tw::bench
