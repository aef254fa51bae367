#include "gui/Twips.h"

#include <QWidget>
#include <cmath>

namespace tw {

namespace {
int convert(int value, double numerator, double denominator) {
    return static_cast<int>(std::lround(value * numerator / denominator));
}
}  // namespace

TwipsScale TwipsScale::ForWidget(const QWidget& widget) {
    return TwipsScale(widget.logicalDpiX(), widget.logicalDpiY());
}

int TwipsScale::XToPixels(int twips) const {
    return convert(twips, dpiX_, kTwipsPerInch);
}
int TwipsScale::YToPixels(int twips) const {
    return convert(twips, dpiY_, kTwipsPerInch);
}
int TwipsScale::XToTwips(int pixels) const {
    return convert(pixels, kTwipsPerInch, dpiX_);
}
int TwipsScale::YToTwips(int pixels) const {
    return convert(pixels, kTwipsPerInch, dpiY_);
}

QRect TwipsScale::ToPixels(int left, int top, int width, int height) const {
    return QRect(XToPixels(left), YToPixels(top), XToPixels(width), YToPixels(height));
}

}  // namespace tw
