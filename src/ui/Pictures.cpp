#include "ui/Pictures.h"

// Resources of a static library are registered explicitly; the linker would
// otherwise drop the unreferenced registration object.
static void RegisterPictureResources() {
    Q_INIT_RESOURCE(pictures);
}

namespace tw {

namespace {
void EnsureRegistered() {
    static const bool registered = [] {
        RegisterPictureResources();
        return true;
    }();
    (void)registered;
}
}  // namespace

QPixmap Picture(const QString& name) {
    EnsureRegistered();
    return QPixmap(QStringLiteral(":/tallywick/pictures/") + name + QStringLiteral(".png"));
}

QIcon WindowIcon() {
    QIcon icon;
    for (const char* size : {"16", "32", "48"}) {
        icon.addPixmap(Picture(QStringLiteral("icon_") + QLatin1String(size)));
    }
    return icon;
}

}  // namespace tw
