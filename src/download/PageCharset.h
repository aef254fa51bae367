#pragma once
// The site's pages are windows-1252 text (they say so); the program keeps
// text as UTF-8. A page is turned into UTF-8 once, when it has arrived, so
// the scrapers (whose markers and stop characters are ASCII) cut values the
// same way and distinct names stay distinct. A gamertag goes back to the site
// in the pages' encoding.

#include <QByteArray>
#include <QString>

namespace tw {

// The windows-1252 byte of each character; false when a character has none.
bool toWindows1252(const QString& text, QByteArray* bytes);

// windows-1252 bytes as text (the five unassigned bytes stay the C1 controls
// of the same number, so every byte keeps a character of its own).
QString fromWindows1252(QByteArrayView bytes);

// The charset a page declares, in lower case: the header's Content-Type
// first, then a meta element near the top of the body; empty when none.
QByteArray declaredCharset(const QByteArray& page);

// A whole answer (header block and body) as UTF-8: a page that declares
// UTF-8 is kept as it is; any other page is read as windows-1252, except an
// undeclared one whose bytes are already valid UTF-8. Plain ASCII is
// returned unchanged.
QByteArray pageAsUtf8(const QByteArray& page);

}  // namespace tw
