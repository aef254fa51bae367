#pragma once
// Text rules shared by the file exports: CSV fields are quoted only when they
// must be (RFC 4180), HTML and XML texts have &, < and > escaped and lose the
// characters XML 1.0 forbids, and a name that cannot be an XML element name is
// made into one. Plain values pass unchanged, so ordinary output stays byte
// for byte as the program always wrote it.

#include <QString>

namespace tw {

// A field holding a comma, a double quote, CR or LF goes in double quotes
// with inner quotes doubled; any other field stays as it is.
QString csvField(const QString& text);

// &, < and > as &amp; &lt; &gt; (HTML cells and XML values). Characters no
// XML 1.0 document may hold are left out: control characters other than tab,
// LF and CR (a BEL in a profile quote), U+FFFE, U+FFFF and unpaired
// surrogates; one of them would make a reader refuse the whole file.
QString escapeMarkup(const QString& text);

// A valid XML element name: characters a name cannot hold become "_", a
// leading character that cannot start a name (a digit, "-", ".") gets "_"
// in front, and an empty name is "_".
QString xmlElementName(const QString& name);

}  // namespace tw
