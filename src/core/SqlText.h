#pragma once
// Values spliced into a statement between single quotes have every
// apostrophe doubled, so a gamertag such as O'Neil can be stored, found and
// removed. Every statement builder of the program uses it.

#include <QString>

namespace tw {

QString sqlText(const QString& value);

}  // namespace tw
