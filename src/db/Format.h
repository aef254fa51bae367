#pragma once
// The display-pattern formatter (VB's Format function) for the patterns the
// program uses: "0 %", "0%", "0.0", "00", "0,000", "0.00 secs", "hh:mm:ss",
// "mmm d, yyyy h:mm AMPM", "Mmm d, yyyy", "Mmm d, yyyy h:m:s AMPM",
// "yyyymmddhhmmss", and the general date format (empty pattern on a date).
// Conventions are fixed US English (README of this folder).

#include "db/Variant.h"

namespace tw {

// Format(value, pattern). Null gives the empty text. A text that reads as a
// number is formatted as that number.
QString format(const Variant& value, const QString& pattern);

// The general date format: "m/d/yyyy h:mm:ss AM", only "m/d/yyyy" at midnight.
QString generalDate(const QDateTime& dateTime);

// A number as text in VB's general form: up to 15 significant digits, no
// trailing zeros, no exponent for ordinary magnitudes.
QString generalNumber(double value);

}  // namespace tw
