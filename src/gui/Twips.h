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
    static TwipsScale ForWidget(const QWidget& widget);

    int XToPixels(int twips) const;
    int YToPixels(int twips) const;
    int XToTwips(int pixels) const;
    int YToTwips(int pixels) const;
    QRect ToPixels(int left, int top, int width, int height) const;

    double DpiX() const { return dpiX_; }
    double DpiY() const { return dpiY_; }

  private:
    double dpiX_;
    double dpiY_;
};

}  // namespace tw
