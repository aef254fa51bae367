#pragma once
// Reading a page that must hold what the site always puts there. A marker a
// page must carry, or a number that is no count, makes the page unreadable:
// PageFailure, so the download reports it instead of storing a value cut
// from the wrong place.

#include <QByteArray>
#include <QString>
#include <cstdint>

#include "db/AppError.h"

namespace tw {

// A page came whole but cannot be read (or the answer was no page): the
// game it belongs to is skipped and tried again by the next download.
class PageFailure : public AppError {
  public:
    explicit PageFailure(const QString& description, int number = 31002);
};

// The site cannot be reached any more (refused, gone, no answer in time):
// the player's download ends.
class ConnectionFailure : public AppError {
  public:
    explicit ConnectionFailure(const AppError& reason);
};

// InStr that must find the marker; `start` below 1 (a missing earlier
// marker) is a failure too.
qsizetype findRequired(qsizetype start, const QByteArray& page, QByteArrayView marker);

// A count as the site shows it: digits only, 0 to 2147483647.
int32_t countValue(const QByteArray& text, const char* what);

// A whole number that may be negative (a score), within 32 bits.
int32_t signedValue(const QByteArray& text, const char* what);

// "hh:mm:ss" in seconds; anything else is a failure.
int32_t timeValue(const QByteArray& text, const char* what);

}  // namespace tw
