#pragma once
// What each delivered saved query should show, written independently of it:
// one statement in SQLite's own SQL per query, and how each grid column reads
// (a text, a number, a rounded ratio or percentage, a time of day, a date).
// A statement names the player filter's condition {P} (over the alias p of
// Player) and the game filter's {G} (over g, Game).

#include <sqlite3.h>

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace tw::testing {

enum class Kind {
    Text,      // as stored
    Number,    // a whole number or a double, exactly
    Fixed1,    // Format(x, '0.0')
    Fixed2,    // Format(x, '0.00')
    Percent,   // Format(x, '0 %'), x a share
    Duration,  // Format(seconds / 86400, 'hh:mm:ss')
    Date,      // a stored date shown in the general date form
    Picture,   // a Level, Medal or Color cell: the grid shows no text
};

struct Expectation {
    QString name;  // the saved query's name
    QString sql;   // SQLite, with {P} and {G}
    std::vector<Kind> columns;
    std::vector<int> key;    // columns that tell the rows apart
    std::vector<int> order;  // columns whose values run in the saved ORDER BY
};

const std::vector<Expectation>& expectations();

// A value as SQLite gave it; nullopt for Null.
using Value = std::optional<QString>;
using Row = std::vector<Value>;

// Runs `sql` on an open connection; the rows, or an error text in `*error`.
std::vector<Row> runSqlite(sqlite3* db, const QString& sql, QString* error);

// Whether the grid's text shows the value of SQLite's, read as `kind`; an
// explanation otherwise.
std::optional<QString> mismatch(Kind kind, const QString& shown, const Value& value);

// The text two cells of one row must share to be the same row (dates and
// numbers in one canonical form).
QString keyOfShown(Kind kind, const QString& shown);
QString keyOfValue(Kind kind, const Value& value);

}  // namespace tw::testing
