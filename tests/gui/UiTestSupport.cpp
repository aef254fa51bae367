#include "UiTestSupport.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace tw::test {

QApplication& App() {
    static int argc = 1;
    static char name[] = "test_ui";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Never destroyed: destroying it among the other static objects at exit
    // crashes, and the process ends right after the tests anyway.
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

void Settle() {
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}

TwipsRect PlaceInTwips(const QWidget& widget) {
    const TwipsScale scale = TwipsScale::ForWidget(widget);
    const QRect g = widget.geometry();
    return {scale.XToTwips(g.x()), scale.YToTwips(g.y()), scale.XToTwips(g.width()),
            scale.YToTwips(g.height())};
}

void PrintTo(const TwipsRect& rect, std::ostream* out) {
    *out << "{left " << rect.left << ", top " << rect.top << ", width " << rect.width << ", height "
         << rect.height << "}";
}

}  // namespace tw::test
