#pragma once
// Shared by the window tests: one offscreen application for the whole test
// program and a shown main window at a known size.

#include <QApplication>
#include <QColor>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <memory>

#include "gui/Twips.h"

namespace tw::test {

// Creates the application on first use (offscreen unless a platform is set).
QApplication& app();

// Processes pending events, so posted resizes and layouts are done.
void settle();

// WCAG 2 relative luminance and contrast ratio, written out here apart from
// the program's own, so the colour tests check it.
inline double relativeLuminance(const QColor& colour) {
    const auto linear = [](double c) {
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

inline double contrast(const QColor& a, const QColor& b) {
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

}  // namespace tw::test
