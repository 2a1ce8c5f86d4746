#pragma once

// Where the window of the figure opens: beside the main window, so that the
// surveyor reads the drawing and the results side by side, and never over
// the results where the screen leaves a choice.

#include <QRect>

#include <span>

namespace korvane {

// The frame, in the coordinates of the screen, of a window that would be
// `wanted` pixels wide and can be no narrower than `least` (the widths of
// its frame), opened beside `main`, the main window's frame, inside
// `available`, the screen's area less its panels. It takes the whole height
// of the area (where it is narrow, its table goes under the drawing) and as
// much of its width as the room beside the main window gives: to the right
// of it where the room holds `least`, else to the left. Where neither side
// does, it is `least` wide and covers as few of `results` (the main window's
// results as they lie on the screen) as any place would, then as little of
// their area. An area narrower than `least` holds it whole, so that the title
// bar and its close button stay on the screen.
QRect besideFrame(int wanted, int least, const QRect& main, std::span<const QRect> results, const QRect& available);

} // namespace korvane
