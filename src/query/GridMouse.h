#pragma once
// The result grid's mouse handlers: a left press on a header cell sorts by
// that column (a new column starts descending, each further press flips the
// direction) and marks it with an arrow, 15 pixels of extra width and grey
// shading; a right release over a data cell of a column whose header holds
// "Gamertag" offers that player for the tag list through the grid pop-up.

#include <QPoint>
#include <cstdint>

namespace tw {

struct Session;
struct QueryPanel;
class MainWindow;

// Background of the sorted column's cells: RGB(240, 240, 240).
inline constexpr uint32_t kSortShadeColor = 0x00F0F0F0;
inline constexpr int kSortWideningPixels = 15;

// Button 1 is the left button.
void gridMouseDown(MainWindow& window, QueryPanel& panel, int button);
// Button 2 is the right button; the pop-up opens at `globalPosition`.
void gridMouseUp(Session& state, MainWindow& window, int button,
                     const QPoint& globalPosition);

}  // namespace tw
