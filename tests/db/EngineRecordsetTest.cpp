// DAO cursor behaviour, field access and editing through recordsets.

#include "EngineTestSupport.h"
#include "db/Recordset.h"

namespace tw::test {
namespace {

class Recordsets : public EngineTest {
  protected:
    void seedPlayers() {
        for (const char* row : {"'Alpha', 'Y', 5", "'Bravo', 'N', 0", "'Charlie', 'Y', 7"}) {
            Run(QStringLiteral("insert into Player (Player_Gamertag, Is_Selectable, "
                               "Last_Game_ID) values (%1)")
                    .arg(QLatin1String(row)));
        }
    }
};

TEST_F(Recordsets, EmptyResultHasBothEndsSetAndNoCurrentRow) {
    auto rows = db_->openRecordset(QStringLiteral("select * from Player"));
    EXPECT_TRUE(rows->isEof());
    EXPECT_TRUE(rows->isBof());
    EXPECT_EQ(rows->recordCount(), 0);
    EXPECT_EQ(rows->absolutePosition(), -1);
    EXPECT_EQ(errorTextOf([&] { rows->field(0); }), QStringLiteral("3021: No current record."));
    EXPECT_EQ(errorNumberOf([&] { rows->moveFirst(); }), 3021);
    EXPECT_EQ(errorNumberOf([&] { rows->moveLast(); }), 3021);
    EXPECT_EQ(errorNumberOf([&] { rows->moveNext(); }), 3021);
    EXPECT_EQ(errorNumberOf([&] { rows->edit(); }), 3021);
}

TEST_F(Recordsets, CursorMovesAsDaoAndMoveLastCompletesTheCount) {
    seedPlayers();
    auto rows =
        db_->openRecordset(QStringLiteral("select Player_Gamertag from Player order by 1 desc"));
    EXPECT_FALSE(rows->isEof());
    EXPECT_FALSE(rows->isBof());
    EXPECT_EQ(rows->recordCount(), 1);  // rows reached so far
    EXPECT_EQ(rows->absolutePosition(), 0);
    rows->moveLast();
    EXPECT_EQ(rows->recordCount(), 3);
    EXPECT_EQ(rows->absolutePosition(), 2);
    EXPECT_EQ(rows->field(0).toText(), QStringLiteral("Alpha"));

    rows->movePrevious();
    rows->movePrevious();
    EXPECT_EQ(rows->field(0).toText(), QStringLiteral("Charlie"));
    rows->movePrevious();
    EXPECT_TRUE(rows->isBof());
    EXPECT_FALSE(rows->isEof());
    EXPECT_EQ(rows->absolutePosition(), -1);
    EXPECT_EQ(errorNumberOf([&] { rows->movePrevious(); }), 3021);
    rows->moveNext();  // from before the first row back onto it
    EXPECT_EQ(rows->field(0).toText(), QStringLiteral("Charlie"));

    EXPECT_EQ(rowsOf(*rows).join(u','), QStringLiteral("Charlie,Bravo,Alpha"));
    EXPECT_TRUE(rows->isEof());
    EXPECT_EQ(rows->absolutePosition(), -1);
    EXPECT_EQ(errorNumberOf([&] { rows->moveNext(); }), 3021);
    rows->movePrevious();  // from after the last row back onto it
    EXPECT_EQ(rows->field(0).toText(), QStringLiteral("Alpha"));
    rows->moveFirst();
    EXPECT_EQ(rows->absolutePosition(), 0);
    EXPECT_EQ(rows->recordCount(), 3);
}

TEST_F(Recordsets, TableRecordsetReadsRowsOnlyAsTheCursorReachesThem) {
    for (int id = 1; id <= 500; ++id) {
        Run(QStringLiteral("insert into Game (Game_ID, Map) values (%1, 'Lockout')").arg(id));
    }
    auto games = db_->openRecordset(QStringLiteral("Game"));
    EXPECT_EQ(games->recordCount(), 1);
    games->moveNext();
    EXPECT_EQ(games->recordCount(), 2);
    games->moveLast();
    EXPECT_EQ(games->recordCount(), 500);
    EXPECT_EQ(games->field(QStringLiteral("game_id")), Variant(500));
}

TEST_F(Recordsets, FieldsByNameIgnoreCaseAndValuesKeepTheirTypes) {
    Run(
        QStringLiteral("insert into Game values (9, 'Slayer', '2005-01-15 20:03:00', 'Midship', "
                       "'Team Skirmish', 'N', Null)"));
    Run(QStringLiteral("insert into Player_Playlist values ('Alpha', 'Rumble Pit', 12, 37.5)"));
    auto game = db_->openRecordset(QStringLiteral("Game"));
    EXPECT_EQ(game->fieldCount(), 7);
    EXPECT_EQ(game->fieldName(2), QStringLiteral("Date_Time_Stamp"));
    EXPECT_EQ(game->field(QStringLiteral("GAME_ID")), Variant(9));
    EXPECT_EQ(game->field(QStringLiteral("map")), Variant("Midship"));
    const Variant when = game->field(QStringLiteral("Date_Time_Stamp"));
    EXPECT_EQ(when.type(), Variant::Type::Date);
    EXPECT_EQ(when.toText(), QStringLiteral("1/15/2005 8:03:00 PM"));
    EXPECT_TRUE(game->field(6).isNull());
    EXPECT_EQ(errorTextOf([&] { game->field(QStringLiteral("Gamertag")); }),
              QStringLiteral("3265: Item not found in this collection."));
    EXPECT_EQ(errorNumberOf([&] { game->field(7); }), 3265);

    auto level = db_->openRecordset(QStringLiteral("Player_Playlist"));
    EXPECT_EQ(level->field(2).type(), Variant::Type::Integer);
    EXPECT_EQ(level->field(3), Variant(37.5));

    // A date computed by a statement comes back as a date too.
    auto first = db_->openRecordset(QStringLiteral("select Min(Date_Time_Stamp) AS F from Game"));
    EXPECT_EQ(first->field(0).type(), Variant::Type::Date);
}

TEST_F(Recordsets, AddNewStoresConvertedValuesAndDuplicatesLeaveTheRecordsetUsable) {
    auto games = db_->openRecordset(QStringLiteral("Game"));
    const auto add = [&](int id, const QString& when) {
        games->addNew();
        games->setField(QStringLiteral("Game_ID"), Variant(id));
        games->setField(QStringLiteral("Date_Time_Stamp"), Variant(when));
        games->setField(QStringLiteral("Playlist"), Variant("Rumble Pit"));
        games->update();
    };
    add(100, QStringLiteral("1/15/2005 8:03 PM"));
    EXPECT_EQ(errorNumberOf([&] { add(100, QStringLiteral("1/16/2005 9:00 AM")); }), 3022);
    add(101, QStringLiteral("12/31/2005 12:00 AM"));
    EXPECT_EQ(errorTextOf([&] { add(102, QStringLiteral("not a date")); }),
              QStringLiteral("3421: Data type conversion error."));
    // A refused value leaves the new row pending, as DAO did; it is dropped.
    EXPECT_EQ(games->field(QStringLiteral("Game_ID")), Variant(102));
    games->cancelUpdate();
    EXPECT_EQ(errorTextOf([&] { games->update(); }),
              QStringLiteral("3020: Update or CancelUpdate without AddNew or Edit."));
    games->addNew();
    EXPECT_EQ(errorTextOf([&] { games->update(); }),
              QStringLiteral("3058: Index or primary key cannot contain a Null value."));
    games.reset();
    db_->close();
    EXPECT_EQ(storedText(path_,
                         "select group_concat(Game_ID || '@' || Date_Time_Stamp, ';') "
                         "from Game"),
              QStringLiteral("100@2005-01-15 20:03:00;101@2005-12-31 00:00:00"));
}

TEST_F(Recordsets, KeysDifferingOnlyInLetterCaseAreDuplicates) {
    auto players = db_->openRecordset(QStringLiteral("Player"));
    players->addNew();
    players->setField(0, Variant("Major Tom"));
    players->update();
    players->addNew();
    players->setField(0, Variant("MAJOR tom"));
    EXPECT_EQ(errorNumberOf([&] { players->update(); }), 3022);

    auto medals = db_->openRecordset(QStringLiteral("Game_Player_Medal"));
    const auto medal = [&](const char* tag, const char* name) {
        medals->addNew();
        medals->setField(QStringLiteral("Game_ID"), Variant(1));
        medals->setField(QStringLiteral("Player_Gamertag"), Variant(tag));
        medals->setField(QStringLiteral("Medal_Name"), Variant(name));
        medals->setField(QStringLiteral("Count_Earned"), Variant(2.5));  // rounds half to even
        medals->update();
    };
    medal("Major Tom", "Double Kill");
    EXPECT_EQ(errorNumberOf([&] { medal("major tom", "DOUBLE KILL"); }), 3022);
    medal("Major Tom", "Triple Kill");
    auto stored = db_->openRecordset(
        QStringLiteral("select Medal_Name, Count_Earned from Game_Player_Medal order by 1"));
    EXPECT_EQ(rowsOf(*stored).join(u','), QStringLiteral("Double Kill|2,Triple Kill|2"));
    stored->moveFirst();
    EXPECT_EQ(stored->field(1), Variant(2));
}

TEST_F(Recordsets, EditUpdatesTheRowOfAOneTableSelect) {
    seedPlayers();
    auto tagged =
        db_->openRecordset(QStringLiteral("select * from Player where Player_Gamertag='charlie'"));
    ASSERT_FALSE(tagged->isEof());
    tagged->edit();
    tagged->setField(QStringLiteral("Is_Selectable"), Variant("N"));
    tagged->setField(QStringLiteral("Last_Download"), Variant("3/4/2006 5:06:07 PM"));
    EXPECT_EQ(tagged->field(QStringLiteral("Is_Selectable")), Variant("N"));  // the edit buffer
    tagged->update();
    EXPECT_EQ(tagged->field(QStringLiteral("Is_Selectable")), Variant("N"));
    EXPECT_EQ(tagged->field(QStringLiteral("Last_Download")).toText(),
              QStringLiteral("3/4/2006 5:06:07 PM"));

    // cancelUpdate and moving away drop an edit.
    tagged->edit();
    tagged->setField(QStringLiteral("Last_Game_ID"), Variant(99));
    tagged->cancelUpdate();
    EXPECT_EQ(tagged->field(QStringLiteral("Last_Game_ID")), Variant(7));
    tagged.reset();

    reopen();
    auto check = db_->openRecordset(
        QStringLiteral("select Player_Gamertag, Last_Game_ID from Player where Is_Selectable='Y'"));
    EXPECT_EQ(rowsOf(*check).join(u','), QStringLiteral("Alpha|5"));
    db_->close();
    EXPECT_EQ(storedText(path_, "select Last_Download from Player where Player_Gamertag='Charlie'"),
              QStringLiteral("2006-03-04 17:06:07"));
}

TEST_F(Recordsets, EditIntoAnExistingKeyIsADuplicateAndChangesNothing) {
    seedPlayers();
    auto bravo = db_->openRecordset(QStringLiteral("select * from Player where Last_Game_ID = 0"));
    bravo->edit();
    bravo->setField(0, Variant("ALPHA"));
    EXPECT_EQ(errorNumberOf([&] { bravo->update(); }), 3022);
    EXPECT_EQ(bravo->field(0), Variant("Bravo"));
    bravo->edit();  // still usable
    bravo->setField(0, Variant("Bravo Two"));
    bravo->update();
    EXPECT_EQ(rowsOf(*db_->openRecordset(QStringLiteral("select Player_Gamertag from Player "
                                                        "order by 1"))),
              (QStringList{"Alpha", "Bravo Two", "Charlie"}));
}

TEST_F(Recordsets, ComputedAndJoinedResultsAreNotUpdatable) {
    seedPlayers();
    auto counted = db_->openRecordset(
        QStringLiteral("select Is_Selectable, count(*) AS N from Player group by Is_Selectable"));
    EXPECT_EQ(errorTextOf([&] { counted->addNew(); }),
              QStringLiteral("3027: Cannot update. Database or object is read-only."));
    EXPECT_EQ(errorNumberOf([&] { counted->edit(); }), 3027);

    auto partly = db_->openRecordset(
        QStringLiteral("select Player_Gamertag, Last_Game_ID + 1 AS Next_ID from Player"));
    partly->edit();
    EXPECT_EQ(errorTextOf([&] { partly->setField(1, Variant(3)); }),
              QStringLiteral("3164: Field cannot be updated."));
    EXPECT_EQ(errorNumberOf([&] { partly->setField(0, Variant("Delta")); }), 0);
    EXPECT_EQ(errorNumberOf([&] { counted->setField(0, Variant("Y")); }), 3020);
}

}  // namespace
}  // namespace tw::test
