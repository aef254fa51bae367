#pragma once
// Loading a picture file the way the program's picture controls do: a file
// that is missing is error 53, a file that cannot be decoded error 481.

#include <QImage>
#include <QString>

namespace tw {

namespace err {
inline constexpr int kFileNotFound = 53;
}

QImage loadPicture(const QString& path);

}  // namespace tw
