// Small text builders shared by the pages: the site's date and time forms, the
// gamertag encoding of links, place names and the emblem query.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include "statsite/WorldTypes.h"

namespace tw::statsite::pagetext {

// "1/15/2005 8:03 PM": the US form the game list shows.
QByteArray usDateTime(const QDateTime& when);
// "00:12:34".
QByteArray clock(int seconds);
// "1st", "2nd", "3rd", "4th", "11th", "21st".
QByteArray ordinal(int place);
// Blank as "+", letters and digits kept, every other windows-1252 byte as "%XX".
QByteArray urlEncode(const QString& text);
// The inverse, for request targets: "+" as blank, "%XX" as a windows-1252 byte.
QString urlDecode(const QByteArray& text);
// The emblem picture query, "&" joined, e.g. "s=90&0=4&1=11&2=0&3=3&fi=5&bi=2&fl=0&b=0&m=1".
QByteArray emblemQuery(const Emblem& emblem, int size);
// The site's pages are windows-1252, as the old site's were: a character the
// code page lacks becomes "?".
QByteArray cp1252(const QString& text);
QString fromCp1252(const QByteArray& bytes);
// The decoded values of a query's key ("a=1&b=x+y"), in order; blanks may be "+".
QStringList queryValues(const QByteArray& query, const QByteArray& key);
QString queryValue(const QByteArray& query, const QByteArray& key);

}  // namespace tw::statsite::pagetext
