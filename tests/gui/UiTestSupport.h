#pragma once
// Shared by the window tests: one offscreen application for the whole test
// program and a shown main window at a known size.

#include <QApplication>
#include <QWidget>
#include <memory>
#include <ostream>

#include "gui/Twips.h"

namespace tw::test {

// Creates the application on first use (offscreen unless a platform is set).
QApplication& App();

// Processes pending events, so posted resizes and layouts are done.
void Settle();

// The control's geometry inside its parent, in twips.
struct TwipsRect {
    int left;
    int top;
    int width;
    int height;
    bool operator==(const TwipsRect&) const = default;
};
TwipsRect PlaceInTwips(const QWidget& widget);
void PrintTo(const TwipsRect& rect, std::ostream* out);

}  // namespace tw::test
