#include "gui/Twips.h"

#include <QWidget>
#include <cmath>

namespace tw {

namespace {
int convert(int value, double numerator, double denominator) {
    return static_cast<int>(std::lround(value * numerator / denominator));
}
}  // namespace

TwipsScale TwipsScale::forWidget(const QWidget& widget) {
    return TwipsScale(widget.logicalDpiX(), widget.logicalDpiY());
}

int TwipsScale::xToPixels(int twips) const {
    return convert(twips, dpiX_, kTwipsPerInch);
}
int TwipsScale::yToPixels(int twips) const {
    return convert(twips, dpiY_, kTwipsPerInch);
}
int TwipsScale::xToTwips(int pixels) const {
    return convert(pixels, kTwipsPerInch, dpiX_);
}
int TwipsScale::yToTwips(int pixels) const {
    return convert(pixels, kTwipsPerInch, dpiY_);
}

QRect TwipsScale::toPixels(int left, int top, int width, int height) const {
    return QRect(xToPixels(left), yToPixels(top), xToPixels(width), yToPixels(height));
}

}  // namespace tw
