#include "report/FormatDateSpan.h"

#include <cstdint>

namespace tw {

namespace {

// Days from `first` moved on by `months` (its day clamped to the month's
// last day) to the date of `last`; times of day do not count.
int daysAfterMonths(const QDate& first, int months, const QDate& last) {
    return static_cast<int>(first.addMonths(months).daysTo(last));
}

}  // namespace

QString formatDateSpan(const QDateTime& first, const QDateTime& last) {
    const QDate from = first.date();
    const QDate to = last.date();
    int16_t months =
        static_cast<int16_t>((to.year() - from.year()) * 12 + to.month() - from.month());
    int days = daysAfterMonths(from, months, to);
    if (days < 0) {
        --months;
        days = daysAfterMonths(from, months, to);
    }
    const int years = months / 12;  // toward zero
    const int rest = months - 12 * years;
    return QStringLiteral("%1 years, %2 months, %3 days").arg(years).arg(rest).arg(days);
}

}  // namespace tw
