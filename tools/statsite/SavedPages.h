// Saved-pages mode: answers from the files of a folder instead of the world.
// The file of a request target is the target with its leading "/" taken away,
// read below the folder: "/stats/player.aspx?tag=Big+Al" is the file
// "stats/player.aspx?tag=Big+Al". A target that ends in "/" names "index.html" in
// that folder. A target that would leave the folder ("..", a backslash or a NUL
// byte) or names no readable file is answered 404.
#pragma once

#include <QDir>

#include "statsite/HttpAnswer.h"

namespace tw::statsite {

class SavedPages {
  public:
    explicit SavedPages(const QString& folder) : folder_(folder) {}

    // The file a target maps to, or the empty text when the target is refused.
    QString fileFor(const QByteArray& target) const;
    HttpAnswer answer(const QByteArray& target) const;

  private:
    QDir folder_;
};

}  // namespace tw::statsite
