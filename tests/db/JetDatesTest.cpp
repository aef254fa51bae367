// Dates: #m/d/yyyy# literals, text written into date columns, date results
// typed as dates, comparisons and the date parts.

#include <gtest/gtest.h>

#include "JetTestDb.h"

namespace tw::jettest {

namespace {

class JetDates : public ::testing::Test {
  protected:
    void SetUp() override {
        db_.raw(
            "INSERT INTO Player (Player_Gamertag, Is_Selectable) VALUES ('Alice','Y');"
            "INSERT INTO Game (Game_ID, Date_Time_Stamp, Playlist) VALUES"
            " (1,'2005-01-05 20:03:00','Team Slayer'),(2,'2005-02-01 08:00:00','Team Slayer'),"
            " (3,'2005-03-01 00:00:00','Arranged Game');");
    }
    JetTestDb db_;
};

TEST_F(JetDates, TextWrittenIntoADateColumnIsStoredInStorageForm) {
    EXPECT_EQ(db_.execute("update Player set Last_Game_ID=5, Last_Download='12/6/2026 8:03:00 PM' "
                          "where Player_Gamertag='Alice'"),
              1);
    EXPECT_EQ(db_.rawScalar("SELECT Last_Download FROM Player").toText(), "2026-12-06 20:03:00");
    db_.execute("update Player set Last_Download = #1/15/2005 8:03 PM#");
    EXPECT_EQ(db_.rawScalar("SELECT Last_Download FROM Player").toText(), "2005-01-15 20:03:00");
    // values by column position: the third column of Game is its date
    db_.execute(
        "insert into Game values (4, 'Slayer', '1/15/2005 8:03 PM', 'Lockout', 'x', 'N', 1)");
    EXPECT_EQ(db_.rawScalar("SELECT Date_Time_Stamp FROM Game WHERE Game_ID=4").toText(),
              "2005-01-15 20:03:00");
    db_.execute("insert into Game (Date_Time_Stamp, Game_ID) values (Null, 5)");
    db_.execute("insert into Game (Game_ID, Date_Time_Stamp) select 6, '2/3/2005 1:02:03 AM'");
    EXPECT_EQ(db_.rawScalar("SELECT Date_Time_Stamp FROM Game WHERE Game_ID=6").toText(),
              "2005-02-03 01:02:03");
    EXPECT_TRUE(db_.rawScalar("SELECT Date_Time_Stamp FROM Game WHERE Game_ID=5").isNull());
    EXPECT_EQ(errorNumberOf([&] { db_.execute("update Player set Last_Download='soon'"); }),
              err::kTypeMismatch);
}

TEST_F(JetDates, DateResultsAreTypedAsDates) {
    const Result r = db_.query(
        "select Min(Date_Time_Stamp) AS First_Game, Max(Date_Time_Stamp) AS "
        "Last_Game, Count(*) AS N, IIf(1=1, #1/1/2005#, Null) AS D, "
        "Sum(Game_ID) AS S, Avg(Game_ID) AS A from Game");
    using Type = jet::ColumnType;
    EXPECT_EQ(r.types, (std::vector<Type>{Type::Date, Type::Date, Type::Integer, Type::Date,
                                          Type::Integer, Type::Double}));
    EXPECT_EQ(r.rows[0][0].toText(), "2005-01-05 20:03:00");
    EXPECT_EQ(r.rows[0][1].toText(), "2005-03-01 00:00:00");
    EXPECT_EQ(r.rows[0][3].toText(), "2005-01-01 00:00:00");
    EXPECT_EQ(jet::translate("select Now() AS T", db_.catalog()).columns[0].type,
              jet::ColumnType::Date);
}

TEST_F(JetDates, DatePartsAndDatesAsText) {
    const Result r = db_.query(
        "select Year(Date_Time_Stamp), Month(Date_Time_Stamp), "
        "Day(Date_Time_Stamp), Hour(Date_Time_Stamp), "
        "Date_Time_Stamp & '', Weekday(Date_Time_Stamp) from Game "
        "where Game_ID = 1");
    EXPECT_EQ(r.rows[0][0].toLong(), 2005);
    EXPECT_EQ(r.rows[0][1].toLong(), 1);
    EXPECT_EQ(r.rows[0][2].toLong(), 5);
    EXPECT_EQ(r.rows[0][3].toLong(), 20);
    EXPECT_EQ(r.rows[0][4].toText(), "1/5/2005 8:03:00 PM");
    EXPECT_EQ(r.rows[0][5].toLong(), 4);  // a Wednesday, Sunday being 1
    EXPECT_EQ(db_.scalar("select #3/1/2005# & ''").toText(), "3/1/2005");
    EXPECT_EQ(errorNumberOf([&] { db_.query("select Year('no date')"); }), err::kTypeMismatch);
    const QString now = db_.scalar("select Now()").toText();
    EXPECT_TRUE(parseDateText(now).isValid()) << now.toStdString();
    EXPECT_EQ(now.size(), 19);
}

TEST_F(JetDates, ComparisonsArithmeticAndIntervals) {
    const struct {
        const char* sql;
        const char* expected;
    } cases[] = {
        // date literals and date texts compare with date columns
        {"select Count(*) from Game where Date_Time_Stamp > #1/31/2005#", "2"},
        {"select Count(*) from Game where Date_Time_Stamp = #1/5/2005 8:03:00 PM#", "1"},
        {"select Count(*) from Game where Date_Time_Stamp Between #2/1/2005# And '3/1/2005'", "2"},
        {"select Count(*) from Game where Date_Time_Stamp < '2/1/2005'", "1"},
        {"select Count(*) from Game where Date_Time_Stamp >= #3/2/2005# - 30", "2"},
        {"select #1/31/2005 8:00 PM# + 1", "2005-02-01 20:00:00"},
        {"select #3/1/2005# - #2/1/2005#", "28"},
        {"select DateAdd('m', 1, #1/31/2005#)", "2005-02-28 00:00:00"},
        {"select DateAdd('h', -2, #1/1/2005#)", "2004-12-31 22:00:00"},
        {"select DateAdd('d', Null, #1/1/2005#)", "Null"},
        {"select DateDiff('m', #1/31/2005#, #2/1/2005#)", "1"},
        {"select DateDiff('d', #1/1/2005 11:00 PM#, #1/2/2005 1:00 AM#)", "1"},
        {"select DateDiff('yyyy', #12/31/2004#, #1/1/2005#)", "1"},
        {"select DatePart('q', #8/15/2005#)", "3"},
        {"select DatePart('y', #2/1/2005#)", "32"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sql);
        const Variant v = db_.scalar(QString::fromUtf8(c.sql));
        EXPECT_EQ(v.isNull() ? QStringLiteral("Null") : v.toText(), QString::fromUtf8(c.expected));
    }
    const struct {
        const char* sql;
        int number;
    } errors[] = {
        {"select DateAdd('x', 1, #1/1/2005#)", 5},
        {"select * from Game where Date_Time_Stamp > #13/45/2005#", err::kSyntaxError},
        {"select * from Game where Date_Time_Stamp > #1/1/2005", err::kSyntaxError},
    };
    for (const auto& e : errors) {
        SCOPED_TRACE(e.sql);
        EXPECT_EQ(errorNumberOf([&] { db_.query(QString::fromUtf8(e.sql)); }), e.number);
    }
}

}  // namespace

}  // namespace tw::jettest
