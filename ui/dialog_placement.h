#pragma once

// Where an entry dialog opens: beside the field that echoes the value it
// asks about, so that the surveyor sees the value while confirming it.

#include <QPoint>
#include <QRect>
#include <QSize>

namespace korvane {

// The top-left corner of a dialog frame of size `frame`, in the coordinates
// of the screen, that covers neither `field` nor its `caption` (an empty
// caption is none) and lies inside `available`, the screen's area less its
// panels: to the right of the two if there is room, else to the left, below
// or above them, pushed in from the edges of the area. Where the area is too
// small for any of these, the corner where the frame covers least of the
// field, then least of the caption.
QPoint dialogPosition(QSize frame, const QRect& field, const QRect& caption, const QRect& available);

} // namespace korvane
