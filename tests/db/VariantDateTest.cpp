// Serial dates, the general date form and the date texts the program meets.

#include <gtest/gtest.h>

#include <QTimeZone>

#include "db/Format.h"
#include "db/Variant.h"

namespace tw {
namespace {

QDateTime At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s), QTimeZone::utc());
}

TEST(SerialDate, CountsDaysFrom30December1899) {
    const struct {
        QDateTime dateTime;
        double serial;
    } cases[] = {
        {At(1899, 12, 30), 0},          {At(1900, 1, 1), 2},          {At(2005, 1, 5), 38357},
        {At(2005, 1, 5, 18), 38357.75}, {At(1899, 12, 29, 6), -1.25}, {At(9999, 12, 31), 2958465},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(SerialFromDateTime(c.dateTime), c.serial) << c.serial;
        EXPECT_EQ(DateTimeFromSerial(c.serial), c.dateTime) << c.serial;
    }
    // Fractions that miss a whole second by a hair come back on the second.
    EXPECT_EQ(DateTimeFromSerial(38357.0 + 15.0 / 24 - 1e-10), At(2005, 1, 5, 15));
    EXPECT_FALSE(DateTimeFromSerial(3e6).isValid());
}

TEST(SerialDate, ReadsLocalWallClockFieldsWhateverTheTimeSpec) {
    const QDateTime local(QDate(2005, 1, 5), QTime(15, 7), QTimeZone::systemTimeZone());
    EXPECT_EQ(Variant::FromDate(local).toDateTime(), At(2005, 1, 5, 15, 7));
}

TEST(GeneralDate, ShowsTimeWithSecondsAndOnlyTheDateAtMidnight) {
    const struct {
        QDateTime dateTime;
        const char* expected;
    } cases[] = {
        {At(2026, 12, 6, 20, 3), "12/6/2026 8:03:00 PM"},
        {At(2005, 1, 5, 0, 0, 1), "1/5/2005 12:00:01 AM"},
        {At(2005, 1, 5, 12, 30, 9), "1/5/2005 12:30:09 PM"},
        {At(2005, 1, 5), "1/5/2005"},
        {At(1899, 12, 30, 9, 5, 7), "9:05:07 AM"},
        {At(1899, 12, 30), "12:00:00 AM"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GeneralDate(c.dateTime), QString::fromUtf8(c.expected)) << c.expected;
    }
}

TEST(ParseDateText, ReadsStorageAndUsForms) {
    const struct {
        const char* text;
        QDateTime expected;
    } cases[] = {
        {"2005-01-15 20:03:00", At(2005, 1, 15, 20, 3)},
        {"2005-01-15", At(2005, 1, 15)},
        {"2005-01-15T20:03:09", At(2005, 1, 15, 20, 3, 9)},
        {"1/15/2005 8:03 PM", At(2005, 1, 15, 20, 3)},
        {"12/6/2026 8:03:00 PM", At(2026, 12, 6, 20, 3)},
        {"1/5/2005", At(2005, 1, 5)},
        {" 1/5/2005 12:15 am ", At(2005, 1, 5, 0, 15)},
        {"1/5/2005 12:15 PM", At(2005, 1, 5, 12, 15)},
        {"1/5/2005 23:59:59", At(2005, 1, 5, 23, 59, 59)},
        {"1/5/05", At(2005, 1, 5)},
        {"1/5/99", At(1999, 1, 5)},
        {"8:03 PM", At(1899, 12, 30, 20, 3)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseDateText(QString::fromUtf8(c.text)), c.expected) << c.text;
    }
    for (const char* bad : {"", "abc", "2/30/2005", "13/1/2005", "1/5/2005 13:00 PM",
                            "1/5/2005 8:60", "2005-13-01", "1/5/20058:03", "8080"}) {
        EXPECT_FALSE(ParseDateText(QString::fromUtf8(bad)).isValid()) << bad;
    }
}

TEST(StorageDateText, WritesIsoWithSeconds) {
    EXPECT_EQ(ToStorageDateText(At(2005, 1, 5, 8, 3, 7)), QStringLiteral("2005-01-05 08:03:07"));
    EXPECT_EQ(Variant("1/15/2005 8:03 PM").toDateTime(), At(2005, 1, 15, 20, 3));
    EXPECT_DOUBLE_EQ(Variant("2005-01-05 18:00:00").toSerialDate(), 38357.75);
}

}  // namespace
}  // namespace tw
