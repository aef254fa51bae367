#pragma once
// The page being filled is bytes: the template passes through untouched
// outside its tokens. A token is "?NAME?"; replacing one changes every
// occurrence, left to right, without regard to letter case, and later
// replacements see the text inserted before.

#include <QByteArray>
#include <QString>

namespace tw {

void ReplaceToken(QByteArray& reportText, const char* token, const QString& value);

}  // namespace tw
