#pragma once
// Window places are designed in twips (1440 per inch). The screen works in
// pixels at its logical DPI, so every place goes through one conversion that
// rounds to the nearest whole pixel (and back to the nearest whole twip).

#include <QRect>

class QWidget;

namespace tw {

inline constexpr int kTwipsPerInch = 1440;

class TwipsScale {
  public:
    TwipsScale(double dpiX, double dpiY) : dpiX_(dpiX), dpiY_(dpiY) {}
    // The logical DPI of the screen the widget is on.
    static TwipsScale forWidget(const QWidget& widget);

    int xToPixels(int twips) const;
    int yToPixels(int twips) const;
    int xToTwips(int pixels) const;
    int yToTwips(int pixels) const;
    QRect toPixels(int left, int top, int width, int height) const;

    double dpiX() const { return dpiX_; }
    double dpiY() const { return dpiY_; }

  private:
    double dpiX_;
    double dpiY_;
};

}  // namespace tw
