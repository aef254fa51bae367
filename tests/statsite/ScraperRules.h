// The program's text rules for reading pages, written down from the scrapers'
// algorithms so the tests can cut values out of the site's pages exactly as the
// download will: case-insensitive 1-based search, extractUntil, leading numbers.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <stdexcept>

namespace statsite_test {

// Position (1-based) of the first occurrence of marker at or after start, ignoring
// case; 0 when none. A start below 1 is the program's run-time error.
qsizetype inStr(qsizetype start, const QByteArray& text, const QByteArray& marker);
// Characters from start up to the first stop character, blanks trimmed at both ends.
QByteArray extractUntil(const QByteArray& text, qsizetype start, char stop);
// Leading-number reading: blanks, sign, digits, one decimal point; 0 without a number.
double leadingNumber(const QByteArray& text);
// hh:mm:ss as seconds, by the two-character pieces of the time rule.
int timeTextSeconds(const QByteArray& text);
QByteArray urlEncode(const QByteArray& text);
// Case-insensitive replacement of every occurrence.
QByteArray replaceAll(QByteArray text, const QByteArray& what, const QByteArray& with);

struct ScrapedLevel {
    QByteArray playlist;
    QByteArray level;
    double progress = 0;
};

struct ScrapedPlayer {
    bool notFound = false;
    bool hasClan = false;
    QByteArray clan;
    QList<ScrapedLevel> levels;
    int primary = 0;
    int secondary = 0;
    QByteArray query;       // the emblem query for the ".jpg" picture
    QByteArray smallQuery;  // the query for the "_smbw.jpg" picture
};

struct ScrapedGame {
    qint32 id = 0;
    QByteArray type, date, map, playlist;
};

struct ScrapedEntry {
    QByteArray name;
    double place = 0;
    QByteArray color;
    QByteArray score;          // as cut; a time when it holds ":"
    QList<QByteArray> values;  // kills/assists/deaths or hits/fired/head
};

struct ScrapedMedal {
    QByteArray name;  // player
    double count = 0;
    QByteArray medal;
};

struct ScrapedStats {
    bool purged = false;
    QByteArray length;
    QList<ScrapedEntry> entries;
};

ScrapedPlayer scrapePlayer(const QByteArray& page);
int scrapePageCount(const QByteArray& page);
QList<ScrapedGame> scrapeGameRows(const QByteArray& page);
ScrapedStats scrapeStats(const QByteArray& page);
QList<ScrapedEntry> scrapeKills(const QByteArray& page);
QList<ScrapedMedal> scrapeMedals(const QByteArray& page);
QList<ScrapedEntry> scrapeHits(const QByteArray& page);

}  // namespace statsite_test
