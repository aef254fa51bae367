#pragma once
// The two halves of the formatter: number patterns ("0.0", "#,##0", "0 %")
// and date patterns ("mmm d, yyyy h:mm AMPM", "hh:mm:ss").

#include <QDateTime>
#include <QString>

namespace tw {

// A pattern with a digit placeholder (0 or #) outside quotes is a number
// pattern; otherwise one with a date letter is a date pattern.
bool isNumberPattern(const QString& pattern);
bool isDatePattern(const QString& pattern);

QString formatNumberPattern(double value, const QString& pattern);
QString formatDatePattern(const QDateTime& dateTime, const QString& pattern);

// The date-time rounded to the nearest whole second, as dates are shown.
QDateTime roundToSecond(const QDateTime& dateTime);

}  // namespace tw
