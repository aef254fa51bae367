-- The statistics database delivered with the program (tallywick110.mdb).
-- Declared types are the ones the engine's catalog understands: TEXT,
-- INTEGER, DOUBLE and DATETIME (stored as 'yyyy-mm-dd hh:mm:ss' text).
-- Every text column compares without letter case, as Jet did, so a key that
-- differs from a stored one only in case is a duplicate.
-- The reference rows of Medal and Color are added from reference/*.tsv.

CREATE TABLE Player (
    Player_Gamertag TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    Clan_Name TEXT COLLATE NOCASE,
    Primary_Color_Code INTEGER,
    Secondary_Color_Code INTEGER,
    Personal_Quote TEXT COLLATE NOCASE,
    Last_Game_ID INTEGER,
    Last_Download DATETIME,
    Is_Selectable TEXT COLLATE NOCASE,
    Is_Friend TEXT COLLATE NOCASE,
    Is_Clan TEXT COLLATE NOCASE,
    Is_Jerk TEXT COLLATE NOCASE,
    Is_Guest TEXT COLLATE NOCASE
);
-- The purge finds clans nobody names any more.
CREATE INDEX Player_Clan_Name ON Player (Clan_Name);

CREATE TABLE Clan (
    Clan_Name TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    Website_URL TEXT COLLATE NOCASE,
    Clan_Tag TEXT COLLATE NOCASE,
    Clan_Motto TEXT COLLATE NOCASE,
    Clan_Notes TEXT COLLATE NOCASE
);

CREATE TABLE Color (
    Color_Code INTEGER NOT NULL PRIMARY KEY,
    Hexadecimal_Format TEXT COLLATE NOCASE,
    Inverted_Text_Color TEXT COLLATE NOCASE
);

CREATE TABLE Medal (
    Medal_Name TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    Difficulty_Factor DOUBLE,
    Short_Description TEXT COLLATE NOCASE,
    Long_Description TEXT COLLATE NOCASE
);

CREATE TABLE Game (
    Game_ID INTEGER NOT NULL PRIMARY KEY,
    Type TEXT COLLATE NOCASE,
    Date_Time_Stamp DATETIME,
    Map TEXT COLLATE NOCASE,
    Playlist TEXT COLLATE NOCASE,
    Was_Partially_Purged TEXT COLLATE NOCASE,
    Duration_Seconds INTEGER
);

CREATE TABLE Game_Player (
    Game_ID INTEGER NOT NULL,
    Player_Gamertag TEXT COLLATE NOCASE NOT NULL,
    Finished_Place DOUBLE,
    Team_Color TEXT COLLATE NOCASE,
    Score INTEGER,
    Kills INTEGER,
    Assists INTEGER,
    Deaths INTEGER,
    Shots_Fired INTEGER,
    Shots_Hit INTEGER,
    Shots_to_Head INTEGER,
    PRIMARY KEY (Game_ID, Player_Gamertag)
);
-- Every per-player statement (summary, report, queries) starts here.
CREATE INDEX Game_Player_Gamertag ON Game_Player (Player_Gamertag, Game_ID);

CREATE TABLE Game_Player_Medal (
    Game_ID INTEGER NOT NULL,
    Player_Gamertag TEXT COLLATE NOCASE NOT NULL,
    Medal_Name TEXT COLLATE NOCASE NOT NULL,
    Count_Earned INTEGER,
    PRIMARY KEY (Game_ID, Player_Gamertag, Medal_Name)
);
CREATE INDEX Game_Player_Medal_Gamertag ON Game_Player_Medal (Player_Gamertag, Medal_Name);

CREATE TABLE Player_Playlist (
    Player_Gamertag TEXT COLLATE NOCASE NOT NULL,
    Playlist TEXT COLLATE NOCASE NOT NULL,
    Experience_Level INTEGER,
    Next_Level_Progress DOUBLE,
    PRIMARY KEY (Player_Gamertag, Playlist)
);

-- Staging tables of one download. Their keys drop a row scraped twice (the
-- duplicate-key error is skipped) and serve the joins of q_zLoad_Merge.
CREATE TABLE zLoad_Panel_1 (
    Game_ID INTEGER NOT NULL,
    Player_Gamertag TEXT COLLATE NOCASE NOT NULL,
    Finished_Place DOUBLE,
    Team_Color TEXT COLLATE NOCASE,
    Score INTEGER,
    PRIMARY KEY (Game_ID, Player_Gamertag)
);

CREATE TABLE zLoad_Panel_2 (
    Game_ID INTEGER NOT NULL,
    Player_Gamertag TEXT COLLATE NOCASE NOT NULL,
    Kills INTEGER,
    Assists INTEGER,
    Deaths INTEGER,
    PRIMARY KEY (Game_ID, Player_Gamertag)
);

CREATE TABLE zLoad_Panel_4 (
    Game_ID INTEGER NOT NULL,
    Player_Gamertag TEXT COLLATE NOCASE NOT NULL,
    Medal_Name TEXT COLLATE NOCASE NOT NULL,
    Count_Earned INTEGER,
    PRIMARY KEY (Game_ID, Player_Gamertag, Medal_Name)
);

CREATE TABLE zLoad_Panel_5 (
    Game_ID INTEGER NOT NULL,
    Player_Gamertag TEXT COLLATE NOCASE NOT NULL,
    Shots_Hit INTEGER,
    Shots_Fired INTEGER,
    Shots_to_Head INTEGER,
    PRIMARY KEY (Game_ID, Player_Gamertag)
);

-- One row per player per game of the staged panels, ready for Game_Player.
-- The stats panel names the players; kills and shots join to it, so a game
-- without a hits panel (partially purged) has Null shots.
CREATE VIEW q_zLoad_Merge AS
SELECT P1.Game_ID AS Game_ID,
       P1.Player_Gamertag AS Player_Gamertag,
       P1.Finished_Place AS Finished_Place,
       P1.Team_Color AS Team_Color,
       P1.Score AS Score,
       P2.Kills AS Kills,
       P2.Assists AS Assists,
       P2.Deaths AS Deaths,
       P5.Shots_Fired AS Shots_Fired,
       P5.Shots_Hit AS Shots_Hit,
       P5.Shots_to_Head AS Shots_to_Head
FROM zLoad_Panel_1 AS P1
LEFT JOIN zLoad_Panel_2 AS P2
    ON P2.Game_ID = P1.Game_ID AND P2.Player_Gamertag = P1.Player_Gamertag
LEFT JOIN zLoad_Panel_5 AS P5
    ON P5.Game_ID = P1.Game_ID AND P5.Player_Gamertag = P1.Player_Gamertag;
