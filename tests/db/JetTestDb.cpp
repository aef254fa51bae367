#include "JetTestDb.h"

#include <gtest/gtest.h>

#include <ostream>

namespace tw {
void PrintTo(const Variant& value, std::ostream* os) {
    *os << (value.isNull() ? std::string("Null") : value.toText().toStdString());
}
}  // namespace tw

namespace tw::jettest {

namespace {

const char* const kSchema = R"(
CREATE TABLE Player (Player_Gamertag TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
  Clan_Name TEXT COLLATE NOCASE, Primary_Color_Code INTEGER, Secondary_Color_Code INTEGER,
  Personal_Quote TEXT COLLATE NOCASE, Last_Game_ID INTEGER, Last_Download DATETIME,
  Is_Selectable TEXT COLLATE NOCASE, Is_Friend TEXT COLLATE NOCASE, Is_Clan TEXT COLLATE NOCASE,
  Is_Jerk TEXT COLLATE NOCASE, Is_Guest TEXT COLLATE NOCASE);
CREATE TABLE Clan (Clan_Name TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
  Website_URL TEXT COLLATE NOCASE, Clan_Tag TEXT COLLATE NOCASE, Clan_Motto TEXT COLLATE NOCASE,
  Clan_Notes TEXT COLLATE NOCASE);
CREATE TABLE Color (Color_Code INTEGER NOT NULL PRIMARY KEY,
  Hexadecimal_Format TEXT COLLATE NOCASE, Inverted_Text_Color TEXT COLLATE NOCASE);
CREATE TABLE Medal (Medal_Name TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
  Difficulty_Factor DOUBLE, Short_Description TEXT COLLATE NOCASE,
  Long_Description TEXT COLLATE NOCASE);
CREATE TABLE Game (Game_ID INTEGER NOT NULL PRIMARY KEY, Type TEXT COLLATE NOCASE,
  Date_Time_Stamp DATETIME, Map TEXT COLLATE NOCASE, Playlist TEXT COLLATE NOCASE,
  Was_Partially_Purged TEXT COLLATE NOCASE, Duration_Seconds INTEGER);
CREATE TABLE Game_Player (Game_ID INTEGER NOT NULL, Player_Gamertag TEXT COLLATE NOCASE NOT NULL,
  Finished_Place DOUBLE, Team_Color TEXT COLLATE NOCASE, Score INTEGER, Kills INTEGER,
  Assists INTEGER, Deaths INTEGER, Shots_Fired INTEGER, Shots_Hit INTEGER,
  Shots_to_Head INTEGER, PRIMARY KEY (Game_ID, Player_Gamertag));
CREATE TABLE Game_Player_Medal (Game_ID INTEGER NOT NULL,
  Player_Gamertag TEXT COLLATE NOCASE NOT NULL, Medal_Name TEXT COLLATE NOCASE NOT NULL,
  Count_Earned INTEGER, PRIMARY KEY (Game_ID, Player_Gamertag, Medal_Name));
CREATE TABLE Player_Playlist (Player_Gamertag TEXT COLLATE NOCASE NOT NULL,
  Playlist TEXT COLLATE NOCASE NOT NULL, Experience_Level INTEGER, Next_Level_Progress DOUBLE,
  PRIMARY KEY (Player_Gamertag, Playlist));
CREATE TABLE zLoad_Panel_1 (Game_ID INTEGER NOT NULL, Player_Gamertag TEXT COLLATE NOCASE NOT NULL,
  Finished_Place DOUBLE, Team_Color TEXT COLLATE NOCASE, Score INTEGER,
  PRIMARY KEY (Game_ID, Player_Gamertag));
CREATE VIEW q_Selectable AS SELECT Player_Gamertag, Last_Download FROM Player
  WHERE Is_Selectable = 'Y';
)";

jet::ColumnType typeOfDeclared(const QString& declared) {
    const QString d = declared.toUpper();
    if (d.startsWith(QLatin1String("TEXT"))) {
        return jet::ColumnType::Text;
    }
    if (d.startsWith(QLatin1String("INTEGER"))) {
        return jet::ColumnType::Integer;
    }
    if (d.startsWith(QLatin1String("DOUBLE")) || d.startsWith(QLatin1String("REAL"))) {
        return jet::ColumnType::Double;
    }
    if (d.startsWith(QLatin1String("DATETIME"))) {
        return jet::ColumnType::Date;
    }
    return jet::ColumnType::Unknown;
}

QString text(sqlite3_stmt* statement, int column) {
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, column)),
                             sqlite3_column_bytes(statement, column));
}

Variant valueAt(sqlite3_stmt* statement, int column) {
    switch (sqlite3_column_type(statement, column)) {
        case SQLITE_NULL:
            return Variant::null();
        case SQLITE_INTEGER:
            return Variant(static_cast<int64_t>(sqlite3_column_int64(statement, column)));
        case SQLITE_FLOAT:
            return Variant(sqlite3_column_double(statement, column));
        default:
            return Variant(text(statement, column));
    }
}

[[noreturn]] void raiseEngineError(sqlite3* db) {
    const QString message = QString::fromUtf8(sqlite3_errmsg(db));
    if (auto error = jet::errorFromEngineMessage(message)) {
        throw *error;
    }
    throw AppError(err::kEngineFailure, QStringLiteral("test"), message);
}

// Prepares, steps through and returns every row of one SQLite statement.
std::vector<Row> queryRows(sqlite3* db, const QString& sql, std::vector<QString>* names = nullptr) {
    sqlite3_stmt* statement = nullptr;
    const QByteArray bytes = sql.toUtf8();
    if (sqlite3_prepare_v2(db, bytes.constData(), -1, &statement, nullptr) != SQLITE_OK) {
        ADD_FAILURE() << "SQLite refused: " << sql.toStdString() << "\n" << sqlite3_errmsg(db);
        throw AppError(err::kEngineFailure, QStringLiteral("test"),
                       QString::fromUtf8(sqlite3_errmsg(db)));
    }
    if (names != nullptr) {
        for (int c = 0; c < sqlite3_column_count(statement); ++c) {
            names->push_back(QString::fromUtf8(sqlite3_column_name(statement, c)));
        }
    }
    std::vector<Row> rows;
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        Row row;
        for (int c = 0; c < sqlite3_column_count(statement); ++c) {
            row.push_back(valueAt(statement, c));
        }
        rows.push_back(std::move(row));
    }
    sqlite3_finalize(statement);
    if (rc != SQLITE_DONE) {
        raiseEngineError(db);
    }
    return rows;
}

}  // namespace

JetTestDb::JetTestDb() {
    sqlite3_open(":memory:", &db_);
    jet::registerFunctions(db_);
    raw(QString::fromLatin1(kSchema));
    loadCatalog();
}

JetTestDb::~JetTestDb() {
    sqlite3_close(db_);
}

void JetTestDb::raw(const QString& sql) {
    char* message = nullptr;
    if (sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, &message) != SQLITE_OK) {
        ADD_FAILURE() << "raw SQL failed: " << message;
        sqlite3_free(message);
    }
}

void JetTestDb::loadCatalog() {
    for (const Row& object :
         queryRows(db_, QStringLiteral("SELECT name, type FROM sqlite_schema WHERE type IN "
                                       "('table','view') ORDER BY rowid"))) {
        jet::TableInfo table;
        table.name = object[0].toText();
        table.isView = object[1].toText() == QLatin1String("view");
        for (const Row& column :
             queryRows(db_, QStringLiteral("SELECT name, type FROM pragma_table_info('%1')")
                                .arg(table.name))) {
            table.columns.push_back({column[0].toText(), typeOfDeclared(column[1].toText())});
        }
        catalog_.addTable(table);
    }
}

Result JetTestDb::run(const jet::Translation& translation) {
    Result result;
    std::vector<QString> engineNames;
    result.rows = queryRows(db_, translation.sql, &engineNames);
    for (const jet::ResultColumn& c : translation.columns) {
        result.names.push_back(c.name);
        result.types.push_back(c.type);
    }
    // The engine's own column names must agree with the translation's.
    for (size_t i = 0; i < result.names.size() && i < engineNames.size(); ++i) {
        EXPECT_EQ(engineNames[i].toStdString(), result.names[i].toStdString());
    }
    return result;
}

Result JetTestDb::query(const QString& jetSql) {
    jet::Translation translation = jet::translate(jetSql, catalog_);
    if (translation.kind == jet::Translation::Kind::Transform) {
        std::vector<QString> values;
        for (const Row& row : queryRows(db_, translation.pivotValuesSql)) {
            values.push_back(row[0].isNull() ? QString() : row[0].toText());
        }
        translation = translation.finalSql(values);
    }
    EXPECT_EQ(translation.kind, jet::Translation::Kind::Select);
    return run(translation);
}

int JetTestDb::execute(const QString& jetSql) {
    const jet::Translation translation = jet::translate(jetSql, catalog_);
    EXPECT_EQ(translation.kind, jet::Translation::Kind::Action);
    queryRows(db_, translation.sql);
    return sqlite3_changes(db_);
}

Variant JetTestDb::scalar(const QString& jetSql) {
    const Result result = query(jetSql);
    if (result.rows.empty()) {
        ADD_FAILURE() << "no rows from " << jetSql.toStdString();
        return Variant::null();
    }
    return result.rows.front().front();
}

Variant JetTestDb::rawScalar(const QString& sql) {
    const std::vector<Row> rows = queryRows(db_, sql);
    return rows.empty() ? Variant::null() : rows.front().front();
}

}  // namespace tw::jettest
