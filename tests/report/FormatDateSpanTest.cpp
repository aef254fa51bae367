// Date spans of the activity range: whole calendar months, then days.

#include <gtest/gtest.h>

#include "report/FormatDateSpan.h"

namespace tw {
namespace {

QDateTime at(int y, int m, int d, int h = 0) {
    return QDateTime(QDate(y, m, d), QTime(h, 0));
}

TEST(FormatDateSpan, CountsMonthsThenDaysAndClampsToTheMonthEnd) {
    // Jan 31 + 2 months overshoots March 1, so one month less: Jan 31 -> Feb 28.
    EXPECT_EQ(formatDateSpan(at(2005, 1, 31, 10), at(2005, 3, 1, 9)),
              QStringLiteral("0 years, 1 months, 1 days"));
    EXPECT_EQ(formatDateSpan(at(2005, 6, 6, 23), at(2005, 6, 6, 1)),
              QStringLiteral("0 years, 0 months, 0 days"));
    // In a leap year the clamped anchor is Feb 29.
    EXPECT_EQ(formatDateSpan(at(2004, 1, 31), at(2004, 3, 1)),
              QStringLiteral("0 years, 1 months, 1 days"));
    EXPECT_EQ(formatDateSpan(at(2004, 3, 31), at(2004, 4, 30)),
              QStringLiteral("0 years, 1 months, 0 days"));
    EXPECT_EQ(formatDateSpan(at(2004, 11, 9), at(2006, 2, 8)),
              QStringLiteral("1 years, 2 months, 30 days"));
    EXPECT_EQ(formatDateSpan(at(2004, 11, 9), at(2006, 11, 9)),
              QStringLiteral("2 years, 0 months, 0 days"));
}

}  // namespace
}  // namespace tw
