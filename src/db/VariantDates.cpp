// Dates are naive wall-clock date-times without a time zone. QDateTimes made
// here carry the UTC time spec only so that Qt never shifts a time that falls
// into a daylight-saving gap; their fields are the local wall-clock fields.
// Reading a QDateTime uses its date() and time() whatever its spec.

#include <QRegularExpression>
#include <QTimeZone>
#include <cmath>

#include "db/Variant.h"

namespace tw {

namespace {

constexpr qint64 kMsPerDay = 86400000;
// Classic date range: 1 Jan 100 to 31 Dec 9999.
constexpr double kFirstSerial = -657434.0;
constexpr double kLastSerial = 2958466.0;

QDate serialEpoch() {
    return QDate(1899, 12, 30);
}

QDateTime makeNaive(const QDate& date, const QTime& time) {
    if (!date.isValid() || !time.isValid()) {
        return QDateTime();
    }
    return QDateTime(date, time, QTimeZone::utc());
}

// Two-digit years as classic VB reads them: 00-29 are 2000s, 30-99 1900s.
int fullYear(const QString& digits) {
    const int year = digits.toInt();
    if (digits.size() > 2) {
        return year;
    }
    return year < 30 ? 2000 + year : 1900 + year;
}

// Hours, minutes, seconds and an optional AM/PM marker; invalid QTime if out
// of range (13 PM, 0:60).
QTime readTime(const QString& h, const QString& m, const QString& s, const QString& ampm) {
    int hour = h.toInt();
    const int minute = m.toInt();
    const int second = s.isEmpty() ? 0 : s.toInt();
    if (!ampm.isEmpty()) {
        if (hour > 12) {
            return QTime();
        }
        const bool pm = ampm.startsWith(u'P', Qt::CaseInsensitive);
        if (hour == 12) {
            hour = pm ? 12 : 0;
        } else if (pm) {
            hour += 12;
        }
    }
    if (hour > 23 || minute > 59 || second > 59) {
        return QTime();
    }
    return QTime(hour, minute, second);
}

QDateTime parseIso(const QString& text) {
    static const QRegularExpression iso(QStringLiteral(
        R"(^(\d{4})-(\d{1,2})-(\d{1,2})(?:[ T](\d{1,2}):(\d{2})(?::(\d{2})(?:\.\d+)?)?)?$)"));
    const auto match = iso.match(text);
    if (!match.hasMatch()) {
        return QDateTime();
    }
    const QDate date(match.captured(1).toInt(), match.captured(2).toInt(),
                     match.captured(3).toInt());
    const QTime time = match.captured(4).isEmpty()
                           ? QTime(0, 0)
                           : readTime(match.captured(4), match.captured(5), match.captured(6), {});
    return makeNaive(date, time);
}

QDateTime parseUs(const QString& text) {
    static const QRegularExpression us(
        QStringLiteral(R"(^(?:(\d{1,2})/(\d{1,2})/(\d{4}|\d{2}))?)"
                       R"((?:\s*(\d{1,2}):(\d{1,2})(?::(\d{1,2}))?\s*([AaPp][Mm])?)?$)"));
    const auto match = us.match(text);
    const bool hasDate = !match.captured(1).isEmpty();
    const bool hasTime = !match.captured(4).isEmpty();
    if (!match.hasMatch() || (!hasDate && !hasTime)) {
        return QDateTime();
    }
    if (hasDate && hasTime && text.indexOf(u' ') < 0) {
        return QDateTime();  // "1/5/20058:03" runs date and time together
    }
    const QDate date = hasDate ? QDate(fullYear(match.captured(3)), match.captured(1).toInt(),
                                       match.captured(2).toInt())
                               : serialEpoch();
    const QTime time = hasTime ? readTime(match.captured(4), match.captured(5), match.captured(6),
                                          match.captured(7))
                               : QTime(0, 0);
    return makeNaive(date, time);
}

}  // namespace

double serialFromDateTime(const QDateTime& dateTime) {
    const double days = static_cast<double>(serialEpoch().daysTo(dateTime.date()));
    const double fraction = static_cast<double>(dateTime.time().msecsSinceStartOfDay()) / kMsPerDay;
    // Before the epoch the whole part counts back while the fraction still
    // counts forward from midnight: -1.25 is 29 Dec 1899 06:00.
    return days >= 0 ? days + fraction : days - fraction;
}

QDateTime dateTimeFromSerial(double serial) {
    if (!std::isfinite(serial) || serial < kFirstSerial || serial >= kLastSerial) {
        return QDateTime();
    }
    qint64 day = static_cast<qint64>(std::trunc(serial));
    const double fraction = std::fabs(serial - static_cast<double>(day));
    qint64 ms = std::llround(fraction * kMsPerDay);
    if (ms >= kMsPerDay) {
        ms -= kMsPerDay;
        day += serial < 0 ? -1 : 1;
    }
    return makeNaive(serialEpoch().addDays(day), QTime::fromMSecsSinceStartOfDay(int(ms)));
}

QDateTime parseDateText(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty()) {
        return QDateTime();
    }
    const QDateTime iso = parseIso(t);
    return iso.isValid() ? iso : parseUs(t);
}

QString toStorageDateText(const QDateTime& dateTime) {
    return dateTime.date().toString(QStringLiteral("yyyy-MM-dd")) + u' ' +
           dateTime.time().toString(QStringLiteral("HH:mm:ss"));
}

}  // namespace tw
