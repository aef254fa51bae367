// The saved-query library of the delivered settings file, run through the
// query service on a database the simulated site filled: every query under
// all nine filter combinations, without one error.

#include "LibraryProgram.h"
#include "query/QueryRunner.h"

namespace tw::testing {
namespace {

TEST(DeliveredLibraryTest, TwentyOrMoreQueriesEachFilterableWithGraphsAndPictures) {
    const std::vector<Delivered> queries = deliveredQueries();
    ASSERT_GE(queries.size(), 20u);
    int graphs = 0;
    QString all;
    for (const Delivered& query : queries) {
        EXPECT_FALSE(query.name.isEmpty());
        EXPECT_TRUE(query.sql.contains(QLatin1String("WHERE"))) << query.name.toStdString();
        // Every WHERE scope reaches Player and Game under those names.
        EXPECT_TRUE(query.sql.contains(QLatin1String("Player "))) << query.name.toStdString();
        EXPECT_TRUE(query.sql.contains(QLatin1String("Game "))) << query.name.toStdString();
        graphs += query.name.contains(QLatin1String("Graph"), Qt::CaseInsensitive) ? 1 : 0;
        all += query.sql;
    }
    EXPECT_GE(graphs, 3);
    EXPECT_TRUE(all.contains(QLatin1String("AS Medal,")));
    EXPECT_TRUE(all.contains(QLatin1String("AS [Level],")));
    EXPECT_TRUE(all.contains(QLatin1String("AS Color,")));
}

using SavedQueryLibraryTest = LibraryProgramTest;

TEST_F(SavedQueryLibraryTest, EveryQueryRunsUnderAllFiltersAndFindsTheDownloadedPlayer) {
    std::vector<Delivered> queries;
    downloadWorldWithLibrary(&queries);
    ASSERT_FALSE(HasFatalFailure());
    const QStringList tags = site().featuredGamertags();
    state_->settings.autoGridHighlight = true;
    prompter_->acknowledgeOkMessages(true);
    for (size_t n = 0; n < queries.size(); ++n) {
        const std::string name = queries[n].name.toStdString();
        for (int player = 1; player <= 3; ++player) {
            for (int game = 1; game <= 3; ++game) {
                const QueryResult result = runQuery(
                    *state_, savedQueryRequest(*state_, static_cast<int>(n + 1),
                                               playerFilterAt(player), gameFilterAt(game)));
                ASSERT_FALSE(result.error)
                    << name << " player " << player << " game " << game << ": "
                    << result.error->description().toStdString() << "\n"
                    << result.statement.toStdString();
                if (player == 3 && game == 1) {
                    EXPECT_GT(result.records, 0)
                        << name << " finds nothing for " << tags[0].toStdString();
                    const bool graph = queries[n].name.contains(QLatin1String("Graph"));
                    EXPECT_EQ(result.chart.has_value(), graph) << name;
                    EXPECT_EQ(result.rows > 1, !graph) << name;
                }
            }
        }
    }
}

}  // namespace
}  // namespace tw::testing
