// A download of the program's kind, reduced to what the ground truth covers: it
// reads the site's pages over a socket with the scrapers' rules and keeps the
// tables in memory with the database's rules (case-insensitive keys, duplicates
// skipped, the new-games query, the clean-up's merge). Its tables, printed like
// the truth file, must equal the site's truth.
#pragma once

#include <QMap>
#include <QSet>

#include "statsite/ScraperRules.h"
#include "statsite/SiteRoots.h"

namespace statsite_test {

class MiniDownload {
  public:
    MiniDownload(quint16 port, tw::statsite::SiteRoots roots = {})
        : port_(port), roots_(std::move(roots)) {}

    void addTag(const QByteArray& tag);
    void download(const QByteArray& tag);
    // Table name -> rows as truth lines, sorted.
    QMap<QByteArray, QList<QByteArray>> tables() const;

  private:
    struct PlayerRow {
        QByteArray name;
        QByteArray clan;  // empty: Null
        QByteArray primary = "\\N", secondary = "\\N";
        qint32 lastGameId = 0;
        bool downloaded = false, selectable = false, guest = false;
    };
    struct GameRow {
        QByteArray type, date, map, playlist, purged = "\\N", duration = "\\N";
    };
    struct Staged {
        qint32 id;
        QByteArray name;
        QList<QByteArray> values;
    };

    QByteArray page(const QByteArray& target);
    void readPlayerPage(const QByteArray& tag, const ScrapedPlayer& player);
    QList<qint32> readGameList(const QByteArray& tag);
    void readGame(qint32 id);
    void cleanup(const QByteArray& tag, qint32 lastDone);

    quint16 port_;
    tw::statsite::SiteRoots roots_;
    QMap<QByteArray, PlayerRow> players_;  // lower-case keys
    QSet<QByteArray> clans_;
    QMap<QByteArray, QByteArray> playlists_;
    QMap<qint32, GameRow> games_;
    QMap<QByteArray, QByteArray> gamePlayers_;
    QMap<QByteArray, QByteArray> medals_;
    QSet<qint32> gamesWithPlayers_;
    QList<Staged> panel1_, panel2_, panel4_, panel5_;
};

// The truth text's rows by table, sorted, without comments and column lines.
QMap<QByteArray, QList<QByteArray>> truthTables(const QByteArray& truth);

}  // namespace statsite_test
