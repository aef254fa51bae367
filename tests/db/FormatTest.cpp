// The display patterns of the program, with fixed US-English conventions.

#include <gtest/gtest.h>

#include <QTimeZone>
#include <limits>
#include <utility>

#include "db/AppError.h"
#include "db/Format.h"

namespace tw {
namespace {

Variant dateAt(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    return Variant::fromDate(QDateTime(QDate(y, mo, d), QTime(h, mi, s), QTimeZone::utc()));
}

struct Case {
    Variant value;
    const char* pattern;
    const char* expected;
};

void expectAll(std::initializer_list<Case> cases) {
    for (const auto& c : cases) {
        EXPECT_EQ(format(c.value, QString::fromUtf8(c.pattern)), QString::fromUtf8(c.expected))
            << c.pattern << " on " << c.value.joinText().toStdString();
    }
}

TEST(FormatNumber, PercentPatterns) {
    expectAll({
        {0.256, "0 %", "26 %"},
        {0.0, "0 %", "0 %"},
        {1.0, "0 %", "100 %"},
        {0.125, "0 %", "13 %"},  // half away from zero
        {0.285, "0 %", "29 %"},  // 28.499999.. in binary, 28.5 in decimal
        {-0.256, "0 %", "-26 %"},
        {0.5, "0%", "50%"},
        {2.0 / 3.0, "0%", "67%"},
        {int64_t{3}, "0%", "300%"},
    });
}

// A value with no digits (a database cell may hold an infinity; a
// percentage of a huge value becomes one) is Overflow, not a crash.
TEST(FormatNumber, ValuesBeyondADoubleAreOverflow) {
    const double huge = std::numeric_limits<double>::max();
    for (const auto& [value, pattern] : std::initializer_list<std::pair<double, const char*>>{
             {std::numeric_limits<double>::infinity(), "0.0"},
             {std::numeric_limits<double>::quiet_NaN(), "0,000"},
             {huge, "0 %"}}) {
        try {
            format(Variant(value), QString::fromLatin1(pattern));
            ADD_FAILURE() << pattern << " gave a text";
        } catch (const AppError& error) {
            EXPECT_EQ(error.number(), err::kOverflow) << pattern;
        }
    }
}

TEST(FormatNumber, DecimalsAndRounding) {
    expectAll({
        {3.26, "0.0", "3.3"},
        {int64_t{12}, "0.0", "12.0"},
        {0.25, "0.0", "0.3"},
        {-0.25, "0.0", "-0.3"},
        {0.15, "0.0", "0.2"},
        {9.96, "0.0", "10.0"},
        {-0.04, "0.0", "0.0"},  // no minus sign on a zero
        {0.42, "0.00 secs", "0.42 secs"},
        {0.057, "0.00 secs", "0.06 secs"},
        {int64_t{2}, "0.00 secs", "2.00 secs"},
        {"3.14159", "0.00", "3.14"},
        {2.675, "0.00", "2.68"},
    });
}

TEST(FormatNumber, IntegerDigitsAndGrouping) {
    expectAll({
        {int64_t{6}, "00", "06"},
        {int64_t{0}, "00", "00"},
        {int64_t{123}, "00", "123"},
        {6.5, "00", "07"},
        {int64_t{512}, "0,000", "0,512"},
        {int64_t{0}, "0,000", "0,000"},
        {int64_t{1234567}, "0,000", "1,234,567"},
        {int64_t{1234}, "#,##0", "1,234"},
        {int64_t{12}, "#,##0", "12"},
        {int64_t{7}, "000", "007"},
        {0.5, "#.00", ".50"},
        {int64_t{5}, "#.##", "5."},
        {1234.5, "#,##0.00", "1,234.50"},
    });
}

TEST(FormatNumber, SectionsLiteralsAndNamedFormats) {
    expectAll({
        {int64_t{-5}, "0;(0)", "(5)"},
        {int64_t{0}, "0;(0);\"none\"", "none"},
        {int64_t{5}, "\"L\"00", "L05"},
        {int64_t{5}, "\\#0", "#5"},
        {1234.5, "Standard", "1,234.50"},
        {0.1234, "Percent", "12.34%"},
        {int64_t{3}, "Fixed", "3.00"},
        {"not a number", "0.0", "not a number"},
    });
}

TEST(FormatGeneral, EmptyPatternGivesTheGeneralForms) {
    expectAll({
        {2.0, "", "2"},
        {0.1 + 0.2, "", "0.3"},
        {1e20, "", "1E+20"},
        {int64_t{-3}, "", "-3"},
        {"text", "", "text"},
        {dateAt(2005, 1, 5, 15, 7), "", "1/5/2005 3:07:00 PM"},
        {dateAt(2005, 1, 5), "", "1/5/2005"},
    });
    EXPECT_EQ(format(Variant(), QStringLiteral("0.0")), QString());
    EXPECT_EQ(format(Variant(), QString()), QString());
}

TEST(FormatDate, ThePatternsOfTheProgram) {
    expectAll({
        {dateAt(2005, 1, 5, 15, 7), "mmm d, yyyy h:mm AMPM", "Jan 5, 2005 3:07 PM"},
        {dateAt(2005, 12, 25, 0, 5), "mmm d, yyyy h:mm AMPM", "Dec 25, 2005 12:05 AM"},
        {dateAt(2005, 1, 30, 12, 0), "mmm d, yyyy h:mm AMPM", "Jan 30, 2005 12:00 PM"},
        {dateAt(2005, 1, 30), "Mmm d, yyyy", "Jan 30, 2005"},
        {dateAt(2005, 1, 30, 15, 30, 7), "Mmm d, yyyy h:m:s AMPM", "Jan 30, 2005 3:30:7 PM"},
        {dateAt(2005, 1, 30, 14, 30, 5), "yyyymmddhhmmss", "20050130143005"},
        {dateAt(2005, 9, 3, 4, 5, 6), "yyyymmddhhmmss", "20050903040506"},
        {dateAt(2005, 1, 30, 14, 30, 5), "hh:mm:ss", "14:30:05"},
        {dateAt(2005, 1, 30, 14, 30, 5), "h:nn am/pm", "2:30 pm"},
        {dateAt(2005, 1, 30, 14, 30, 5), "dddd, mmmm d", "Sunday, January 30"},
        {dateAt(2005, 1, 30, 14, 30, 5), "ddd dd/mm/yy", "Sun 30/01/05"},
        {dateAt(2005, 1, 30, 14, 30, 5), "Short Date", "1/30/2005"},
        {"1/15/2005 8:03 PM", "Mmm d, yyyy", "Jan 15, 2005"},
        {"no date", "Mmm d, yyyy", "no date"},
    });
}

TEST(FormatDate, ElapsedFractionOfADayAsClockTime) {
    const double second = 1.0 / 86400;
    expectAll({
        {0.0, "hh:mm:ss", "00:00:00"},
        {0.5, "hh:mm:ss", "12:00:00"},
        {3725 * second, "hh:mm:ss", "01:02:05"},
        {59.6 * second, "hh:mm:ss", "00:01:00"},  // shown to the nearest second
        {int64_t{1}, "hh:mm:ss", "00:00:00"},
        {"0.75", "hh:mm:ss", "18:00:00"},
    });
}

}  // namespace
}  // namespace tw
