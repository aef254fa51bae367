// The numbers of every delivered saved query, checked against statements
// written straight for SQLite on the database a download from the simulated
// site filled: row counts, keys, totals, counts, averages, ratios, dates and
// the order of the rows, unfiltered and under two filter combinations.

#include <sqlite3.h>

#include <algorithm>
#include <map>

#include "ExpectedNumbers.h"
#include "LibraryProgram.h"
#include "db/Database.h"
#include "query/QueryRunner.h"
#include "support/QtPrinters.h"

namespace tw::testing {
namespace {

// One option-button combination and the same conditions in SQLite.
struct Filter {
    int player;  // playerFilterOptions index
    int game;    // gameFilterOptions index
    QString p;
    QString g;
    const char* label;
};

struct Shown {
    std::vector<QStringList> rows;  // without the header row
    int columns = 0;
    int64_t counted = 0;
};

QString keyOf(const Expectation& expected, const QStringList& shown) {
    QStringList parts;
    for (int c : expected.key) {
        parts << keyOfShown(expected.columns[c], shown.value(c));
    }
    return parts.join(QChar(0x1f));
}

QString keyOf(const Expectation& expected, const Row& row) {
    QStringList parts;
    for (int c : expected.key) {
        parts << keyOfValue(expected.columns[c], row[c]);
    }
    return parts.join(QChar(0x1f));
}

// Counts, order and every value of one run; at most a few failures each.
void compare(const Expectation& expected, const Shown& shown, const std::vector<Row>& rows) {
    if (!rows.empty()) {  // an empty result leaves the grid without columns
        ASSERT_EQ(shown.columns, static_cast<int>(expected.columns.size()));
    }
    EXPECT_EQ(shown.rows.size(), rows.size()) << "rows in the grid";
    EXPECT_EQ(shown.counted, static_cast<int64_t>(rows.size())) << "records counted";
    const size_t common = std::min(shown.rows.size(), rows.size());
    for (size_t i = 0; i < common; ++i) {
        for (int c : expected.order) {
            if (const auto why =
                    mismatch(expected.columns[c], shown.rows[i].value(c), rows[i][c])) {
                ADD_FAILURE() << "order: row " << i + 1 << " column " << c << " shows \""
                              << shown.rows[i].value(c).toStdString() << "\", "
                              << why->toStdString();
                i = common;
                break;
            }
        }
    }
    std::vector<std::pair<QString, const QStringList*>> grid;
    for (const QStringList& row : shown.rows) {
        grid.emplace_back(keyOf(expected, row), &row);
    }
    std::vector<std::pair<QString, const Row*>> straight;
    straight.reserve(rows.size());
    for (const Row& row : rows) {
        straight.emplace_back(keyOf(expected, row), &row);
    }
    const auto byKey = [](const auto& a, const auto& b) { return a.first < b.first; };
    std::stable_sort(grid.begin(), grid.end(), byKey);
    std::stable_sort(straight.begin(), straight.end(), byKey);
    int failures = 0;
    for (size_t i = 0; i < common && failures < 5; ++i) {
        if (grid[i].first != straight[i].first) {
            ADD_FAILURE() << "a row the grid shows: " << grid[i].first.toStdString()
                          << "\n where SQLite has: " << straight[i].first.toStdString();
            ++failures;
            continue;
        }
        for (size_t c = 0; c < expected.columns.size(); ++c) {
            const QString cell = grid[i].second->value(static_cast<int>(c));
            if (const auto why = mismatch(expected.columns[c], cell, (*straight[i].second)[c])) {
                ADD_FAILURE() << "row " << grid[i].first.toStdString() << ", column " << c
                              << " shows \"" << cell.toStdString() << "\", " << why->toStdString();
                ++failures;
            }
        }
    }
}

using SavedQueryNumbersTest = LibraryProgramTest;

TEST_F(SavedQueryNumbersTest, EveryQueryShowsWhatSqliteComputesStraight) {
    std::vector<Delivered> queries;
    downloadWorldWithLibrary(&queries);
    ASSERT_FALSE(HasFatalFailure());
    const QStringList tags = site().featuredGamertags();
    prompter_->acknowledgeOkMessages(true);
    const QString me = state_->currentGamertag;  // the player the download ended with
    ASSERT_TRUE(tags.contains(me));
    const std::vector<Filter> filters = {
        {1, 1, QStringLiteral("1"), QStringLiteral("1"), "all players, all games"},
        {3, 2, QStringLiteral("p.Player_Gamertag = '") + me + QLatin1Char('\''),
         QStringLiteral("g.Playlist <> 'Arranged Game'"), "me, ranked games"},
        {2, 3, QStringLiteral("p.Is_Selectable = 'Y'"),
         QStringLiteral("g.Playlist = 'Arranged Game'"), "tag list, unranked games"},
    };

    // Every query through the query service, graphs into the grid too.
    std::map<std::pair<size_t, size_t>, Shown> shown;
    for (size_t n = 0; n < queries.size(); ++n) {
        for (size_t f = 0; f < filters.size(); ++f) {
            QueryRequest request =
                savedQueryRequest(*state_, static_cast<int>(n + 1),
                                  playerFilterAt(filters[f].player), gameFilterAt(filters[f].game));
            request.chartGraphQueries = false;
            const QueryResult result = runQuery(*state_, request);
            ASSERT_FALSE(result.error) << queries[n].name.toStdString() << ", " << filters[f].label
                                       << ": " << result.error->description().toStdString();
            Shown& run = shown[{n, f}];
            run.columns = result.columns;
            run.counted = result.records;
            for (int r = 1; r < result.rows; ++r) {
                QStringList cells;
                for (int c = 0; c < result.columns; ++c) {
                    cells << result.text(r, c);
                }
                run.rows.push_back(cells);
            }
        }
    }

    // The program lets go of its database; SQLite reads the file itself.
    state_->db.reset();
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(filePath(QStringLiteral("tallywick110.mdb")).toUtf8().constData(),
                              &db, SQLITE_OPEN_READONLY, nullptr),
              SQLITE_OK);
    size_t filteredRows = 0;
    for (size_t n = 0; n < queries.size(); ++n) {
        const auto expected =
            std::find_if(expectations().begin(), expectations().end(),
                         [&](const Expectation& e) { return e.name == queries[n].name; });
        ASSERT_NE(expected, expectations().end())
            << "no independent statement for " << queries[n].name.toStdString();
        for (size_t f = 0; f < filters.size(); ++f) {
            SCOPED_TRACE(queries[n].name.toStdString() + ", " + filters[f].label);
            QString sql = expected->sql;
            sql.replace(QStringLiteral("{P}"), filters[f].p)
                .replace(QStringLiteral("{G}"), filters[f].g);
            QString error;
            const std::vector<Row> rows = runSqlite(db, sql, &error);
            ASSERT_EQ(error, QString()) << sql.toStdString();
            if (f == 0) {
                EXPECT_FALSE(rows.empty()) << "the world gives every query rows";
            } else {
                filteredRows += rows.size();
            }
            compare(*expected, shown[{n, f}], rows);
        }
    }
    EXPECT_GT(filteredRows, queries.size()) << "the filtered runs have rows to compare";
    sqlite3_close(db);
}

}  // namespace
}  // namespace tw::testing
