// DAO cursor behaviour, field access and editing through recordsets.

#include "EngineTestSupport.h"
#include "db/Recordset.h"

namespace tw::test {
namespace {

class Recordsets : public EngineTest {
  protected:
    void SeedPlayers() {
        for (const char* row : {"'Alpha', 'Y', 5", "'Bravo', 'N', 0", "'Charlie', 'Y', 7"}) {
            Run(QStringLiteral("insert into Player (Player_Gamertag, Is_Selectable, "
                               "Last_Game_ID) values (%1)")
                    .arg(QLatin1String(row)));
        }
    }
    QString Walk(Recordset& rows) {
        QStringList seen;
        for (; !rows.IsEOF(); rows.MoveNext()) {
            seen << rows.Field(0).joinText();
        }
        return seen.join(u',');
    }
};

TEST_F(Recordsets, EmptyResultHasBothEndsSetAndNoCurrentRow) {
    auto rows = db_->OpenRecordset(QStringLiteral("select * from Player"));
    EXPECT_TRUE(rows->IsEOF());
    EXPECT_TRUE(rows->IsBOF());
    EXPECT_EQ(rows->RecordCount(), 0);
    EXPECT_EQ(rows->AbsolutePosition(), -1);
    EXPECT_EQ(ErrorTextOf([&] { rows->Field(0); }), QStringLiteral("3021: No current record."));
    EXPECT_EQ(ErrorNumberOf([&] { rows->MoveFirst(); }), 3021);
    EXPECT_EQ(ErrorNumberOf([&] { rows->MoveLast(); }), 3021);
    EXPECT_EQ(ErrorNumberOf([&] { rows->MoveNext(); }), 3021);
    EXPECT_EQ(ErrorNumberOf([&] { rows->Edit(); }), 3021);
}

TEST_F(Recordsets, CursorMovesAsDaoAndMoveLastCompletesTheCount) {
    SeedPlayers();
    auto rows =
        db_->OpenRecordset(QStringLiteral("select Player_Gamertag from Player order by 1 desc"));
    EXPECT_FALSE(rows->IsEOF());
    EXPECT_FALSE(rows->IsBOF());
    EXPECT_EQ(rows->RecordCount(), 1);  // rows reached so far
    EXPECT_EQ(rows->AbsolutePosition(), 0);
    rows->MoveLast();
    EXPECT_EQ(rows->RecordCount(), 3);
    EXPECT_EQ(rows->AbsolutePosition(), 2);
    EXPECT_EQ(rows->Field(0).toText(), QStringLiteral("Alpha"));

    rows->MovePrevious();
    rows->MovePrevious();
    EXPECT_EQ(rows->Field(0).toText(), QStringLiteral("Charlie"));
    rows->MovePrevious();
    EXPECT_TRUE(rows->IsBOF());
    EXPECT_FALSE(rows->IsEOF());
    EXPECT_EQ(rows->AbsolutePosition(), -1);
    EXPECT_EQ(ErrorNumberOf([&] { rows->MovePrevious(); }), 3021);
    rows->MoveNext();  // from before the first row back onto it
    EXPECT_EQ(rows->Field(0).toText(), QStringLiteral("Charlie"));

    EXPECT_EQ(Walk(*rows), QStringLiteral("Charlie,Bravo,Alpha"));
    EXPECT_TRUE(rows->IsEOF());
    EXPECT_EQ(rows->AbsolutePosition(), -1);
    EXPECT_EQ(ErrorNumberOf([&] { rows->MoveNext(); }), 3021);
    rows->MovePrevious();  // from after the last row back onto it
    EXPECT_EQ(rows->Field(0).toText(), QStringLiteral("Alpha"));
    rows->MoveFirst();
    EXPECT_EQ(rows->AbsolutePosition(), 0);
    EXPECT_EQ(rows->RecordCount(), 3);
}

TEST_F(Recordsets, TableRecordsetReadsRowsOnlyAsTheCursorReachesThem) {
    for (int id = 1; id <= 500; ++id) {
        Run(QStringLiteral("insert into Game (Game_ID, Map) values (%1, 'Lockout')").arg(id));
    }
    auto games = db_->OpenRecordset(QStringLiteral("Game"));
    EXPECT_EQ(games->RecordCount(), 1);
    games->MoveNext();
    EXPECT_EQ(games->RecordCount(), 2);
    games->MoveLast();
    EXPECT_EQ(games->RecordCount(), 500);
    EXPECT_EQ(games->Field(QStringLiteral("game_id")), Variant(500));
}

TEST_F(Recordsets, FieldsByNameIgnoreCaseAndValuesKeepTheirTypes) {
    Run(
        QStringLiteral("insert into Game values (9, 'Slayer', '2005-01-15 20:03:00', 'Midship', "
                       "'Team Skirmish', 'N', Null)"));
    Run(QStringLiteral("insert into Player_Playlist values ('Alpha', 'Rumble Pit', 12, 37.5)"));
    auto game = db_->OpenRecordset(QStringLiteral("Game"));
    EXPECT_EQ(game->FieldCount(), 7);
    EXPECT_EQ(game->FieldName(2), QStringLiteral("Date_Time_Stamp"));
    EXPECT_EQ(game->Field(QStringLiteral("GAME_ID")), Variant(9));
    EXPECT_EQ(game->Field(QStringLiteral("map")), Variant("Midship"));
    const Variant when = game->Field(QStringLiteral("Date_Time_Stamp"));
    EXPECT_EQ(when.type(), Variant::Type::Date);
    EXPECT_EQ(when.toText(), QStringLiteral("1/15/2005 8:03:00 PM"));
    EXPECT_TRUE(game->Field(6).isNull());
    EXPECT_EQ(ErrorTextOf([&] { game->Field(QStringLiteral("Gamertag")); }),
              QStringLiteral("3265: Item not found in this collection."));
    EXPECT_EQ(ErrorNumberOf([&] { game->Field(7); }), 3265);

    auto level = db_->OpenRecordset(QStringLiteral("Player_Playlist"));
    EXPECT_EQ(level->Field(2).type(), Variant::Type::Integer);
    EXPECT_EQ(level->Field(3), Variant(37.5));

    // A date computed by a statement comes back as a date too.
    auto first = db_->OpenRecordset(QStringLiteral("select Min(Date_Time_Stamp) AS F from Game"));
    EXPECT_EQ(first->Field(0).type(), Variant::Type::Date);
}

TEST_F(Recordsets, AddNewStoresConvertedValuesAndDuplicatesLeaveTheRecordsetUsable) {
    auto games = db_->OpenRecordset(QStringLiteral("Game"));
    const auto add = [&](int id, const QString& when) {
        games->AddNew();
        games->SetField(QStringLiteral("Game_ID"), Variant(id));
        games->SetField(QStringLiteral("Date_Time_Stamp"), Variant(when));
        games->SetField(QStringLiteral("Playlist"), Variant("Rumble Pit"));
        games->Update();
    };
    add(100, QStringLiteral("1/15/2005 8:03 PM"));
    EXPECT_EQ(ErrorNumberOf([&] { add(100, QStringLiteral("1/16/2005 9:00 AM")); }), 3022);
    add(101, QStringLiteral("12/31/2005 12:00 AM"));
    EXPECT_EQ(ErrorTextOf([&] { add(102, QStringLiteral("not a date")); }),
              QStringLiteral("3421: Data type conversion error."));
    // A refused value leaves the new row pending, as DAO did; it is dropped.
    EXPECT_EQ(games->Field(QStringLiteral("Game_ID")), Variant(102));
    games->CancelUpdate();
    EXPECT_EQ(ErrorTextOf([&] { games->Update(); }),
              QStringLiteral("3020: Update or CancelUpdate without AddNew or Edit."));
    games->AddNew();
    EXPECT_EQ(ErrorTextOf([&] { games->Update(); }),
              QStringLiteral("3058: Index or primary key cannot contain a Null value."));
    games.reset();
    db_->Close();
    EXPECT_EQ(StoredText(path_,
                         "select group_concat(Game_ID || '@' || Date_Time_Stamp, ';') "
                         "from Game"),
              QStringLiteral("100@2005-01-15 20:03:00;101@2005-12-31 00:00:00"));
}

TEST_F(Recordsets, KeysDifferingOnlyInLetterCaseAreDuplicates) {
    auto players = db_->OpenRecordset(QStringLiteral("Player"));
    players->AddNew();
    players->SetField(0, Variant("Major Tom"));
    players->Update();
    players->AddNew();
    players->SetField(0, Variant("MAJOR tom"));
    EXPECT_EQ(ErrorNumberOf([&] { players->Update(); }), 3022);

    auto medals = db_->OpenRecordset(QStringLiteral("Game_Player_Medal"));
    const auto medal = [&](const char* tag, const char* name) {
        medals->AddNew();
        medals->SetField(QStringLiteral("Game_ID"), Variant(1));
        medals->SetField(QStringLiteral("Player_Gamertag"), Variant(tag));
        medals->SetField(QStringLiteral("Medal_Name"), Variant(name));
        medals->SetField(QStringLiteral("Count_Earned"), Variant(2.5));  // rounds half to even
        medals->Update();
    };
    medal("Major Tom", "Double Kill");
    EXPECT_EQ(ErrorNumberOf([&] { medal("major tom", "DOUBLE KILL"); }), 3022);
    medal("Major Tom", "Triple Kill");
    auto stored = db_->OpenRecordset(
        QStringLiteral("select Medal_Name, Count_Earned from Game_Player_Medal order by 1"));
    EXPECT_EQ(Walk(*stored), QStringLiteral("Double Kill,Triple Kill"));
    stored->MoveFirst();
    EXPECT_EQ(stored->Field(1), Variant(2));
}

TEST_F(Recordsets, EditUpdatesTheRowOfAOneTableSelect) {
    SeedPlayers();
    auto tagged =
        db_->OpenRecordset(QStringLiteral("select * from Player where Player_Gamertag='charlie'"));
    ASSERT_FALSE(tagged->IsEOF());
    tagged->Edit();
    tagged->SetField(QStringLiteral("Is_Selectable"), Variant("N"));
    tagged->SetField(QStringLiteral("Last_Download"), Variant("3/4/2006 5:06:07 PM"));
    EXPECT_EQ(tagged->Field(QStringLiteral("Is_Selectable")), Variant("N"));  // the edit buffer
    tagged->Update();
    EXPECT_EQ(tagged->Field(QStringLiteral("Is_Selectable")), Variant("N"));
    EXPECT_EQ(tagged->Field(QStringLiteral("Last_Download")).toText(),
              QStringLiteral("3/4/2006 5:06:07 PM"));

    // CancelUpdate and moving away drop an edit.
    tagged->Edit();
    tagged->SetField(QStringLiteral("Last_Game_ID"), Variant(99));
    tagged->CancelUpdate();
    EXPECT_EQ(tagged->Field(QStringLiteral("Last_Game_ID")), Variant(7));
    tagged.reset();

    Reopen();
    auto check = db_->OpenRecordset(
        QStringLiteral("select Player_Gamertag, Last_Game_ID from Player where Is_Selectable='Y'"));
    EXPECT_EQ(Walk(*check), QStringLiteral("Alpha"));
    db_->Close();
    EXPECT_EQ(StoredText(path_, "select Last_Download from Player where Player_Gamertag='Charlie'"),
              QStringLiteral("2006-03-04 17:06:07"));
}

TEST_F(Recordsets, EditIntoAnExistingKeyIsADuplicateAndChangesNothing) {
    SeedPlayers();
    auto bravo = db_->OpenRecordset(QStringLiteral("select * from Player where Last_Game_ID = 0"));
    bravo->Edit();
    bravo->SetField(0, Variant("ALPHA"));
    EXPECT_EQ(ErrorNumberOf([&] { bravo->Update(); }), 3022);
    EXPECT_EQ(bravo->Field(0), Variant("Bravo"));
    bravo->Edit();  // still usable
    bravo->SetField(0, Variant("Bravo Two"));
    bravo->Update();
    EXPECT_EQ(
        Walk(*db_->OpenRecordset(QStringLiteral("select Player_Gamertag from Player order by 1"))),
        QStringLiteral("Alpha,Bravo Two,Charlie"));
}

TEST_F(Recordsets, ComputedAndJoinedResultsAreNotUpdatable) {
    SeedPlayers();
    auto counted = db_->OpenRecordset(
        QStringLiteral("select Is_Selectable, count(*) AS N from Player group by Is_Selectable"));
    EXPECT_EQ(ErrorTextOf([&] { counted->AddNew(); }),
              QStringLiteral("3027: Cannot update. Database or object is read-only."));
    EXPECT_EQ(ErrorNumberOf([&] { counted->Edit(); }), 3027);

    auto partly = db_->OpenRecordset(
        QStringLiteral("select Player_Gamertag, Last_Game_ID + 1 AS Next_ID from Player"));
    partly->Edit();
    EXPECT_EQ(ErrorTextOf([&] { partly->SetField(1, Variant(3)); }),
              QStringLiteral("3164: Field cannot be updated."));
    EXPECT_EQ(ErrorNumberOf([&] { partly->SetField(0, Variant("Delta")); }), 0);
    EXPECT_EQ(ErrorNumberOf([&] { counted->SetField(0, Variant("Y")); }), 3020);
}

}  // namespace
}  // namespace tw::test
