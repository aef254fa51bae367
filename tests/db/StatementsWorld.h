#pragma once
// A small stored world for the program's own statements: two tag-list
// players with clans, emblem colours, playlists, ranked, custom and
// partially purged games, medals, staged rows, and players outside the list.

#include <QStringList>

#include "EngineTestSupport.h"
#include "db/Recordset.h"

namespace tw::test {

inline const QStringList kWorld = {
    // Players: two in the tag list, two known only from games.
    "insert into Clan values('Red Team','http://red.example','','','')",
    "insert into Clan values('Blue Team','','','','')",
    "insert into Clan values('Orphan Clan','','','','')",
    "insert into Player values('Major Tom','Red Team',0,2,Null,4,'2005-03-01 "
    "12:00:00','Y','N','N','N','N')",
    "insert into Player values('Bravo',Null,2,3,Null,2,Null,'Y','N','N','N','N')",
    "insert into Player values('Other','Blue Team',1,1,Null,0,Null,'N','N','N','N','N')",
    "insert into Player values('Guest(G)',Null,Null,Null,Null,0,Null,'N','N','N','N','Y')",
    "insert into Player values('Example',Null,4,5,Null,0,Null,'Y','N','N','N','N')",
    // Games: 1 and 4 ranked, 2 custom, 3 ranked and partially purged, 5 without players.
    "insert into Game values(1,'Slayer','2005-01-05 10:00:00','Lockout','Rumble Pit','N',300)",
    "insert into Game values(2,'CTF','2005-02-10 21:30:00','Midship','Arranged Game','N',600)",
    "insert into Game values(3,'Slayer','2005-02-11 08:15:00','Midship','Team Skirmish','Y',400)",
    "insert into Game values(4,'Slayer','2005-03-01 11:00:00','Lockout','Rumble Pit','N',500)",
    "insert into Game values(5,'Oddball','2005-03-02 11:00:00','Zanzibar','Rumble Pit','N',Null)",
    "insert into Game values(6,'Slayer','2005-03-03 11:00:00','Ivory Tower','Head to "
    "Head','N',200)",
    "insert into Game_Player values(1,'Major Tom',1,'RED',50,10,2,5,100,40,5)",
    "insert into Game_Player values(2,'Major Tom',2,'BLUE',1,4,1,4,50,20,2)",
    "insert into Game_Player values(3,'Major Tom',1,'RED',25,6,0,3,Null,Null,Null)",
    "insert into Game_Player values(4,'Major Tom',3,'',0,0,0,0,0,0,0)",
    "insert into Game_Player values(1,'Bravo',2,'BLUE',30,5,1,10,80,20,1)",
    "insert into Game_Player values(2,'Bravo',1,'RED',3,8,0,4,60,30,3)",
    "insert into Game_Player values(1,'Other',3,'BLUE',10,2,0,6,30,10,0)",
    "insert into Game_Player values(6,'Example',1,'',25,10,0,10,100,50,3)",
    "insert into Game_Player_Medal values(1,'Major Tom','Double Kill',2)",
    "insert into Game_Player_Medal values(1,'Major Tom','Sniper Kill',1)",
    "insert into Game_Player_Medal values(2,'Major Tom','Double Kill',1)",
    "insert into Game_Player_Medal values(2,'Bravo','Triple Kill',1)",
    "insert into Game_Player_Medal values(1,'Other','Roadkill',1)",
    "insert into Game_Player_Medal values(6,'Example','Flag Returned',10)",
    "insert into Player_Playlist values('Major Tom','Team Skirmish',3,10)",
    "insert into Player_Playlist values('Major Tom','Big Team Battle',5,20)",
    "insert into Player_Playlist values('Major Tom','Rumble Pit',7,30)",
    "insert into Player_Playlist values('Major Tom','Team Snipers',0,0)",
    "insert into Player_Playlist values('Major Tom','Head to Head',12,44)",
    "insert into Player_Playlist values('Other','Rumble Pit',2,50)",
    // A download in progress: staged panels of game 7.
    "insert into zLoad_Panel_1 values(7,'Major Tom',1,'RED',40)",
    "insert into zLoad_Panel_1 values(7,'Foo(G) x3',2,'BLUE',20)",
    "insert into zLoad_Panel_1 values(9,'Late',1,'',5)",
    "insert into zLoad_Panel_2 values(7,'Major Tom',9,1,2)",
    "insert into zLoad_Panel_4 values(7,'Major Tom','Double Kill',1)",
    "insert into zLoad_Panel_5 values(7,'Major Tom',30,90,4)",
};

// Every row of a recordset as "v|v|...", Null written as "Null".
inline QStringList rowsOf(Recordset& rows) {
    QStringList lines;
    for (; !rows.isEof(); rows.moveNext()) {
        QStringList cells;
        for (int i = 0; i < rows.fieldCount(); ++i) {
            const Variant value = rows.field(i);
            cells << (value.isNull() ? QStringLiteral("Null") : value.toText());
        }
        lines << cells.join(u'|');
    }
    return lines;
}

inline QStringList fieldNamesOf(Recordset& rows) {
    QStringList names;
    for (int i = 0; i < rows.fieldCount(); ++i) {
        names << rows.fieldName(i);
    }
    return names;
}

class StatementsTest : public EngineTest {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        for (const QString& statement : kWorld) {
            Run(statement);
        }
    }
    QStringList rows(const QString& sql) { return rowsOf(*db_->openRecordset(sql)); }
};

}  // namespace tw::test
