#include "gui/Pictures.h"

#include <QGuiApplication>

// Resources of a static library are registered explicitly; the linker would
// otherwise drop the unreferenced registration object.
static void registerPictureResources() {
    Q_INIT_RESOURCE(pictures);
}

namespace tw {

namespace {
void ensureRegistered() {
    static const bool registered = [] {
        registerPictureResources();
        return true;
    }();
    (void)registered;
}
}  // namespace

QPixmap pictureNamed(const QString& name) {
    ensureRegistered();
    const QString base = QStringLiteral(":/tallywick/pictures/") + name;
    // On a scaled screen the twice-as-large drawing keeps the edges sharp;
    // either way the picture keeps its size in device-independent pixels.
    if (qApp && qApp->devicePixelRatio() > 1.0) {
        QPixmap sharp(base + QStringLiteral("@2x.png"));
        if (!sharp.isNull()) {
            sharp.setDevicePixelRatio(2.0);
            return sharp;
        }
    }
    return QPixmap(base + QStringLiteral(".png"));
}

QIcon programIcon() {
    QIcon icon;
    for (const char* size : {"16", "32", "48"}) {
        icon.addPixmap(pictureNamed(QStringLiteral("icon_") + QLatin1String(size)));
    }
    return icon;
}

}  // namespace tw
