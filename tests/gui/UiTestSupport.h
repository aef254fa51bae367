#pragma once
// Shared by the window tests: one offscreen application for the whole test
// program and a shown main window at a known size.

#include <QApplication>
#include <QWidget>
#include <memory>

#include "gui/Twips.h"

namespace tw::test {

// Creates the application on first use (offscreen unless a platform is set).
QApplication& app();

// Processes pending events, so posted resizes and layouts are done.
void settle();

}  // namespace tw::test
