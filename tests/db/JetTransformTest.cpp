// Crosstabs: pivot columns ascending, a Null pivot value as the column "<>",
// an IN list fixing the columns, numeric pivots, empty combinations Null.

#include <gtest/gtest.h>

#include "JetTestDb.h"

namespace tw::jettest {

namespace {

class JetTransform : public ::testing::Test {
  protected:
    void SetUp() override {
        db_.raw(
            "INSERT INTO Game (Game_ID, Type, Map, Playlist, Duration_Seconds) VALUES"
            " (1,'Slayer','zanzibar','A',10),(2,'Slayer','Ascension','A',20),"
            " (3,'CTF',NULL,'B',30),(4,'CTF','ascension','B',40),(5,'Slayer','Zanzibar','B',50);");
    }
    // Every row as "v|v|...", Null as "Null".
    static std::vector<std::string> rows(const Result& r) {
        std::vector<std::string> rows;
        for (const Row& row : r.rows) {
            std::string line;
            for (size_t c = 0; c < row.size(); ++c) {
                line += (c ? "|" : "") +
                        (row[c].isNull() ? std::string("Null") : row[c].toText().toStdString());
            }
            rows.push_back(line);
        }
        return rows;
    }
    JetTestDb db_;
};

TEST_F(JetTransform, PivotValuesAscendingWithNullFirstAsAngleBrackets) {
    const Result r = db_.query(
        "TRANSFORM Sum(Duration_Seconds) SELECT Type FROM Game GROUP BY Type "
        "PIVOT Map");
    // letter case does not split a pivot value
    ASSERT_EQ(r.names, (std::vector<QString>{"Type", "<>", "Ascension", "zanzibar"}));
    EXPECT_EQ(rows(r), (std::vector<std::string>{"CTF|30|40|Null", "Slayer|Null|20|60"}));
}

TEST_F(JetTransform, InListFixesTheColumnsAndTheirOrder) {
    const Result r = db_.query(
        "TRANSFORM Count(*) AS N SELECT Type FROM Game WHERE Map Is Not Null "
        "GROUP BY Type PIVOT Playlist IN ('B', 'A', 'C')");
    ASSERT_EQ(r.names, (std::vector<QString>{"Type", "B", "A", "C"}));
    EXPECT_EQ(rows(r), (std::vector<std::string>{"CTF|1|Null|Null", "Slayer|1|2|Null"}));
}

TEST_F(JetTransform, NumericPivotAndTheTwoSteps) {
    const QString pivot = QStringLiteral(
        "TRANSFORM Count(Game_ID) SELECT Playlist FROM Game GROUP BY Playlist PIVOT "
        "Duration_Seconds \\ 20");
    const jet::Translation t = jet::translate(pivot, db_.catalog());
    ASSERT_EQ(t.kind, jet::Translation::Kind::Transform);
    ASSERT_TRUE(static_cast<bool>(t.finalSql));
    const Result r = db_.query(pivot);
    // 10\20 = 0, 20\20 = 1, 30\20 = 1, 40\20 = 2, 50\20 = 2
    ASSERT_EQ(r.names, (std::vector<QString>{"Playlist", "0", "1", "2"}));
    EXPECT_EQ(rows(r), (std::vector<std::string>{"A|1|1|Null", "B|Null|1|2"}));
}

TEST_F(JetTransform, NoRowsGiveNoPivotColumns) {
    const Result r = db_.query(
        "TRANSFORM Count(*) SELECT Type FROM Game WHERE Game_ID > 99 GROUP BY "
        "Type PIVOT Map");
    EXPECT_EQ(r.names, (std::vector<QString>{"Type"}));
    EXPECT_TRUE(r.rows.empty());
}

}  // namespace

}  // namespace tw::jettest
