#include "ui/DesignedFont.h"

#include <QStringList>

namespace tw {

QFont DesignedFont(bool bold) {
    QFont font;
    // Narrow faces first: the designed captions were measured for a narrow
    // 8-point face, and the wide default faces would clip them.
    font.setFamilies({QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.25);
    font.setBold(bold);
    return font;
}

}  // namespace tw
