#pragma once
// The text routines every scraper uses. Pages are bytes (markers are ASCII),
// searched without regard to letter case from a 1-based start position; a
// value is cut from a position up to a stop character. A start below 1 is
// run-time error 5, as a search from a missing marker's position must be.

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace tw {

namespace err {
inline constexpr int kInvalidArgument = 5;
}

// Blank -> "+", digits and ASCII letters kept, every other byte of the
// text's windows-1252 form -> "%" + two upper-case hex digits. A character
// windows-1252 cannot write is error 5.
QString urlEncode(const QString& text);

// 1-based position of the first occurrence of `marker` at or after `start`,
// ignoring ASCII letter case; 0 when there is none.
qsizetype inStr(qsizetype start, const QByteArray& text, QByteArrayView marker);

// Whether `marker` occurs at or after `start` (1-based), ignoring ASCII letter
// case: InStr(start, ...) > 0, but searched from the end, where a page's
// closing tag is.
bool endsWithin(qsizetype start, const QByteArray& text, QByteArrayView marker);

// The characters from `start` up to (not including) the first `stop`, or to
// the end of the text when `stop` does not occur; blanks (code 32 only)
// removed at both ends.
QByteArray extractUntil(const QByteArray& text, qsizetype start, char stop);

// Blanks (code 32 only) removed at both ends.
QByteArray trimBlanks(const QByteArray& text);

// The leading-number reading of a cut value; a text without a number reads 0.
double leadingNumber(const QByteArray& text);

// A leading number converted to a 32-bit whole number (half to even; out of
// range is error 6).
int32_t wholeNumber(const QByteArray& text);

// A time text hh:mm:ss as seconds, from its first two, fourth and fifth, and
// last two characters.
int32_t timeTextSeconds(const QByteArray& text);

// Every occurrence of `what` replaced by `with`, ignoring letter case.
QByteArray replaceNoCase(QByteArray text, const QByteArray& what, const QByteArray& with);

// A cut value as the database stores text.
inline QString pageValue(const QByteArray& bytes) {
    return QString::fromUtf8(bytes);
}

}  // namespace tw
