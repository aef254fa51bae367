#include "ExpectedNumbers.h"

#include <QDateTime>
#include <cmath>

namespace tw::testing {
namespace {

// Every player row of a stored game.
constexpr char kJoin[] =
    " FROM Game_Player gp JOIN Game g ON g.Game_ID = gp.Game_ID"
    " JOIN Player p ON p.Player_Gamertag = gp.Player_Gamertag ";
constexpr char kRatio[] =
    "CASE WHEN SUM(gp.Deaths) = 0 THEN SUM(gp.Kills)"
    " ELSE 1.0 * SUM(gp.Kills) / SUM(gp.Deaths) END";
constexpr char kFirsts[] = "SUM(CASE WHEN gp.Finished_Place = 1 THEN 1 ELSE 0 END)";
// A game left without a kill, an assist, a death or a shot.
constexpr char kQuit[] =
    "(gp.Kills = 0 AND gp.Assists = 0 AND gp.Deaths = 0 AND IFNULL(gp.Shots_Fired, 0) = 0)";

QString sql(std::initializer_list<const char*> parts) {
    QString sql;
    for (const char* part : parts) {
        sql += QString::fromUtf8(part);
    }
    return sql;
}

// Totals of a non-guest player per `group` (a Game column), as the three
// "Totals per ..." queries show them.
Expectation totalsPer(const char* name, const char* group) {
    return {
        QString::fromLatin1(name),
        sql({"SELECT p.Player_Gamertag, ", group,
             ", COUNT(*), SUM(gp.Kills), SUM(gp.Deaths), SUM(gp.Assists), ", kRatio, ", ", kFirsts,
             kJoin, "WHERE p.Is_Guest = 'N' AND {P} AND {G} GROUP BY 1, 2", " ORDER BY 1, 3 DESC"}),
        {Kind::Text, Kind::Text, Kind::Number, Kind::Number, Kind::Number, Kind::Number,
         Kind::Fixed2, Kind::Number},
        {0, 1},
        {0, 2}};
}

// The TOP 25 games of all players by `rank` (Jet keeps the rows tied with the
// 25th), under the condition `where`.
Expectation topGames(const char* name, const char* where, const char* rank,
                     std::vector<int> order) {
    return {QString::fromLatin1(name),
            sql({"SELECT Gamertag, Played, Type, Map, Playlist, Place, Score, Kills, Deaths,",
                 " Assists FROM (SELECT p.Player_Gamertag AS Gamertag, g.Date_Time_Stamp AS",
                 " Played, g.Type, g.Map, g.Playlist, gp.Finished_Place AS Place, gp.Score,",
                 " gp.Kills, gp.Deaths, gp.Assists, g.Game_ID, RANK() OVER (ORDER BY ", rank,
                 ") AS Position", kJoin, "WHERE ", where,
                 " AND {P} AND {G}) WHERE Position <= 25 ORDER BY Position"}),
            {Kind::Text, Kind::Date, Kind::Text, Kind::Text, Kind::Text, Kind::Number, Kind::Number,
             Kind::Number, Kind::Number, Kind::Number},
            {0, 1, 2, 3, 4, 5, 6, 7, 8, 9},
            std::move(order)};
}

// A sum per day of the players who are no guests, for the graphs.
Expectation perDay(const char* name, const char* values, std::vector<Kind> kinds) {
    std::vector<Kind> columns = {Kind::Text};
    columns.insert(columns.end(), kinds.begin(), kinds.end());
    return {QString::fromLatin1(name),
            sql({"SELECT date(g.Date_Time_Stamp), ", values, kJoin,
                 "WHERE p.Is_Guest = 'N' AND {P} AND {G} GROUP BY 1 ORDER BY 1"}),
            columns,
            {0},
            {0}};
}

std::vector<Expectation> build() {
    using K = Kind;
    std::vector<Expectation> all;
    all.push_back({QStringLiteral("Career Totals"),
                   sql({"SELECT p.Player_Gamertag, COUNT(*), SUM(gp.Kills), SUM(gp.Deaths),",
                        " SUM(gp.Assists), ", kRatio, ", ", kFirsts,
                        ", 1.0 * SUM(gp.Score) / COUNT(*), MIN(g.Date_Time_Stamp),",
                        " MAX(g.Date_Time_Stamp)", kJoin,
                        "WHERE p.Is_Guest = 'N' AND {P} AND {G} GROUP BY 1 ORDER BY 2 DESC"}),
                   {K::Text, K::Number, K::Number, K::Number, K::Number, K::Fixed2, K::Number,
                    K::Fixed1, K::Date, K::Date},
                   {0},
                   {1}});
    all.push_back(totalsPer("Totals per Game Type", "g.Type"));
    all.push_back(totalsPer("Totals per Map", "g.Map"));
    all.push_back(totalsPer("Totals per Playlist", "g.Playlist"));
    all.push_back(
        topGames("Best Games (most kills)", "gp.Kills > 0", "gp.Kills DESC, gp.Deaths", {7, 8}));
    all.push_back(
        topGames("Worst Games (most deaths)", "gp.Deaths > 0", "gp.Deaths DESC, gp.Kills", {8, 7}));
    all.push_back(topGames("Recent Form (last 25 games)", "g.Game_ID > 0",
                           "g.Date_Time_Stamp DESC, g.Game_ID DESC", {1}));
    all.push_back(
        {QStringLiteral("Medals Earned"),
         sql({"SELECT p.Player_Gamertag, NULL, m.Medal_Name, SUM(m.Count_Earned), COUNT(*),",
              " md.Long_Description FROM Game_Player_Medal m",
              " JOIN Game g ON g.Game_ID = m.Game_ID",
              " JOIN Player p ON p.Player_Gamertag = m.Player_Gamertag",
              " JOIN Medal md ON md.Medal_Name = m.Medal_Name",
              " WHERE m.Count_Earned > 0 AND {P} AND {G} GROUP BY 1, 3 ORDER BY 1, 4 DESC"}),
         {K::Text, K::Picture, K::Text, K::Number, K::Number, K::Text},
         {0, 2},
         {0, 3}});
    // A level row for each playlist the player has games of.
    all.push_back(
        {QStringLiteral("Experience Levels"),
         sql({"SELECT p.Player_Gamertag, l.Playlist, NULL, l.Experience_Level,",
              " l.Next_Level_Progress, l.Games FROM (SELECT pp.*, (SELECT COUNT(*)",
              " FROM Game_Player gp JOIN Game g ON g.Game_ID = gp.Game_ID",
              " WHERE gp.Player_Gamertag = pp.Player_Gamertag AND g.Playlist = pp.Playlist",
              " AND {G}) AS Games FROM Player_Playlist pp) l",
              " JOIN Player p ON p.Player_Gamertag = l.Player_Gamertag",
              " WHERE l.Experience_Level >= 0 AND l.Games > 0 AND {P} ORDER BY 1, 4 DESC"}),
         {K::Text, K::Text, K::Picture, K::Number, K::Number, K::Number},
         {0, 1},
         {0, 3}});
    all.push_back({QStringLiteral("Emblem Colours"),
                   sql({"SELECT p.Player_Gamertag, NULL, c.Hexadecimal_Format,",
                        " p.Secondary_Color_Code, p.Clan_Name, COUNT(*)", kJoin,
                        "JOIN Color c ON c.Color_Code = p.Primary_Color_Code",
                        " WHERE p.Is_Guest = 'N' AND {P} AND {G} GROUP BY 1 ORDER BY 6 DESC"}),
                   {K::Text, K::Picture, K::Text, K::Number, K::Text, K::Number},
                   {0},
                   {5}});
    // Everyone else in a free-for-all game, the other teams in a team game.
    all.push_back(
        {QStringLiteral("Rivals Met Most Often"),
         sql({"SELECT p.Player_Gamertag, o.Player_Gamertag, COUNT(*),",
              " SUM(CASE WHEN gp.Finished_Place < o.Finished_Place THEN 1 ELSE 0 END),",
              " SUM(o.Kills)", kJoin, "JOIN Game_Player o ON o.Game_ID = g.Game_ID",
              " WHERE o.Player_Gamertag <> p.Player_Gamertag AND p.Is_Selectable = 'Y'",
              " AND (IFNULL(gp.Team_Color, '') = '' OR o.Team_Color IS NOT gp.Team_Color)",
              " AND {P} AND {G} GROUP BY 1, 2 ORDER BY 3 DESC, 2"}),
         {K::Text, K::Text, K::Number, K::Number, K::Number},
         {0, 1},
         {2}});
    all.push_back({QStringLiteral("Teammates Met Most Often"),
                   sql({"SELECT p.Player_Gamertag, o.Player_Gamertag, COUNT(*), ", kFirsts,
                        ", SUM(o.Kills)", kJoin, "JOIN Game_Player o ON o.Game_ID = g.Game_ID",
                        " WHERE o.Player_Gamertag <> p.Player_Gamertag AND p.Is_Selectable = 'Y'",
                        " AND IFNULL(gp.Team_Color, '') <> '' AND o.Team_Color = gp.Team_Color",
                        " AND {P} AND {G} GROUP BY 1, 2 ORDER BY 3 DESC, 2"}),
                   {K::Text, K::Text, K::Number, K::Number, K::Number},
                   {0, 1},
                   {2}});
    all.push_back({QStringLiteral("Clan Members"),
                   sql({"SELECT p.Player_Gamertag, p.Clan_Name, COUNT(*), SUM(gp.Kills),",
                        " SUM(gp.Deaths), ", kRatio, ", MAX(g.Date_Time_Stamp)", kJoin,
                        "WHERE p.Clan_Name <> '' AND {P} AND {G} GROUP BY 1 ORDER BY 2, 3 DESC"}),
                   {K::Text, K::Text, K::Number, K::Number, K::Number, K::Fixed2, K::Date},
                   {0},
                   {1, 2}});
    all.push_back(
        {QStringLiteral("Quits"),
         sql({"SELECT p.Player_Gamertag, COUNT(*), SUM(", kQuit, "), 1.0 * SUM(", kQuit,
              ") / COUNT(*), MAX(CASE WHEN ", kQuit, " THEN g.Date_Time_Stamp END)", kJoin,
              "WHERE p.Is_Guest = 'N' AND {P} AND {G} GROUP BY 1 ORDER BY 3 DESC"}),
         {K::Text, K::Number, K::Number, K::Percent, K::Date},
         {0},
         {2}});
    all.push_back({QStringLiteral("Accuracy"),
                   sql({"SELECT p.Player_Gamertag, SUM(gp.Shots_Fired), SUM(gp.Shots_Hit),",
                        " SUM(gp.Shots_to_Head), 1.0 * SUM(gp.Shots_Hit) / SUM(gp.Shots_Fired),",
                        " CASE WHEN SUM(gp.Shots_Hit) = 0 THEN 0",
                        " ELSE 1.0 * SUM(gp.Shots_to_Head) / SUM(gp.Shots_Hit) END", kJoin,
                        "WHERE gp.Shots_Fired > 0 AND {P} AND {G} GROUP BY 1 ORDER BY 2 DESC"}),
                   {K::Text, K::Number, K::Number, K::Number, K::Percent, K::Percent},
                   {0},
                   {1}});
    // Each game counts once, however many players it had.
    all.push_back(
        {QStringLiteral("Game Length per Map"),
         sql({"SELECT g.Map, COUNT(*), AVG(g.Duration_Seconds), MAX(g.Duration_Seconds)",
              " FROM Game g WHERE g.Duration_Seconds > 0 AND {G} AND EXISTS (SELECT 1",
              " FROM Game_Player gp JOIN Player p ON p.Player_Gamertag = gp.Player_Gamertag",
              " WHERE gp.Game_ID = g.Game_ID AND {P}) GROUP BY 1 ORDER BY 3 DESC"}),
         {K::Text, K::Number, K::Duration, K::Duration},
         {0},
         {2}});
    all.push_back(
        {QStringLiteral("Games per Month"),
         sql({"SELECT p.Player_Gamertag, strftime('%Y-%m', g.Date_Time_Stamp),",
              " COUNT(*), SUM(gp.Kills), SUM(gp.Deaths), ", kRatio, kJoin,
              "WHERE p.Is_Guest = 'N' AND {P} AND {G} GROUP BY 1, 2", " ORDER BY 1, 2 DESC"}),
         {K::Text, K::Text, K::Number, K::Number, K::Number, K::Fixed2},
         {0, 1},
         {0, 1}});
    all.push_back(perDay("Kills and Deaths per Day Graph", "SUM(gp.Kills), SUM(gp.Deaths)",
                         {K::Number, K::Number}));
    all.push_back(perDay("Kills per Death per Day Graph", kRatio, {K::Fixed2}));
    // Games once each; the score of every player who is no guest.
    all.push_back(perDay("Games and Score per Day Graph",
                         "COUNT(DISTINCT g.Game_ID), SUM(gp.Score)", {K::Number, K::Number}));
    all.push_back({QStringLiteral("Medals per Day Graph"),
                   sql({"SELECT date(g.Date_Time_Stamp), SUM(m.Count_Earned)",
                        " FROM Game_Player_Medal m JOIN Game g ON g.Game_ID = m.Game_ID",
                        " JOIN Player p ON p.Player_Gamertag = m.Player_Gamertag",
                        " WHERE p.Is_Guest = 'N' AND {P} AND {G} GROUP BY 1 ORDER BY 1"}),
                   {K::Text, K::Number},
                   {0},
                   {0}});
    return all;
}

std::optional<double> number(const QString& text) {
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

// The general date form, "1/15/2005 8:03:00 PM" (midnight: "1/15/2005").
QDateTime shownDate(const QString& shown) {
    QDateTime date = QLocale::c().toDateTime(shown, QStringLiteral("M/d/yyyy h:mm:ss AP"));
    if (!date.isValid()) {
        date = QDateTime(QLocale::c().toDate(shown, QStringLiteral("M/d/yyyy")), QTime(0, 0));
    }
    return date;
}

std::optional<double> shownSeconds(const QString& shown) {
    const QStringList parts = shown.split(QLatin1Char(':'));
    if (parts.size() != 3) {
        return std::nullopt;
    }
    return parts[0].toInt() * 3600.0 + parts[1].toInt() * 60.0 + parts[2].toInt();
}

// How far a shown number may lie from the value it rounds.
double tolerance(Kind kind) {
    switch (kind) {
        case Kind::Fixed1:
            return 0.05 + 1e-9;
        case Kind::Fixed2:
            return 0.005 + 1e-9;
        case Kind::Percent:
        case Kind::Duration:
            return 0.5 + 1e-9;
        default:
            return 1e-9;
    }
}

}  // namespace

const std::vector<Expectation>& expectations() {
    static const std::vector<Expectation> all = build();
    return all;
}

std::vector<Row> runSqlite(sqlite3* db, const QString& sql, QString* error) {
    std::vector<Row> rows;
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &statement, nullptr) != SQLITE_OK) {
        *error = QString::fromUtf8(sqlite3_errmsg(db));
        return rows;
    }
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        Row row;
        for (int c = 0; c < sqlite3_column_count(statement); ++c) {
            if (sqlite3_column_type(statement, c) == SQLITE_NULL) {
                row.push_back(std::nullopt);
            } else {
                row.push_back(QString::fromUtf8(
                    reinterpret_cast<const char*>(sqlite3_column_text(statement, c))));
            }
        }
        rows.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE) {
        *error = QString::fromUtf8(sqlite3_errmsg(db));
    }
    sqlite3_finalize(statement);
    return rows;
}

std::optional<QString> mismatch(Kind kind, const QString& shown, const Value& value) {
    if (kind == Kind::Picture) {
        return std::nullopt;
    }
    if (!value) {
        return shown.isEmpty() ? std::nullopt
                               : std::optional<QString>(QStringLiteral("Null expected"));
    }
    const QString why = QStringLiteral("expected ") + *value;
    switch (kind) {
        case Kind::Text:
            return shown == *value ? std::nullopt : std::optional<QString>(why);
        case Kind::Date:
            return shownDate(shown) ==
                           QDateTime::fromString(*value, QStringLiteral("yyyy-MM-dd HH:mm:ss"))
                       ? std::nullopt
                       : std::optional<QString>(why);
        default:
            break;
    }
    std::optional<double> read;
    double expected = value->toDouble();
    if (kind == Kind::Percent) {
        read = shown.endsWith(QStringLiteral(" %")) ? number(shown.chopped(2)) : std::nullopt;
        expected *= 100;
    } else if (kind == Kind::Duration) {
        read = shownSeconds(shown);
    } else {
        read = number(shown);
    }
    if (!read || std::fabs(*read - expected) > tolerance(kind)) {
        return why;
    }
    return std::nullopt;
}

QString keyOfShown(Kind kind, const QString& shown) {
    if (kind == Kind::Date) {
        return shownDate(shown).toString(Qt::ISODate);
    }
    if (kind == Kind::Number) {
        const std::optional<double> read = number(shown);
        return read ? QString::number(*read, 'g', 15) : shown;
    }
    return shown;
}

QString keyOfValue(Kind kind, const Value& value) {
    if (!value) {
        return QString();
    }
    if (kind == Kind::Date) {
        return QDateTime::fromString(*value, QStringLiteral("yyyy-MM-dd HH:mm:ss"))
            .toString(Qt::ISODate);
    }
    if (kind == Kind::Number) {
        return QString::number(value->toDouble(), 'g', 15);
    }
    return *value;
}

}  // namespace tw::testing
