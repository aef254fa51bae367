#include "core/LoadPicture.h"

#include <QFileInfo>
#include <QImageReader>

#include "db/AppError.h"

namespace tw {

QImage loadPicture(const QString& path) {
    if (!QFileInfo(path).isFile()) {
        throw AppError(err::kFileNotFound, QStringLiteral("Tallywick"),
                       QStringLiteral("File not found"));
    }
    QImageReader reader(path);
    QImage image = reader.read();
    if (image.isNull()) {
        throw AppError(err::kInvalidPicture, QStringLiteral("Tallywick"),
                       QStringLiteral("Invalid picture"));
    }
    return image;
}

}  // namespace tw
