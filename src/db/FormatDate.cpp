// Date patterns with fixed US-English names. Letters are read without regard
// to case ("Mmm" is "mmm"); names are always capitalised ("Jan", "Sunday").
// An m or mm right after an h/hh token, or right before an s/ss token, means
// minutes; otherwise months.

#include <QTimeZone>
#include <array>
#include <vector>

#include "db/Format.h"
#include "db/FormatPatterns.h"

namespace tw {

namespace {

const std::array<const char*, 12> kMonthNames = {"January",   "February", "March",    "April",
                                                 "May",       "June",     "July",     "August",
                                                 "September", "October",  "November", "December"};
const std::array<const char*, 7> kDayNames = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                                              "Friday", "Saturday", "Sunday"};

struct Token {
    QChar letter;   // lower-case date letter, or 0 for literal text
    int count = 0;  // run length of the letter
    QString text;   // literal text, or the AM/PM marker as written
};

bool isAmPmMarker(const QString& p, qsizetype i, qsizetype* length) {
    for (const QString& marker :
         {QStringLiteral("AMPM"), QStringLiteral("AM/PM"), QStringLiteral("A/P")}) {
        if (p.mid(i, marker.size()).compare(marker, Qt::CaseInsensitive) == 0) {
            *length = marker.size();
            return true;
        }
    }
    return false;
}

std::vector<Token> tokenize(const QString& p) {
    static const QString kLetters = QStringLiteral("dmyhnswqc");
    std::vector<Token> tokens;
    auto literal = [&tokens](const QString& text) {
        if (tokens.empty() || !tokens.back().letter.isNull()) {
            tokens.push_back(Token{});
        }
        tokens.back().text += text;
    };
    for (qsizetype i = 0; i < p.size();) {
        const QChar c = p[i];
        const QChar lower = c.toLower();
        qsizetype markerLength = 0;
        if (isAmPmMarker(p, i, &markerLength)) {
            tokens.push_back(Token{u'a', 1, p.mid(i, markerLength)});
            i += markerLength;
        } else if (kLetters.contains(lower)) {
            qsizetype j = i;
            while (j < p.size() && p[j].toLower() == lower) {
                ++j;
            }
            tokens.push_back(Token{lower, int(j - i), {}});
            i = j;
        } else if (c == u'"') {
            const qsizetype end = p.indexOf(u'"', i + 1);
            literal(p.mid(i + 1, (end < 0 ? p.size() : end) - i - 1));
            i = end < 0 ? p.size() : end + 1;
        } else if (c == u'\\' && i + 1 < p.size()) {
            literal(p.mid(i + 1, 1));
            i += 2;
        } else {
            literal(QString(c));
            ++i;
        }
    }
    return tokens;
}

const Token* neighbourField(const std::vector<Token>& tokens, size_t i, int step) {
    for (long j = long(i) + step; j >= 0 && j < long(tokens.size()); j += step) {
        if (!tokens[size_t(j)].letter.isNull()) {
            return &tokens[size_t(j)];
        }
    }
    return nullptr;
}

bool isMinute(const std::vector<Token>& tokens, size_t i) {
    if (tokens[i].count > 2) {
        return false;
    }
    const Token* before = neighbourField(tokens, i, -1);
    const Token* after = neighbourField(tokens, i, +1);
    return (before && before->letter == u'h') || (after && after->letter == u's');
}

QString padded(int value, int count) {
    return count >= 2 ? QStringLiteral("%1").arg(value, 2, 10, QChar(u'0'))
                      : QString::number(value);
}

QString amPm(const QString& marker, int hour) {
    const bool pm = hour >= 12;
    if (marker.compare(QStringLiteral("AMPM"), Qt::CaseInsensitive) == 0) {
        return pm ? QStringLiteral("PM") : QStringLiteral("AM");  // the system designators
    }
    QString text = marker.size() == 3 ? QString(pm ? u'P' : u'A')
                                      : QString(pm ? QStringLiteral("PM") : QStringLiteral("AM"));
    return marker[0].isLower() ? text.toLower() : text;
}

QString dayText(const QDate& date, int count) {
    switch (count) {
        case 1:
        case 2:
            return padded(date.day(), count);
        case 3:
            return QString::fromLatin1(kDayNames[size_t(date.dayOfWeek() - 1)]).left(3);
        case 4:
            return QString::fromLatin1(kDayNames[size_t(date.dayOfWeek() - 1)]);
        case 5:
            return formatDatePattern(QDateTime(date, QTime(0, 0), QTimeZone::utc()),
                                     QStringLiteral("m/d/yyyy"));
        default:
            return formatDatePattern(QDateTime(date, QTime(0, 0), QTimeZone::utc()),
                                     QStringLiteral("dddd, mmmm d, yyyy"));
    }
}

QString monthText(const QDate& date, int count) {
    if (count <= 2) {
        return padded(date.month(), count);
    }
    const QString name = QString::fromLatin1(kMonthNames[size_t(date.month() - 1)]);
    return count == 3 ? name.left(3) : name;
}

QString yearText(const QDate& date, int count) {
    switch (count) {
        case 1:
            return QString::number(date.dayOfYear());
        case 2:
            return padded(date.year() % 100, 2);
        case 3:
            return padded(date.year() % 100, 2) + QString::number(date.dayOfYear());
        default:
            return QStringLiteral("%1").arg(date.year(), 4, 10, QChar(u'0'));
    }
}

QString fieldText(const std::vector<Token>& tokens, size_t i, const QDateTime& dt, bool twelve) {
    const Token& t = tokens[i];
    const QDate date = dt.date();
    const QTime time = dt.time();
    switch (t.letter.unicode()) {
        case u'd':
            return dayText(date, t.count);
        case u'm':
            return isMinute(tokens, i) ? padded(time.minute(), t.count) : monthText(date, t.count);
        case u'n':
            return padded(time.minute(), t.count);
        case u'y':
            return yearText(date, t.count);
        case u'h': {
            const int hour = twelve ? (time.hour() % 12 == 0 ? 12 : time.hour() % 12) : time.hour();
            return padded(hour, t.count);
        }
        case u's':
            return padded(time.second(), t.count);
        case u'w':
            return QString::number(date.dayOfWeek() % 7 + 1);  // Sunday is 1
        case u'q':
            return QString::number((date.month() - 1) / 3 + 1);
        case u'c':
            return generalDate(dt);
        case u'a':
            return amPm(t.text, time.hour());
        default:
            return t.text;
    }
}

}  // namespace

bool isDatePattern(const QString& pattern) {
    if (isNumberPattern(pattern)) {
        return false;
    }
    for (const Token& token : tokenize(pattern)) {
        if (!token.letter.isNull()) {
            return true;
        }
    }
    return false;
}

QDateTime roundToSecond(const QDateTime& dateTime) {
    const int ms = dateTime.time().msec();
    const QDateTime whole = dateTime.addMSecs(-ms);
    return ms >= 500 ? whole.addSecs(1) : whole;
}

QString formatDatePattern(const QDateTime& dateTime, const QString& pattern) {
    const QDateTime dt = roundToSecond(dateTime);
    const std::vector<Token> tokens = tokenize(pattern);
    bool twelve = false;
    for (const Token& token : tokens) {
        twelve = twelve || token.letter == u'a';
    }
    QString out;
    for (size_t i = 0; i < tokens.size(); ++i) {
        out += tokens[i].letter.isNull() ? tokens[i].text : fieldText(tokens, i, dt, twelve);
    }
    return out;
}

QString generalDate(const QDateTime& dateTime) {
    const QDateTime dt = roundToSecond(dateTime);
    const bool midnight = dt.time() == QTime(0, 0);
    const bool timeOnly = dt.date() == QDate(1899, 12, 30);
    if (timeOnly) {
        return formatDatePattern(dt, QStringLiteral("h:mm:ss AMPM"));
    }
    if (midnight) {
        return formatDatePattern(dt, QStringLiteral("m/d/yyyy"));
    }
    return formatDatePattern(dt, QStringLiteral("m/d/yyyy h:mm:ss AMPM"));
}

}  // namespace tw
