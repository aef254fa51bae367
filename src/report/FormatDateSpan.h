#pragma once
// The span between two date-times as "y years, m months, d days": whole
// calendar months from the first, then the days left over. The words stay
// plural whatever the numbers.

#include <QDateTime>
#include <QString>

namespace tw {

QString formatDateSpan(const QDateTime& first, const QDateTime& last);

}  // namespace tw
