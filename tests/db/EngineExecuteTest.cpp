// Execute: one action statement, rows affected, errors by number, and the
// hand-over of SELECT ... INTO to the outside-file writer.

#include "EngineTestSupport.h"
#include "db/ExternalWriter.h"
#include "db/Recordset.h"

namespace tw::test {
namespace {

using Executing = EngineTest;

const QString kDuplicateText = QStringLiteral(
    "3022: The changes you requested to the table were not successful because they would "
    "create duplicate values in the index, primary key, or relationship. Change the data in the "
    "field or fields that contain duplicate data, remove the index, or redefine the index to "
    "permit duplicate entries and try again.");

int64_t countOf(Database& db, const QString& sql) {
    return db.openRecordset(sql)->field(0).toLong();
}

TEST_F(Executing, ReturnsTheRowsAffected) {
    EXPECT_EQ(db_->execute(QStringLiteral("insert into Clan values('Red','','','','')")), 1);
    EXPECT_EQ(db_->execute(QStringLiteral("insert into Clan values('Blue','','','','')")), 1);
    EXPECT_EQ(db_->execute(QStringLiteral("update Clan set Website_URL = 'x' where Clan_Name "
                                          "<> 'nobody'")),
              2);
    EXPECT_EQ(db_->execute(QStringLiteral("delete * from Clan where Clan_Name = 'RED'")), 1);
    EXPECT_EQ(db_->execute(QStringLiteral("delete * from Clan where Clan_Name = 'Red'")), 0);
}

TEST_F(Executing, DuplicateKeyIs3022AlsoWhenOnlyTheLetterCaseDiffers) {
    Run(QStringLiteral("insert into Clan values('Red Team','','','','')"));
    EXPECT_EQ(errorTextOf(
                  [&] { Run(QStringLiteral("insert into Clan values('Red Team','','','','')")); }),
              kDuplicateText);
    EXPECT_EQ(errorNumberOf(
                  [&] { Run(QStringLiteral("insert into Clan values('RED TEAM','','','','')")); }),
              3022);
    Run(QStringLiteral("insert into Game_Player (Game_ID, Player_Gamertag) values (1, 'Alpha')"));
    EXPECT_EQ(errorNumberOf([&] {
                  Run(QStringLiteral(
                      "insert into Game_Player (Game_ID, Player_Gamertag) values (1, 'ALPHA')"));
              }),
              3022);
    Run(QStringLiteral("insert into Game_Player (Game_ID, Player_Gamertag) values (2, 'ALPHA')"));
    EXPECT_EQ(countOf(*db_, QStringLiteral("select count(*) from Game_Player")), 2);
    EXPECT_EQ(countOf(*db_, QStringLiteral("select count(*) from Clan")), 1);
}

TEST_F(Executing, RunsExactlyOneStatement) {
    Run(QStringLiteral("insert into Clan values('Red','','','','')"));
    EXPECT_EQ(errorTextOf([&] { Run(QStringLiteral("delete * from Player; delete * from Clan")); }),
              QStringLiteral("3142: Characters found after end of SQL statement."));
    EXPECT_EQ(countOf(*db_, QStringLiteral("select count(*) from Clan")), 1);
    // A closing semicolon is no second statement.
    EXPECT_EQ(db_->execute(QStringLiteral("DELETE Clan.* FROM Clan WHERE Clan_Name = 'Red';")), 1);
}

TEST_F(Executing, RefusesRowReturningStatementsAndUnknownTables) {
    EXPECT_EQ(errorTextOf([&] { Run(QStringLiteral("select * from Player")); }),
              QStringLiteral("3065: Cannot execute a select query."));
    EXPECT_EQ(errorNumberOf([&] { Run(QStringLiteral("delete * from Players")); }), 3078);
    EXPECT_EQ(errorNumberOf([&] { db_->openRecordset(QStringLiteral("delete * from Player")); }),
              3219);
}

TEST_F(Executing, EvaluationErrorsOfTheStatementArriveByNumber) {
    Run(
        QStringLiteral("insert into Game_Player (Game_ID, Player_Gamertag, Kills, Deaths) values "
                       "(1, 'Alpha', 10, 0)"));
    EXPECT_EQ(errorNumberOf([&] {
                  auto rows = db_->openRecordset(
                      QStringLiteral("select Kills/Deaths AS R from Game_Player"));
                  rows->field(0);
              }),
              err::kDivisionByZero);
    EXPECT_EQ(errorNumberOf(
                  [&] { Run(QStringLiteral("update Game_Player set Kills = Kills / Deaths")); }),
              err::kDivisionByZero);
    EXPECT_EQ(countOf(*db_, QStringLiteral("select Kills from Game_Player")), 10);
}

// Writes made through a recordset are in the file once the database closes.
TEST_F(Executing, RecordsetWritesAndStatementsSeeEachOtherAndReachTheFile) {
    auto clans = db_->openRecordset(QStringLiteral("Clan"));
    for (int i = 0; i < 300; ++i) {
        clans->addNew();
        clans->setField(0, Variant(QStringLiteral("Clan %1").arg(i)));
        clans->update();
    }
    EXPECT_EQ(db_->execute(QStringLiteral("delete * from Clan where Clan_Name Like 'Clan 1*'")),
              111);
    clans->addNew();
    clans->setField(0, Variant("Last"));
    clans->update();
    db_->close();
    EXPECT_EQ(storedText(path_, "select count(*) from Clan"), QStringLiteral("190"));
}

// A batched statement is seen at once by the connection, leaves the batch
// open (Execute commits it), keeps the batch's rows when a later batched
// statement fails, and reaches the file with the batch.
TEST_F(Executing, BatchedStatementsJoinTheOpenBatchAndReachTheFileWithIt) {
    auto clans = db_->openRecordset(QStringLiteral("Clan"));
    clans->addNew();
    clans->setField(0, Variant("Staged"));
    clans->update();
    EXPECT_EQ(db_->executeInBatch(QStringLiteral("insert into Clan values('Red','','','','')")), 1);
    EXPECT_EQ(db_->executeInBatch(QStringLiteral("update Clan set Website_URL = 'w' where "
                                                 "Clan_Name = 'red'")),
              1);
    EXPECT_EQ(sqlite3_get_autocommit(db_->handle()), 0) << "the batch was committed";
    EXPECT_EQ(countOf(*db_, QStringLiteral("select count(*) from Clan where Website_URL = 'w'")),
              1);

    EXPECT_EQ(errorTextOf([&] {
                  db_->executeInBatch(QStringLiteral("insert into Clan values('RED','','','','')"));
              }),
              kDuplicateText);
    clans.reset();
    db_->close();
    EXPECT_EQ(
        storedText(path_,
                   "select group_concat(Clan_Name || ':' || ifnull(Website_URL, ''), ',') from "
                   "(select * from Clan order by Clan_Name)"),
        QStringLiteral("Red:w,Staged:"));

    db_ = Database::open(path_);
    db_->executeInBatch(QStringLiteral("delete * from Clan where Clan_Name = 'Staged'"));
    db_->execute(QStringLiteral("delete * from Clan where Clan_Name = 'nobody'"));
    EXPECT_NE(sqlite3_get_autocommit(db_->handle()), 0) << "Execute left the batch open";
    db_->close();
    EXPECT_EQ(storedText(path_, "select count(*) from Clan"), QStringLiteral("1"));
}

// Records what the engine hands over, as the workbook and text writers get it.
class RecordingWriter : public ExternalWriter {
  public:
    int64_t writeTable(const ExternalTarget& target, Recordset& rows) override {
        targets << target.database + u'|' + target.table;
        for (int i = 0; i < rows.fieldCount(); ++i) {
            names << rows.fieldName(i);
        }
        lines = rowsOf(rows);
        return lines.size();
    }
    QStringList targets;
    QStringList names;
    QStringList lines;
};

TEST_F(Executing, SelectIntoGoesToTheOutsideWriterOr3170WithoutOne) {
    Run(QStringLiteral("insert into Clan values('Red','http://r','','','')"));
    Run(QStringLiteral("insert into Clan values('Blue',Null,'','','')"));
    const QString statement =
        QStringLiteral("SELECT * INTO [Excel 8.0;DATABASE=/tmp/out.xls].[Clan] FROM [Clan]");
    EXPECT_EQ(errorTextOf([&] { Run(statement); }),
              QStringLiteral("3170: Could not find installable ISAM."));

    auto writer = std::make_shared<RecordingWriter>();
    db_->setExternalWriter(writer);
    EXPECT_EQ(db_->execute(statement), 2);
    EXPECT_EQ(writer->targets, QStringList{QStringLiteral("/tmp/out.xls|Clan")});
    EXPECT_EQ(writer->names.join(u','),
              QStringLiteral("Clan_Name,Website_URL,Clan_Tag,Clan_Motto,Clan_Notes"));
    EXPECT_EQ(writer->lines, (QStringList{"Red|http://r|||", "Blue|Null|||"}));
}

}  // namespace
}  // namespace tw::test
