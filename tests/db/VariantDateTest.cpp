// Serial dates, the general date form and the date texts the program meets.

#include <gtest/gtest.h>

#include <QTimeZone>

#include "db/Format.h"
#include "db/Variant.h"

namespace tw {
namespace {

QDateTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s), QTimeZone::utc());
}

TEST(SerialDate, CountsDaysFrom30December1899) {
    const struct {
        QDateTime dateTime;
        double serial;
    } cases[] = {
        {at(1899, 12, 30), 0},          {at(1900, 1, 1), 2},          {at(2005, 1, 5), 38357},
        {at(2005, 1, 5, 18), 38357.75}, {at(1899, 12, 29, 6), -1.25}, {at(9999, 12, 31), 2958465},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(serialFromDateTime(c.dateTime), c.serial) << c.serial;
        EXPECT_EQ(dateTimeFromSerial(c.serial), c.dateTime) << c.serial;
    }
    // Fractions that miss a whole second by a hair come back on the second.
    EXPECT_EQ(dateTimeFromSerial(38357.0 + 15.0 / 24 - 1e-10), at(2005, 1, 5, 15));
    EXPECT_FALSE(dateTimeFromSerial(3e6).isValid());
}

TEST(SerialDate, ReadsLocalWallClockFieldsWhateverTheTimeSpec) {
    const QDateTime local(QDate(2005, 1, 5), QTime(15, 7), QTimeZone::systemTimeZone());
    EXPECT_EQ(Variant::fromDate(local).toDateTime(), at(2005, 1, 5, 15, 7));
}

TEST(GeneralDate, ShowsTimeWithSecondsAndOnlyTheDateAtMidnight) {
    const struct {
        QDateTime dateTime;
        const char* expected;
    } cases[] = {
        {at(2026, 12, 6, 20, 3), "12/6/2026 8:03:00 PM"},
        {at(2005, 1, 5, 0, 0, 1), "1/5/2005 12:00:01 AM"},
        {at(2005, 1, 5, 12, 30, 9), "1/5/2005 12:30:09 PM"},
        {at(2005, 1, 5), "1/5/2005"},
        {at(1899, 12, 30, 9, 5, 7), "9:05:07 AM"},
        {at(1899, 12, 30), "12:00:00 AM"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(generalDate(c.dateTime), QString::fromUtf8(c.expected)) << c.expected;
    }
}

TEST(ParseDateText, ReadsStorageAndUsForms) {
    const struct {
        const char* text;
        QDateTime expected;
    } cases[] = {
        {"2005-01-15 20:03:00", at(2005, 1, 15, 20, 3)},
        {"2005-01-15", at(2005, 1, 15)},
        {"2005-01-15T20:03:09", at(2005, 1, 15, 20, 3, 9)},
        {"1/15/2005 8:03 PM", at(2005, 1, 15, 20, 3)},
        {"12/6/2026 8:03:00 PM", at(2026, 12, 6, 20, 3)},
        {"1/5/2005", at(2005, 1, 5)},
        {" 1/5/2005 12:15 am ", at(2005, 1, 5, 0, 15)},
        {"1/5/2005 12:15 PM", at(2005, 1, 5, 12, 15)},
        {"1/5/2005 23:59:59", at(2005, 1, 5, 23, 59, 59)},
        {"1/5/05", at(2005, 1, 5)},
        {"1/5/99", at(1999, 1, 5)},
        {"8:03 PM", at(1899, 12, 30, 20, 3)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parseDateText(QString::fromUtf8(c.text)), c.expected) << c.text;
    }
    for (const char* bad : {"", "abc", "2/30/2005", "13/1/2005", "1/5/2005 13:00 PM",
                            "1/5/2005 8:60", "2005-13-01", "1/5/20058:03", "8080"}) {
        EXPECT_FALSE(parseDateText(QString::fromUtf8(bad)).isValid()) << bad;
    }
}

TEST(StorageDateText, WritesIsoWithSeconds) {
    EXPECT_EQ(toStorageDateText(at(2005, 1, 5, 8, 3, 7)), QStringLiteral("2005-01-05 08:03:07"));
    EXPECT_EQ(Variant("1/15/2005 8:03 PM").toDateTime(), at(2005, 1, 15, 20, 3));
    EXPECT_DOUBLE_EQ(Variant("2005-01-05 18:00:00").toSerialDate(), 38357.75);
}

}  // namespace
}  // namespace tw
