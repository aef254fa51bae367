// bench_query [--rebuild]: one saved query returning 20,000 rows of 11
// columns from the large benchmark database (250,000 games, 2,000,000
// Game_Player rows), run by the window's Run button into the result grid, against
// the same translated statement stepped straight through SQLite with every
// value read as text. Best of five rounds each, side by side in one run.

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <cstdio>

#include "RawSqlite.h"
#include "core/Session.h"
#include "db/Database.h"
#include "db/jet/Translator.h"
#include "gui/MainWindow.h"
#include "gui/QueryPanel.h"
#include "gui/ResultGrid.h"
#include "support/ScriptedPrompter.h"

namespace tw::bench {
namespace {

constexpr int kRounds = 5;

const QString kQuery = QStringLiteral(
    "SELECT Game_Player.Player_Gamertag, Game.Date_Time_Stamp, Game.Type, Game.Map, "
    "Game.Playlist, Game_Player.Score, Game_Player.Kills, Game_Player.Deaths, "
    "Game_Player.Assists, Game_Player.Shots_Fired, Game_Player.Shots_Hit "
    "FROM (Game INNER JOIN Game_Player ON Game.Game_ID = Game_Player.Game_ID) "
    "INNER JOIN Player ON Player.Player_Gamertag = Game_Player.Player_Gamertag "
    "WHERE Game.Game_ID <= 2500 ORDER BY Game.Game_ID, Game_Player.Player_Gamertag");

double stepRaw(Database& db, int64_t* rows) {
    const jet::Translation translation = jet::translate(kQuery, db.catalog());
    return secondsOf([&] { *rows = stepAllRows(db.handle(), translation.sql); });
}

double fillGrid(MainWindow& window) {
    return secondsOf([&] { window.runQueryButton->click(); });
}

int run(bool rebuild) {
    const QString path = benchDatabasePath(rebuild);
    ScriptedPrompter prompter;
    Session state;
    state.prompter = &prompter;
    state.programDir = QStringLiteral(BENCH_DATA_DIR);
    state.db = Database::open(path);
    state.queryNames[1] = QStringLiteral("Bench");
    state.querySql[1] = kQuery;
    MainWindow window;
    window.queryList->addItem(QStringLiteral("- Select a Query -"));
    window.queryList->addItem(state.queryNames[1]);
    window.queryList->setCurrentIndex(1);
    window.show();
    new QueryPanel(state, window);  // a child of the window

    double grid = 1e9;
    double raw = 1e9;
    int64_t rawRows = 0;
    for (int round = 0; round < kRounds; ++round) {
        raw = std::min(raw, stepRaw(*state.db, &rawRows));
        grid = std::min(grid, fillGrid(window));
    }
    const int gridRows = window.resultGrid->rows() - 1;
    std::printf("%-28s %8s %8s %10s\n", "", "rows", "columns", "best [s]");
    std::printf("%-28s %8lld %8d %10.4f\n", "straight through SQLite",
                static_cast<long long>(rawRows), 11, raw);
    std::printf("%-28s %8d %8d %10.4f\n", "Run Query into grid", gridRows,
                window.resultGrid->cols(), grid);
    std::printf("ratio grid / sqlite: %.2f\n", grid / raw);
    std::printf("label: %s\n", qPrintable(window.recordCount->text()));
    std::printf("goal: grid under 1 s (%s), ratio at most 5 (%s)\n", grid < 1.0 ? "met" : "NOT met",
                grid / raw <= 5.0 ? "met" : "NOT met");
    return gridRows == rawRows && prompter.calls().empty() ? 0 : 1;
}

}  // namespace
}  // namespace tw::bench

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    return tw::bench::runBenchmark(argc, argv, tw::bench::run);
}
