#include "taglist/AvatarPicture.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPixmap>

#include "core/LoadPicture.h"
#include "core/Paths.h"
#include "core/Session.h"
#include "db/AppError.h"
#include "taglist/ShowPlayerSummary.h"

namespace tw {
namespace {

void Show(QLabel& picture, const QString& path, const QImage& image) {
    QPixmap pixmap = QPixmap::fromImage(image);
    if (pixmap.width() > picture.width() || pixmap.height() > picture.height()) {
        pixmap = pixmap.scaled(picture.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    picture.setPixmap(pixmap);
    picture.setProperty("picturePath", path);
}

// The fallback picture. When it is itself missing or broken the panel shows
// no picture rather than failing the whole refresh over a decoration.
void ShowUnknown(Session& state, QLabel& picture) {
    const QString unknown = state.AvatarDir + QString::fromLatin1(kUnknownAvatar);
    try {
        Show(picture, unknown, LoadPicture(unknown));
    } catch (const AppError&) {
        picture.clear();
        picture.setProperty("picturePath", QString());
    }
}

}  // namespace

void ShowAvatar(Session& state, QLabel& picture) {
    const QString avatar = AvatarPath(state, state.CurrentGamertag);
    if (!QFileInfo(avatar).isFile()) {
        ShowUnknown(state, picture);
        return;
    }
    try {
        Show(picture, avatar, LoadPicture(avatar));
    } catch (const AppError& error) {
        if (error.number() != err::kInvalidPicture) {
            throw;
        }
        QFile::remove(avatar);
        ShowUnknown(state, picture);
    }
}

}  // namespace tw
