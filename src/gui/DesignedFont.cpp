#include "gui/DesignedFont.h"

#include <QFontDatabase>
#include <QStringList>

namespace tw {

namespace {
struct Face {
    const char* family;
    int stretch;
};

// Faces about as wide as the narrow 8-point face the captions were measured
// for; the wide default faces would clip them. Picked once, by name, because
// a family list is not kept through style sheets.
Face designedFace() {
    const QStringList installed = QFontDatabase::families();
    for (const Face face :
         {Face{"Liberation Sans", QFont::Unstretched}, Face{"Arial", QFont::Unstretched},
          Face{"Helvetica", QFont::Unstretched}, Face{"DejaVu Sans", QFont::SemiCondensed}}) {
        if (installed.contains(QLatin1String(face.family), Qt::CaseInsensitive)) {
            return face;
        }
    }
    return Face{"Sans Serif", QFont::Unstretched};
}
}  // namespace

QFont designedFont(bool bold) {
    static const Face face = designedFace();
    QFont font(QLatin1String(face.family));
    font.setStyleHint(QFont::SansSerif);
    font.setStretch(face.stretch);
    font.setPointSizeF(8.25);
    font.setBold(bold);
    return font;
}

}  // namespace tw
