#pragma once
// The window's designed face: an 8.25-point sans-serif, regular for values and
// the grid, bold for caption labels, stage labels and the progress percentage.

#include <QFont>

namespace tw {

QFont designedFont(bool bold = false);

}  // namespace tw
