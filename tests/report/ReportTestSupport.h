#pragma once
// A program folder in a temporary directory with a fresh statistics database,
// a report folder, scripted prompter and a fixed clock, for the report tests.
// Data goes in through SQLite itself, between two openings of the database.

#include <gtest/gtest.h>
#include "support/SqliteFile.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "core/Paths.h"
#include "core/Session.h"
#include "db/SqliteSchemaBuilder.h"
#include "report/ReportSection.h"
#include "report/ReportSections.h"
#include "report/ReportTokens.h"
#include "report/TpsReport.h"
#include "support/QtPrinters.h"
#include "support/ScriptedPrompter.h"

namespace tw::test {

// Every token of the report, in the order the report fills them.
inline const QStringList kAllTokens = {"GAMERTAG",           "CLAN_NAME",
                                       "CLAN_WEBSITE",       "QUOTE",
                                       "PRIMARY_COLOR",      "SECONDARY_COLOR",
                                       "INVERT_COLOR",       "AVATAR_PATH_LARGE",
                                       "AVATAR_PATH_MINI",   "LEVEL_ICON_B",
                                       "LEVEL_ICON_H",       "LEVEL_ICON_R",
                                       "LEVEL_ICON_SK",      "LEVEL_ICON_S",
                                       "ACTIVITY_RANGE",     "TOTAL_GAMES",
                                       "TOTAL_FIRSTS",       "TOTAL_KILLS",
                                       "TOTAL_ASSISTS",      "TOTAL_DEATHS",
                                       "TOTAL_MEDALS",       "TOTAL_TIME_PLAYED",
                                       "TOTAL_SHOTS_HIT",    "TOTAL_SHOTS_FIRED",
                                       "TOTAL_SHOTS_HEAD",   "EGR_SAMPLE_SIZE",
                                       "EGR_EFFICIENCY",     "EGR_MARKSMANSHIP",
                                       "EGR_HONOR",          "EGR",
                                       "EGR_ICON",           "RATIO_TYPE",
                                       "EFFICIENCY_MATRIX",  "TROPHY_ROOM",
                                       "TOTAL_RANKED_QUITS", "TOTAL_CUSTOM_QUITS",
                                       "CREATE_DATE"};

// The rating's six tokens.
inline const QStringList kRatingTokens = {
    "EGR_SAMPLE_SIZE", "EGR_EFFICIENCY", "EGR_MARKSMANSHIP", "EGR_HONOR", "EGR", "EGR_ICON"};

class ReportTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        buildPaths(state_, programFolder());
        ASSERT_TRUE(QDir().mkpath(state_.tpsDir));
        sqlite::createStatisticsDatabase(state_.dbPath,
                                         QStringLiteral(TALLYWICK_SOURCE_DIR "/src/db"));
        state_.prompter = &prompter_;
        state_.clock = [] { return QDateTime(QDate(2005, 1, 30), QTime(15, 30, 7)); };
        state_.currentGamertag = QStringLiteral("Red Fox");
        open();
    }

    // The program folder the test works in; a fresh temporary one unless a
    // test wants to keep its page.
    virtual QString programFolder() { return dir_.path(); }

    void open() { state_.db = Database::open(state_.dbPath); }

    // Raw SQLite statements (several allowed) on the closed database file.
    void seed(const QString& sql) {
        lastRun_.rs.reset();
        state_.db.reset();
        const QByteArray batch = "BEGIN;" + sql.toUtf8() + ";COMMIT;";
        ASSERT_EQ(test_support::runSql(state_.dbPath, batch.constData()), "");
        open();
    }

    // A player with colours (codes of the delivered Color table: 2 red, 10
    // cobalt) and the five playlists of the site, all at level 7. Clan and
    // quote are SQL expressions.
    void addPlayer(const QString& tag, int primary = 2, int secondary = 10,
                   const QString& clan = QStringLiteral("NULL"),
                   const QString& quote = QStringLiteral("NULL")) {
        seed(QStringLiteral("INSERT INTO Player VALUES ('%1', %2, %3, %4, %5, 0, NULL, 'Y', 'N', "
                            "'N', 'N', 'N');")
                 .arg(tag, clan)
                 .arg(primary)
                 .arg(secondary)
                 .arg(quote));
        addPlaylists(tag, {7, 7, 7, 7, 7});
    }

    void addPlaylists(const QString& tag, const QList<int>& levels) {
        static const QStringList kNames = {"Big Team Battle", "Head to Head", "Rumble Pit",
                                           "Team Skirmish", "Team Slayer"};
        QString sql;
        for (int i = 0; i < levels.size(); ++i) {
            sql += QStringLiteral("INSERT INTO Player_Playlist VALUES ('%1', '%2', %3, 0);")
                       .arg(tag, kNames.value(i))
                       .arg(levels[i]);
        }
        seed(sql);
    }

    // `count` games from id `firstId` on, one a day from 2005-01-01, each with
    // one Game_Player row for `tag`; `values` gives the row's columns after
    // Game_ID and Player_Gamertag (place, team, score, kills, assists, deaths,
    // shots fired, hit, to the head; SQL expressions over the game number i,
    // 1-based), and `game` the Game columns Type, Map, Playlist, purged flag
    // and duration.
    void addGames(
        const QString& tag, int firstId, int count, const QString& values,
        const QString& game = QStringLiteral("'Slayer', 'Lockout', 'Team Skirmish', 'N', 300")) {
        const QString series = QStringLiteral(
                                   "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                                   "WHERE i < %1) ")
                                   .arg(count);
        seed(series +
             QStringLiteral("INSERT INTO Game SELECT %1 + i - 1, %2 FROM n;")
                 .arg(firstId)
                 .arg(gameColumns(game)) +
             series +
             QStringLiteral("INSERT INTO Game_Player SELECT %1 + i - 1, '%2', %3 FROM n;")
                 .arg(firstId)
                 .arg(tag, values));
    }
    static QString gameColumns(const QString& game) {
        // Type, then the date, then Map, Playlist, purged flag, duration.
        const qsizetype comma = game.indexOf(QLatin1Char(','));
        return game.left(comma) +
               QStringLiteral(
                   ", strftime('%Y-%m-%d %H:%M:%S', '2005-01-01 12:00:00', "
                   "'+' || (i - 1) || ' days')") +
               game.mid(comma);
    }

    // "name=?NAME?" records for the given tokens, filled by the whole report
    // run (without writing), read back as name -> value.
    QMap<QString, QString> filled(const QStringList& tokens = kAllTokens) {
        ReportRun run = newReportRun(state_, state_.currentGamertag);
        return read(fillReport(run, records(tokens), state_.clock()));
    }
    // The same through one section alone; lastRun_ keeps what it read.
    QMap<QString, QString> filledBy(void (*section)(ReportRun&, ReportPage&),
                                    const QStringList& tokens) {
        ReportPage page(records(tokens));
        lastRun_ = newReportRun(state_, state_.currentGamertag);
        section(lastRun_, page);
        return read(page.render());
    }
    // The whole run's values of `tokens`, in that order, joined by blanks.
    QString filledLine(const QStringList& tokens) {
        const QMap<QString, QString> values = filled(tokens);
        QStringList line;
        for (const QString& token : tokens) {
            line.append(values.value(token));
        }
        return line.join(QLatin1Char(' '));
    }
    // The report of the selected player, as the menu entry makes it.
    bool createReport() { return createTpsReport(state_, state_.currentGamertag); }
    // Records end with a byte no value holds (values may span lines).
    static QByteArray records(const QStringList& tokens) {
        QByteArray page;
        for (const QString& token : tokens) {
            page += (token + QStringLiteral("=?") + token + QStringLiteral("?\x1e")).toUtf8();
        }
        return page;
    }
    static QMap<QString, QString> read(const QByteArray& page) {
        QMap<QString, QString> values;
        for (const QString& record :
             QString::fromUtf8(page).split(QChar(0x1e), Qt::SkipEmptyParts)) {
            values.insert(record.section(QLatin1Char('='), 0, 0),
                          record.section(QLatin1Char('='), 1));
        }
        return values;
    }

    void writeTemplate(const QByteArray& bytes) {
        QFile file(state_.tpsDir + QStringLiteral("template.html"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    static QByteArray bytes(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    QString logText() const {
        return QString::fromUtf8(bytes(state_.programDir + QStringLiteral("/debug.log")));
    }

    QTemporaryDir dir_;
    Session state_;
    ScriptedPrompter prompter_;
    ReportRun lastRun_;
};

}  // namespace tw::test
